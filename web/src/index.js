// Halvo as a Web Audio Module: a host imports this file by its URL and calls
// createInstance(groupId, audioContext, initialState). Everything it loads lies beside it.
import { WamNode, WebAudioModule } from './sdk/index.js';
import { HalvoEngine } from './engine.js';

const here = (file) => new URL(file, import.meta.url).href;

let compiledEngine = null;
const compileEngine = () => {
    // Compiled from the bytes, so that a server that does not know the type of .wasm files serves.
    compiledEngine ??= fetch(here('./halvo-engine.wasm')).then(async (response) => {
        if (!response.ok) throw new Error(`cannot load the Halvo engine (${response.status})`);
        return WebAssembly.compile(await response.arrayBuffer());
    });
    // A failed load is tried again by the next instance.
    compiledEngine.catch(() => {
        compiledEngine = null;
    });
    return compiledEngine;
};

class HalvoNode extends WamNode {
    static async addModules(audioContext, moduleId) {
        await super.addModules(audioContext, moduleId);
        await audioContext.audioWorklet.addModule(here('./processor.js'));
    }

    _request(request, content) {
        const id = this._generateMessageId();
        return new Promise((resolve) => {
            this._pendingResponses[id] = resolve;
            this.port.postMessage({ id, request, content });
        });
    }

    // A block the plug-in would refuse is refused here too, and nothing changes.
    async setState(state) {
        if (!(await this._request('set/state', { state })))
            throw new Error('not a Halvo state, or one the instrument cannot read');
    }

    // Controller messages that arrive while a parameter is the learn target are assigned to it;
    // null ends learning.
    setMidiLearnTarget(parameterId) {
        return this._request('set/midiLearn', { parameterId });
    }

    // 0 takes controllers from every channel, 1 to 16 from one.
    setMidiChannel(channel) {
        return this._request('set/midiChannel', { channel });
    }

    clearMidiAssignments() {
        return this._request('clear/midiAssignments', {});
    }

    // { channel, controllers: { parameterId: controller number or -1 } }
    getMidiAssignments() {
        return this._request('get/midiAssignments', {});
    }

    // { values: the normalised value of each parameter by id, channel, controllers, scope: the
    // latest 512 output samples, or null when they are still the silence sent before }
    getDisplay() {
        return this._request('get/display', {});
    }

    // Sets the seven parameters from a factory preset; controller assignments stay.
    async loadPreset(name) {
        const index = this.module.presets.findIndex((preset) => preset.name.toLowerCase() === name.toLowerCase());
        if (index < 0 || !(await this._request('set/preset', { index })))
            throw new Error(`no factory preset named "${name}"`);
    }
}

export default class Halvo extends WebAudioModule {
    constructor(groupId, audioContext) {
        super(groupId, audioContext);
        this._descriptorUrl = here('./descriptor.json');
        this.presets = [];
        this.catalogue = null;
    }

    async initialize(state) {
        await this._loadDescriptor();
        this.catalogue = new HalvoEngine(await compileEngine(), this.audioContext.sampleRate);
        this.presets = this.catalogue.presets();
        this.audioNode = await this.createAudioNode(state);
        this.initialized = true;
        return this;
    }

    async createAudioNode(initialState) {
        const engineModule = await compileEngine();
        await HalvoNode.addModules(this.audioContext, this.moduleId);
        const node = new HalvoNode(this, {
            numberOfInputs: 0,
            numberOfOutputs: 1,
            outputChannelCount: [2],
            processorOptions: { engineModule },
        });
        await node._initialize();
        if (initialState) await node.setState(initialState);
        return node;
    }

    // The text the plug-in shows for a parameter's normalised value.
    parameterText(value) {
        return this.catalogue.parameterText(value);
    }

    async createGui() {
        const { createHalvoGui } = await import(here('./gui.js'));
        return createHalvoGui(this);
    }

    destroyGui(gui) {
        gui.destroy();
    }
}
