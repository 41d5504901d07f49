// The audio worklet side: the SDK's processor with the engine instantiated from the compiled
// module the node hands over. Events of a render quantum take effect before it is rendered, as a
// host's MIDI and automation take effect in the block they fall in.
import { HalvoEngine, blockOfState, stateObject } from './engine.js';
import { identifier } from './identity.js';

const { registerProcessor, webAudioModules } = globalThis;
const moduleScope = webAudioModules.getModuleScope(identifier);
const { WamProcessor, WamParameterInfo } = moduleScope;

// As many samples as the plug-in's oscilloscope shows.
const scopeLength = 512;

class HalvoProcessor extends WamProcessor {
    constructor(options) {
        super(options);
        this.engine = new HalvoEngine(options.processorOptions.engineModule, globalThis.sampleRate);
        // The latest output of the first channel, oldest first, for the window's oscilloscope.
        this.scope = new Float32Array(scopeLength);
        // Exact zeros at the end of the scope, and whether it changed since the window last asked:
        // a silent instrument sends the window no samples.
        this.silentSamples = scopeLength;
        this.scopeChanged = true;
    }

    _generateWamParameterInfo() {
        const info = {};
        this.engine.parameterIds.forEach((id, index) => {
            info[id] = new WamParameterInfo(id, {
                type: 'float',
                label: id,
                defaultValue: this.engine.defaultValue(index),
                minValue: 0,
                maxValue: 1,
            });
        });
        return info;
    }

    // The engine holds the values: controllers and state move them too.
    _getParameterValues(normalized, parameterIds) {
        const values = {};
        const ids = parameterIds && parameterIds.length ? parameterIds : this.engine.parameterIds;
        for (const id of ids) {
            const index = this.engine.parameterIndex(id);
            if (index >= 0) values[id] = { id, value: this.engine.parameter(index), normalized };
        }
        return values;
    }

    // Set at once, without the SDK's ramp: the engine glides where the plug-in glides.
    // A malformed event from a host changes nothing rather than stopping the processor.
    _setParameterValue(update) {
        const index = this.engine.parameterIndex(update?.id);
        if (index >= 0 && typeof update.value === 'number') this.engine.setParameter(index, update.value);
    }

    _getState() {
        return stateObject(this.engine.stateBlock());
    }

    _setState(state) {
        const block = blockOfState(state);
        return block !== null && this.engine.setStateBlock(block);
    }

    _onMidi(data, frame = 0) {
        const bytes = data?.bytes;
        if (bytes && bytes.length > 0) this.engine.midi(frame, bytes[0], bytes[1] ?? 0, bytes[2] ?? 0);
    }

    // The instrument follows no tempo and takes no system exclusive, MPE or OSC messages; the
    // SDK's own handlers would log each one from the audio thread.
    _onTransport() {}

    _onSysex() {}

    _onMpe() {}

    _onOsc() {}

    // Requests of our own, and a state request that answers whether the block was read.
    _onMessage(message) {
        const { id, request, content } = message.data;
        const answer = (result) => this.port.postMessage({ id, response: request, content: result });
        switch (request) {
            case 'set/state':
                return answer(this._setState(content.state));
            case 'set/midiLearn':
                this.engine.learn(this.engine.parameterIndex(content.parameterId));
                return answer(true);
            case 'set/midiChannel':
                this.engine.setMidiChannel(content.channel);
                return answer(this.engine.midiChannel());
            case 'clear/midiAssignments':
                this.engine.clearAssignments();
                return answer(true);
            case 'get/midiAssignments':
                return answer(this._midiAssignments());
            case 'set/preset':
                return answer(this.engine.applyPreset(content.index));
            case 'get/display':
                return answer(this._display());
            default:
                return super._onMessage(message);
        }
    }

    _midiAssignments() {
        const controllers = {};
        this.engine.parameterIds.forEach((id, index) => {
            controllers[id] = this.engine.assignment(index);
        });
        return { channel: this.engine.midiChannel(), controllers };
    }

    // What the window shows: the seven values, the controller map and the oscilloscope's samples.
    _display() {
        const values = {};
        this.engine.parameterIds.forEach((id, index) => {
            values[id] = this.engine.parameter(index);
        });
        const scope = this.scopeChanged ? this.scope.slice() : null;
        this.scopeChanged = false;
        return { values, ...this._midiAssignments(), scope };
    }

    _captureScope(samples) {
        const wasSilent = this.silentSamples >= scopeLength;
        for (let i = 0; i < samples.length; ++i)
            this.silentSamples = samples[i] === 0 ? Math.min(this.silentSamples + 1, scopeLength) : 0;
        if (wasSilent && this.silentSamples >= scopeLength) return;
        this.scopeChanged = true;
        const kept = Math.max(0, scopeLength - samples.length);
        this.scope.copyWithin(0, scopeLength - kept);
        this.scope.set(kept > 0 ? samples : samples.subarray(samples.length - scopeLength), kept);
    }

    process(inputs, outputs) {
        if (!this._initialized) return true;
        if (this._destroyed) return false;
        if (this._eventSabReady) this.scheduleEvents(...this._eventReader.read());
        this._takeQuantumEvents();

        const output = outputs[0];
        if (!output || output.length === 0) return true;
        const frames = output[0].length;
        const stereo = output.length > 1;
        this.engine.process(frames, stereo);
        output[0].set(this.engine.output(0));
        if (stereo) output[1].set(this.engine.output(1));
        this._captureScope(this.engine.output(0));
        for (let channel = 2; channel < output.length; ++channel) output[channel].fill(0);
        return true;
    }

    // The events due before the quantum ends, answered as the SDK answers them, without the
    // slices the SDK builds for every quantum.
    _takeQuantumEvents() {
        if (this._eventQueueRequiresSort) {
            this._eventQueue.sort((a, b) => (a.event?.time ?? 0) - (b.event?.time ?? 0));
            this._eventQueueRequiresSort = false;
        }
        const { currentTime, sampleRate } = globalThis;
        while (this._eventQueue.length > 0) {
            const { id, event } = this._eventQueue[0];
            if (!event) {
                this._eventQueue.shift();
                continue;
            }
            const offset = event.time - currentTime;
            const frame = offset > 0 ? Math.round(offset * sampleRate) : 0;
            if (frame >= this._samplesPerQuantum) break;
            this._eventQueue.shift();
            if (id) this.port.postMessage({ id, response: 'add/event' });
            else if (this._eventSabReady) this._eventWriter.write(event);
            else this.port.postMessage({ event });
            if (event.type === 'wam-midi') this._onMidi(event.data, frame);
            else this._processEvent(event);
        }
    }
}

if (!moduleScope.HalvoProcessor) {
    moduleScope.HalvoProcessor = HalvoProcessor;
    registerProcessor(identifier, HalvoProcessor);
}
