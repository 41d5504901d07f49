// The WebAssembly engine in Node against the native renderer: the same samples, the same state
// blocks both ways, and no bad input that breaks it.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import test from 'node:test';

import { demoLengthSeconds, demoPhrase, renderPerformance, tailSeconds } from './demo-phrase.mjs';
import {
    compareWithWav, midiFile, newEngine, readWav24, render, rendererReadsState, scratchFolder,
} from './support.mjs';

for (const rate of [44100, 48000])
    test(`the demo phrase at ${rate} Hz renders sample for sample as halvo-render --block-size 128 writes it`, () => {
        const folder = scratchFolder();
        const wavFile = path.join(folder, 'demo.wav');
        const stateFile = path.join(folder, 'after-demo.bin');
        render('--block-size', '128', '--sample-rate', String(rate), '-o', wavFile, '--save-state', stateFile);

        const engine = newEngine(rate);
        const totalSamples = (demoLengthSeconds + tailSeconds) * rate;
        const channels = renderPerformance(engine, demoPhrase(), { sampleRate: rate, blockSize: 128, totalSamples });
        const { mismatches, largestDb } = compareWithWav(channels, readWav24(wavFile));
        assert.equal(mismatches, 0, `${mismatches} samples differ, the largest by ${largestDb.toFixed(1)} dB`);
        assert.deepEqual(engine.stateBlock(), new Uint8Array(fs.readFileSync(stateFile)));
    });

// The state block halvo-render saves after playing a MIDI file with the given options.
const nativeStateAfter = (folder, midi) => (name, ...args) => {
    const file = path.join(folder, name);
    render(midi, '--tail', '0.01', '-o', path.join(folder, 'scratch.wav'), '--save-state', file, ...args);
    return new Uint8Array(fs.readFileSync(file));
};

test('state blocks pass between the plug-in and the browser byte for byte', () => {
    const folder = scratchFolder();
    const nativeFile = nativeStateAfter(folder, midiFile(folder));

    assert.deepEqual(newEngine().stateBlock(), nativeFile('default.bin'));

    const custom = nativeFile('custom.bin', '--set', 'Gain=0.123456789', '--set', 'Mode=0.5', '--map', 'Rate=74',
        '--map', 'Gain=74', '--midi-channel', '3');
    const engine = newEngine();
    assert.ok(engine.setStateBlock(custom));
    assert.deepEqual(engine.stateBlock(), custom);
    assert.equal(engine.parameterText(engine.parameter(6)), '0.123457');
    assert.deepEqual([engine.midiChannel(), engine.assignment(3), engine.assignment(6)], [3, 74, 74]);

    engine.setParameter(5, 0.777);
    engine.setMidiChannel(5);
    const fromBrowser = path.join(folder, 'browser.bin');
    fs.writeFileSync(fromBrowser, engine.stateBlock());
    assert.deepEqual(nativeFile('back.bin', '--state', fromBrowser), engine.stateBlock());
});

test('controllers move the parameters assigned to them as in the plug-in', () => {
    const folder = scratchFolder();
    const options = ['--map', 'Gain=74', '--map', 'Rate=74', '--map', 'Mode=1', '--midi-channel', '2'];
    const assigned = nativeStateAfter(folder, midiFile(folder))('assigned.bin', ...options);
    const controllers = [[0xb1, 74, 64], [0xb2, 74, 100], [0xb1, 1, 127], [0x91, 60, 100], [0xb1, 7, 5]];
    const moved = nativeStateAfter(folder, midiFile(folder, controllers))('moved.bin', ...options);

    const engine = newEngine();
    assert.ok(engine.setStateBlock(assigned));
    controllers.forEach((bytes) => engine.midi(0, ...bytes));
    engine.process(128, true);
    assert.deepEqual(engine.stateBlock(), moved);
    assert.notDeepEqual(moved, assigned);

    engine.learn(5);
    engine.midi(0, 0xb1, 7, 127);
    engine.process(128, true);
    engine.learn(-1);
    engine.midi(0, 0xb1, 7, 0);
    engine.process(128, true);
    assert.deepEqual([engine.assignment(5), engine.parameter(5)], [7, 0]);
});

test('a block the plug-in refuses is refused and changes nothing', () => {
    const folder = scratchFolder();
    const good = newEngine().stateBlock();
    const text = (xml, encoding = 'utf8') => {
        const body = Buffer.from(xml, encoding);
        const block = Buffer.alloc(9 + body.length);
        block.writeUInt32LE(0x21324356, 0);
        block.writeUInt32LE(body.length, 4);
        body.copy(block, 8);
        return new Uint8Array(block);
    };
    const refused = {
        empty: new Uint8Array(0),
        'eight bytes': good.slice(0, 8),
        'another magic': Uint8Array.from(good, (byte, i) => (i === 0 ? 0x57 : byte)),
        'length zero': Uint8Array.from(good, (byte, i) => (i >= 4 && i < 8 ? 0 : byte)),
        'top bit set': Uint8Array.from(good, (byte, i) => (i === 7 ? 0x80 : byte)),
        'not XML': text('<Root><Gain>0.5</Gain>'),
        'not UTF-8': text('<Root><Gain>\u00ff</Gain></Root>', 'latin1'),
    };
    for (const [name, block] of Object.entries(refused)) {
        const engine = newEngine();
        engine.setParameter(6, 0.5);
        const before = engine.stateBlock();
        assert.equal(engine.setStateBlock(block), false, name);
        assert.deepEqual(engine.stateBlock(), before, name);
        const file = path.join(folder, 'refused.bin');
        fs.writeFileSync(file, block);
        assert.equal(rendererReadsState(file, folder), false, `halvo-render reads the block: ${name}`);
    }

    const engine = newEngine();
    assert.ok(engine.setStateBlock(text('<ROOT><gain>0.5</gain><MIDIMAPFM>12</MIDIMAPFM></ROOT>')));
    assert.deepEqual([engine.parameter(6), engine.assignment(3)], [0.5, 12]);
});

test('no parameter value, MIDI byte or state byte makes the output anything but finite and clipped', () => {
    let seed = 1;
    const random = () => {
        seed = (seed * 1103515245 + 12345) % 2147483648;
        return seed / 2147483648;
    };
    const wild = [NaN, Infinity, -Infinity, 1e38, -1e38, 3.5, -2, 0.9999, 1e-40];
    const engine = newEngine(96000);
    const good = engine.stateBlock();
    for (let block = 0; block < 2000; ++block) {
        engine.setParameter(Math.floor(random() * 9) - 1, random() < 0.3 ? wild[Math.floor(random() * wild.length)] : random());
        for (let k = 0; k < 4; ++k)
            engine.midi(Math.floor(random() * 200) - 20, Math.floor(random() * 256), Math.floor(random() * 256), Math.floor(random() * 256));
        if (block % 50 === 0) {
            engine.setStateBlock(good.map((byte) => (random() < 0.02 ? Math.floor(random() * 256) : byte)));
            engine.learn(Math.floor(random() * 9) - 1);
        }
        engine.process(128, block % 3 !== 0);
        for (const channel of [engine.output(0), engine.output(1)])
            for (const x of channel) assert.ok(Number.isFinite(x) && Math.abs(x) <= 1, `block ${block}: ${x}`);
    }
});
