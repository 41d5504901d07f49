// The instrument's WebAssembly module, driven from JavaScript. Runs unchanged in the audio worklet
// (which has no TextDecoder, fetch or atob), on a page's main thread and in Node. Nothing here
// allocates while a block is processed.

const decodeAscii = (bytes, start) => {
    let text = '';
    for (let i = start; bytes[i] !== 0; ++i) text += String.fromCharCode(bytes[i]);
    return text;
};

const base64Alphabet = 'ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/';

export const encodeBase64 = (bytes) => {
    let text = '';
    for (let i = 0; i < bytes.length; i += 3) {
        const word = (bytes[i] << 16) | ((bytes[i + 1] ?? 0) << 8) | (bytes[i + 2] ?? 0);
        text += base64Alphabet[(word >> 18) & 63] + base64Alphabet[(word >> 12) & 63];
        text += i + 1 < bytes.length ? base64Alphabet[(word >> 6) & 63] : '=';
        text += i + 2 < bytes.length ? base64Alphabet[word & 63] : '=';
    }
    return text;
};

// Null for anything that is not base64 text.
export const decodeBase64 = (text) => {
    if (typeof text !== 'string' || !/^[A-Za-z0-9+/]*={0,2}$/.test(text) || text.length % 4 !== 0)
        return null;
    const padding = text.endsWith('==') ? 2 : text.endsWith('=') ? 1 : 0;
    const bytes = new Uint8Array((text.length / 4) * 3 - padding);
    for (let i = 0, j = 0; i < text.length; i += 4) {
        let word = 0;
        for (let k = 0; k < 4; ++k) word = (word << 6) | Math.max(0, base64Alphabet.indexOf(text[i + k]));
        for (let k = 0; k < 3 && j < bytes.length; ++k) bytes[j++] = (word >> (16 - 8 * k)) & 255;
    }
    return bytes;
};

// What a saved instance is to a web host: the plug-in's own state block, byte for byte.
export const stateFormat = 'halvo-state';
export const stateVersion = 1;

export const stateObject = (block) => ({ format: stateFormat, version: stateVersion, block: encodeBase64(block) });

// The block inside a state object, or null when it is not one.
export const blockOfState = (state) =>
    state && state.format === stateFormat && state.version === stateVersion ? decodeBase64(state.block) : null;

const imports = (engine) => ({
    env: { emscripten_notify_memory_growth: () => {} },
    wasi_snapshot_preview1: {
        // The only clock reader is JUCE's identifier pool, which tidies itself now and then.
        clock_time_get: (clock, precision, resultAddress) => {
            new DataView(engine.memory.buffer).setBigUint64(resultAddress, BigInt(Date.now()) * 1000000n, true);
            return 0;
        },
        environ_sizes_get: (countAddress, sizeAddress) => {
            const view = new DataView(engine.memory.buffer);
            view.setUint32(countAddress, 0, true);
            view.setUint32(sizeAddress, 0, true);
            return 0;
        },
        environ_get: () => 0,
        proc_exit: (code) => {
            throw new Error(`the Halvo engine stopped (${code})`);
        },
    },
});

const maxStateBytes = 64 << 20;

export class HalvoEngine {
    // module: the compiled halvo-engine.wasm.
    constructor(module, sampleRate) {
        this.instance = new WebAssembly.Instance(module, imports(this));
        this.api = this.instance.exports;
        this.memory = this.api.memory;
        this.api._initialize();
        this.api.halvo_prepare(sampleRate);
        this.maxFrames = this.api.halvo_max_frames();
        this.outputs = [];
        this.outputFrames = -1;
        this.heap = null;
        this.parameterIds = [];
        for (let i = 0; i < this.api.halvo_parameter_count(); ++i)
            this.parameterIds.push(decodeAscii(this.bytes(), this.api.halvo_parameter_name(i)));
    }

    bytes() {
        return new Uint8Array(this.memory.buffer);
    }

    parameterIndex(id) {
        return this.parameterIds.indexOf(id);
    }

    defaultValue(index) {
        return this.api.halvo_parameter_default(index);
    }

    parameter(index) {
        return this.api.halvo_parameter(index);
    }

    setParameter(index, value) {
        this.api.halvo_set_parameter(index, value);
    }

    // The text the plug-in shows for a value.
    parameterText(value) {
        return decodeAscii(this.bytes(), this.api.halvo_parameter_text(value));
    }

    // A channel message for the next block, at its frame within it.
    midi(frame, status, data1 = 0, data2 = 0) {
        return this.api.halvo_midi(frame, status, data1, data2) !== 0;
    }

    // Renders one block; output(channel) then holds its frames.
    process(frames, stereo) {
        this.api.halvo_process(frames, stereo ? 1 : 0);
        if (this.heap !== this.memory.buffer || this.outputFrames !== frames) {
            this.heap = this.memory.buffer;
            this.outputFrames = frames;
            this.outputs = [0, 1].map((channel) => new Float32Array(this.heap, this.api.halvo_output(channel), frames));
        }
    }

    output(channel) {
        return this.outputs[channel];
    }

    midiChannel() {
        return this.api.halvo_midi_channel();
    }

    setMidiChannel(channel) {
        this.api.halvo_set_midi_channel(channel);
    }

    assignment(index) {
        return this.api.halvo_assignment(index);
    }

    // The parameter the next controller messages are assigned to; -1 ends learning.
    learn(index) {
        this.api.halvo_set_learn_target(index);
    }

    clearAssignments() {
        this.api.halvo_clear_assignments();
    }

    stateBlock() {
        const size = this.api.halvo_write_state();
        return this.bytes().slice(this.api.halvo_bytes(-1), this.api.halvo_bytes(-1) + size);
    }

    // False, changing nothing, for a block the plug-in would refuse. A real block is a few hundred
    // bytes and the reader reads at most a megabyte of text; one beyond tens of megabytes is refused
    // before the module's memory has to grow for it.
    setStateBlock(block) {
        if (!(block instanceof Uint8Array) || block.length > maxStateBytes) return false;
        const address = this.api.halvo_bytes(block.length);
        this.bytes().set(block, address);
        return this.api.halvo_read_state() !== 0;
    }

    presets() {
        const list = [];
        for (let i = 0; i < this.api.halvo_preset_count(); ++i)
            list.push({
                name: decodeAscii(this.bytes(), this.api.halvo_preset_name(i)),
                description: decodeAscii(this.bytes(), this.api.halvo_preset_description(i)),
            });
        return list;
    }

    applyPreset(index) {
        return this.api.halvo_apply_preset(index) !== 0;
    }
}
