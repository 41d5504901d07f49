// What the web tests share: where the build put things, the engine loaded in Node, native renders
// through halvo-render, and 24-bit WAV samples as JUCE's writer makes them.
import { execFileSync, spawnSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

import { HalvoEngine } from '../../web/src/engine.js';

export const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');
export const moduleFolder = path.join(root, 'out/web/halvo');
export const renderer = process.env.HALVO_RENDER ?? path.join(root, 'build/tools/render/halvo-render');

export const engineModule = () => new WebAssembly.Module(fs.readFileSync(path.join(moduleFolder, 'halvo-engine.wasm')));

export const newEngine = (sampleRate = 44100) => new HalvoEngine(engineModule(), sampleRate);

export const scratchFolder = () => fs.mkdtempSync(path.join(os.tmpdir(), 'halvo-web-'));

export const render = (...args) => execFileSync(renderer, args, { stdio: ['ignore', 'ignore', 'pipe'] });

// Whether halvo-render accepts a state file.
export const rendererReadsState = (file, folder) => {
    const args = ['--state', file, '--tail', '0.01', '-o', path.join(folder, 'probe.wav'), midiFile(folder)];
    const result = spawnSync(renderer, args);
    if (result.error) throw result.error;
    return result.status === 0;
};

// A Standard MIDI File with the given channel messages, all at its start; by default one note-off,
// a render that leaves every parameter as it was.
export const midiFile = (folder, messages = [[0x80, 60, 0]]) => {
    const file = path.join(folder, `${messages.flat().join('-')}.mid`);
    const header = [0x4d, 0x54, 0x68, 0x64, 0, 0, 0, 6, 0, 0, 0, 1, 0x01, 0xe0];
    const events = [...messages.flatMap((bytes) => [0x00, ...bytes]), 0x00, 0xff, 0x2f, 0x00];
    const track = [0x4d, 0x54, 0x72, 0x6b, 0, 0, 0, events.length, ...events];
    fs.writeFileSync(file, Buffer.from([...header, ...track]));
    return file;
};

// The channels of a 24-bit PCM WAV file as integers.
export const readWav24 = (file) => {
    const bytes = fs.readFileSync(file);
    let offset = 12;
    let channels = 0;
    while (offset + 8 <= bytes.length) {
        const id = bytes.toString('latin1', offset, offset + 4);
        const size = bytes.readUInt32LE(offset + 4);
        if (id === 'fmt ') {
            channels = bytes.readUInt16LE(offset + 10);
            if (bytes.readUInt16LE(offset + 22) !== 24) throw new Error(`${file} is not 24-bit`);
        } else if (id === 'data') {
            const frames = size / (3 * channels);
            const data = Array.from({ length: channels }, () => new Int32Array(frames));
            for (let i = 0; i < frames; ++i)
                for (let c = 0; c < channels; ++c) data[c][i] = bytes.readIntLE(offset + 8 + 3 * (i * channels + c), 3);
            return data;
        }
        offset += 8 + size + (size & 1);
    }
    throw new Error(`${file} holds no audio`);
};

const rounding = new Float64Array(1);
const roundingWords = new Int32Array(rounding.buffer);

// The 24-bit sample JUCE's WAV writer stores for a float: scaled to the int range, rounded to
// nearest (ties to even, by JUCE's roundToInt), the low byte dropped.
export const wavSample24 = (x) => {
    if (x <= -1) return -8388608;
    if (x >= 1) return 8388607;
    rounding[0] = 2147483647 * x + 6755399441055744.0;
    return roundingWords[0] >> 8;
};

// Frames where the floats do not give the WAV's integers, and the largest difference in dB.
export const compareWithWav = (channels, wav) => {
    let mismatches = 0;
    let largest = 0;
    for (let c = 0; c < wav.length; ++c) {
        if (channels[c].length !== wav[c].length) return { mismatches: Infinity, largestDb: Infinity };
        for (let i = 0; i < wav[c].length; ++i)
            if (wavSample24(channels[c][i]) !== wav[c][i]) {
                ++mismatches;
                largest = Math.max(largest, Math.abs(channels[c][i] - wav[c][i] / 8388608));
            }
    }
    return { mismatches, largestDb: 20 * Math.log10(largest) };
};
