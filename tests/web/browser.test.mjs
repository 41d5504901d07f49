// The module in Debian's headless Chromium, loaded by URL into a minimal WAM host page from a
// local static server: it renders what the engine renders in Node, sample for sample. The page that
// plays Halvo by itself looks like the plug-in window and plays, learns and saves as it does.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';
import test from 'node:test';

import puppeteer from '../../web/node_modules/puppeteer-core/lib/esm/puppeteer/puppeteer-core.js';

import { stateObject } from '../../web/src/engine.js';
import { knobScales, proportionOf, snapped } from '../../web/src/window/knob-scales.js';
import { renderPerformance } from './demo-phrase.mjs';
import { midiFile, moduleFolder, newEngine, render, root, scratchFolder } from './support.mjs';

const contentTypes = { '.js': 'text/javascript', '.wasm': 'application/wasm', '.json': 'application/json',
    '.html': 'text/html', '.png': 'image/png', '.jpg': 'image/jpeg', '.css': 'text/css', '.ttf': 'font/ttf' };
const folders = { '/halvo/': moduleFolder, '/host/': path.join(root, 'tests/web'), '/': path.join(root, 'out/web') };

// Served the way a web DAW on another site needs it: CORS and a cross-origin resource policy.
const serve = (request, response) => {
    const url = new URL(request.url, 'http://localhost');
    const prefix = Object.keys(folders).find((candidate) => url.pathname.startsWith(candidate));
    const name = url.pathname.endsWith('/') ? `${url.pathname}index.html` : url.pathname;
    const file = prefix && path.join(folders[prefix], path.normalize(name.slice(prefix.length)));
    if (!file || !file.startsWith(folders[prefix]) || !fs.existsSync(file)) {
        response.writeHead(404).end();
        return;
    }
    response.writeHead(200, {
        'Content-Type': contentTypes[path.extname(file)] ?? 'application/octet-stream',
        'Access-Control-Allow-Origin': '*',
        'Cross-Origin-Resource-Policy': 'cross-origin',
    });
    fs.createReadStream(file).pipe(response);
};

// A local server and Chromium, closed when the test ends; complaints(page) collects what a page
// logs as an error or warning and what it throws.
const startBrowser = async (t) => {
    const server = http.createServer(serve);
    await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
    const browser = await puppeteer.launch({
        executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
        args: ['--no-sandbox', '--headless=new', '--autoplay-policy=no-user-gesture-required'],
    });
    t.after(async () => {
        await browser.close();
        server.close();
    });
    const complaints = (page) => {
        const list = [];
        page.on('console', (message) => ['error', 'warn'].includes(message.type()) && list.push(message.text()));
        page.on('pageerror', (error) => list.push(error.message));
        return list;
    };
    return { browser, origin: `http://127.0.0.1:${server.address().port}`, complaints };
};

test('the window shows values as the plug-in window does, rounding in single precision', () => {
    const text = (id, normalised) => knobScales[id].text(knobScales[id].shown(Math.fround(normalised)));
    const cases = [['Rate', 0.005, '0.10 Hz'], ['Rate', 0.0002, '0.004 Hz'], ['Rate', 0.5, '10.0 Hz'],
        ['Gain', 0.9, '0 dB'], ['Gain', 0, '-90 dB'], ['Gain', 1, '10 dB'], ['Gain', 0.899, '0 dB'],
        ['Mode', 0, '1 / 7'], ['Mode', 1, '7 / 7'], ['DelayTime', 0, '0.10 s'], ['DelayTime', 0.5, '0.55 s'],
        ['DelayFeedback', 0.123, '13 %'], ['Reverb', 0.123, '12 %']];
    assert.deepEqual(cases.map(([id, value]) => text(id, value)), cases.map(([, , shown]) => shown));
    // The ends of each knob's sweep send the ends of its parameter; the delay time starts at 0.1 in
    // single precision.
    for (const [id, scale] of Object.entries(knobScales)) {
        assert.deepEqual([scale.minimum, scale.maximum].map((v) => Math.fround(scale.normalised(snapped(scale, v)))), [0, 1], id);
        assert.deepEqual([scale.minimum, scale.maximum].map((v) => proportionOf(scale, v)), [0, 1], id);
    }
});

const sampleRate = 44100;
const frames = sampleRate;
const dubSiren = { osc: 1, rate: 0.025, delayTime: 0.3056, feedback: 0.7 };

test('Chromium renders a note through the WAM as the engine does in Node', async (t) => {
    const { browser, origin, complaints: complaintsOf } = await startBrowser(t);

    const start = newEngine(sampleRate);
    start.setParameter(2, dubSiren.osc);
    start.setParameter(3, dubSiren.rate);
    start.setParameter(0, dubSiren.delayTime);
    start.setParameter(1, dubSiren.feedback);
    const state = stateObject(start.stateBlock());
    const performance = {
        midi: [{ seconds: 0, bytes: [0x90, 57, 100] }, { seconds: 0.5, bytes: [0x80, 57, 0] }],
        changes: [{ seconds: 0.3, index: 4, value: Math.fround(0.5) }],
    };
    const events = [
        ...performance.midi.map(({ seconds, bytes }) => ({ type: 'wam-midi', time: seconds, data: { bytes } })),
        ...performance.changes.map(({ seconds, value }) => ({
            type: 'wam-automation', time: seconds, data: { id: 'Mode', value, normalized: true },
        })),
    ];

    // A host's transport reaches every plug-in, and a faulty host may send events without data:
    // Halvo follows no transport, ignores what it cannot read, and renders as without them.
    events.push({ type: 'wam-transport', time: 0.1, data: { currentBar: 0, currentBarStarted: 0, tempo: 120,
        timeSigNumerator: 4, timeSigDenominator: 4, playing: true } });
    events.push({ type: 'wam-automation', time: 0.2 }, { type: 'wam-midi', time: 0.2, data: { bytes: [] } },
        { type: 'wam-automation', time: 0.2, data: { id: 'Gain', value: 'loud', normalized: true } });

    const page = await browser.newPage();
    // The page loads nothing that is missing and throws nothing.
    const complaints = complaintsOf(page);
    await page.goto(`${origin}/host/host.html`);
    await page.waitForFunction(() => window.hostReady === true);
    const report = await page.evaluate((options) => window.renderWithHalvo(options), { frames, sampleRate, state, events });

    assert.equal(report.descriptor.name, 'Halvo');
    assert.equal(report.descriptor.vendor, 'Drovask');
    assert.equal(report.descriptor.isInstrument, true);
    assert.equal(report.presets.length, 16);
    assert.deepEqual(Object.keys(report.parameterInfo),
        ['DelayTime', 'DelayFeedback', 'OSC', 'Rate', 'Mode', 'Reverb', 'Gain']);
    assert.deepEqual(Object.values(report.parameterInfo).map((info) => [info.minValue, info.maxValue, info.defaultValue]),
        [0.5, 0.5, 0.5, 0.005, 0, 0.5, 0.9].map((value) => [0, 1, Math.fround(value)]));
    assert.equal(report.gainText, '0.123457');
    assert.deepEqual(report.state, state);
    assert.match(report.refusal ?? '', /cannot read/);
    // The window shows the state the host gave, with the plug-in's value texts.
    assert.deepEqual(report.panel, { Gain: '0 dB', Rate: '0.5 Hz', Mode: '1 / 7', Reverb: '50 %', DelayTime: '0.38 s',
        DelayFeedback: '77 %', waveform: 'waveSquare' });

    const engine = newEngine(sampleRate);
    assert.ok(engine.setStateBlock(start.stateBlock()));
    const expected = renderPerformance(engine, performance, { sampleRate, blockSize: 128, totalSamples: frames });
    for (const channel of [0, 1]) {
        const differing = report.channels[channel].findIndex((x, i) => x !== expected[channel][i]);
        assert.equal(differing, -1, `channel ${channel} differs from frame ${differing} on`);
    }
    assert.ok(Math.max(...expected[0].map(Math.abs)) > 0.1, 'the note is heard');
    assert.deepEqual(complaints, []);
});

const snapshotTool = process.env.HALVO_SNAPSHOT ?? path.join(root, 'build/tools/snapshot/halvo-snapshot');
// Where the two pictures may differ: the oscilloscope (the snapshot holds a note) and the button text.
const unlikeAreas = [[385, 30, 216, 258], [556, 2, 65, 26]];
// A pixel differs when a channel is off by more than this (of 255); the bound is on their share.
const pixelTolerance = 24;
const differingShareBound = 0.0005;

// In the page: the share of pixels outside unlikeAreas that differ between two pictures of the window.
const differingShare = (first, second, scale, areas, tolerance) => {
    const pixels = async (url) => {
        const image = new Image();
        image.src = url;
        await image.decode();
        const canvas = new OffscreenCanvas(image.width, image.height);
        const g = canvas.getContext('2d');
        g.drawImage(image, 0, 0);
        return g.getImageData(0, 0, image.width, image.height);
    };
    return Promise.all([pixels(first), pixels(second)]).then(([a, b]) => {
        if (a.width !== b.width || a.height !== b.height) return `sizes ${a.width}x${a.height} and ${b.width}x${b.height}`;
        const inArea = (x, y) => areas.some(([left, top, width, height]) =>
            x >= left * scale && x < (left + width) * scale && y >= top * scale && y < (top + height) * scale);
        let compared = 0;
        let differing = 0;
        for (let y = 0; y < a.height; ++y)
            for (let x = 0; x < a.width; ++x) {
                if (inArea(x, y)) continue;
                ++compared;
                const i = 4 * (y * a.width + x);
                if ([0, 1, 2].some((c) => Math.abs(a.data[i + c] - b.data[i + c]) > tolerance)) ++differing;
            }
        return differing / compared;
    });
};

// Frequency from the rising zero crossings of a steady tone.
const frequencyOf = (samples, sampleRate) => {
    const crossings = [];
    for (let i = 1; i < samples.length; ++i)
        if (samples[i - 1] < 0 && samples[i] >= 0) crossings.push(i - samples[i] / (samples[i] - samples[i - 1]));
    return ((crossings.length - 1) * sampleRate) / (crossings.at(-1) - crossings[0]);
};

// A Web MIDI with one input, whose messages the test sends; Web MIDI cannot start headless.
const stubWebMidi = () => {
    const input = new EventTarget();
    Object.assign(input, { id: 'test-input', name: 'Test controller' });
    window.sendTestMidi = (bytes) => input.dispatchEvent(Object.assign(new Event('midimessage'), { data: new Uint8Array(bytes) }));
    const access = new EventTarget();
    access.inputs = new Map([[input.id, input]]);
    navigator.requestMIDIAccess = async () => access;
};

test('the page shows the plug-in window and plays, learns, saves and shares as it does', async (t) => {
    const { browser, origin, complaints: complaintsOf } = await startBrowser(t);
    const folder = scratchFolder();
    const page = await browser.newPage();
    const complaints = complaintsOf(page);
    await page.evaluateOnNewDocument(stubWebMidi);
    const values = () => page.evaluate(async () => {
        const values = await window.halvoPage.halvo.audioNode.getParameterValues(true);
        return Object.fromEntries(Object.entries(values).map(([id, { value }]) => [id, value]));
    });
    const open = async (scale, address = `${origin}/`) => {
        await page.setViewport({ width: 700, height: 500, deviceScaleFactor: scale });
        await page.goto(address);
        await page.waitForFunction(() => window.halvoPage);
        // Pictures decoded and the first refresh shown.
        await page.waitForFunction(() => document.fonts.status === 'loaded' &&
            window.halvoPage.gui.shadowRoot.querySelector('[aria-pressed="true"][data-waveform]'));
        await new Promise((resolve) => setTimeout(resolve, 300));
    };

    await t.test('at device scales 1 and 2 the window is the plug-in window, picture for picture', async (scaleTest) => {
        for (const scale of [1, 2]) {
            const native = path.join(folder, `native-${scale}.png`);
            execFileSync(snapshotTool, [native, '--scale', String(scale)], { stdio: 'ignore' });
            await open(scale);
            const shot = await (await page.$('.halvo-window')).screenshot({ encoding: 'base64' });
            const share = await page.evaluate(differingShare, `data:image/png;base64,${shot}`,
                `data:image/png;base64,${fs.readFileSync(native).toString('base64')}`, scale, unlikeAreas, pixelTolerance);
            scaleTest.diagnostic(`scale ${scale}: ${(share * 100).toFixed(3)} % of the compared pixels differ by more than ${pixelTolerance}`);
            assert.ok(share <= differingShareBound, `at scale ${scale}: ${typeof share === 'number' ? `${(share * 100).toFixed(2)} % of the pixels differ` : share}`);
        }
    });

    await t.test('at rest the window touches nothing on the page: no style, no layout, no oscilloscope paint', async () => {
        const client = await page.createCDPSession();
        await client.send('Performance.enable');
        const counts = async () => {
            const { metrics } = await client.send('Performance.getMetrics');
            return metrics.filter(({ name }) => ['LayoutCount', 'RecalcStyleCount'].includes(name)).map(({ value }) => value);
        };
        const before = await counts();
        await new Promise((resolve) => setTimeout(resolve, 1000));
        assert.deepEqual(await counts(), before);
        await client.detach();
    });

    const knob = (id) => page.$(`pierce/.knob[data-parameter="${id}"]`);
    const centre = async (handle) => {
        const box = await handle.boundingBox();
        return [box.x + box.width / 2, box.y + box.height / 2];
    };
    const label = (id) => page.evaluate((id) => {
        const element = window.halvoPage.gui.shadowRoot.querySelector(`.value[data-parameter="${id}"]`);
        return element.hidden ? null : element.textContent;
    }, id);

    await t.test('a knob drags, resets and shows its value under the pointer; a waveform button picks the waveform', async () => {
        const [x, y] = await centre(await knob('Gain'));
        await page.mouse.move(x, y);
        assert.equal(await label('Gain'), '0 dB');
        // 50 pixels up from 0 dB: a fifth of the sweep, on this knob's skew 5 dB.
        await page.mouse.down();
        await page.mouse.move(x, y - 50, { steps: 5 });
        await page.mouse.up();
        assert.equal((await values()).Gain, Math.fround(0.95));
        await page.waitForFunction(() => window.halvoPage.gui.shadowRoot.querySelector('.value[data-parameter="Gain"]')
            .textContent === '5 dB');
        await page.mouse.click(x, y, { clickCount: 2 });
        assert.equal((await values()).Gain, Math.fround(0.9));
        await page.mouse.move(0, 0);
        assert.equal(await label('Gain'), null);

        await (await page.$('pierce/[data-waveform="waveSine"]')).click();
        assert.equal((await values()).OSC, 0);
    });

    await t.test('a preset from the menu sets the parameters, and the window shows them', async () => {
        await page.select('#presets', 'Plain Sine');
        const engine = newEngine();
        engine.applyPreset(engine.presets().findIndex(({ name }) => name === 'Plain Sine'));
        assert.deepEqual(await values(), Object.fromEntries(engine.parameterIds.map((id, i) => [id, engine.parameter(i)])));
        await page.waitForFunction(() => window.halvoPage.gui.shadowRoot.querySelector('.value[data-parameter="Gain"]')
            .textContent === '5 dB');
    });

    await t.test('a letter key plays its note by its place on the keyboard', async () => {
        await page.evaluate(() => {
            const { halvo, context } = window.halvoPage;
            window.analyser = new AnalyserNode(context, { fftSize: 8192 });
            halvo.audioNode.connect(window.analyser);
        });
        // The key A on a US keyboard, Q on a French one: the tenth letter from Q, MIDI note 58.
        await page.keyboard.down('KeyA');
        await new Promise((resolve) => setTimeout(resolve, 500));
        const { samples, sampleRate } = await page.evaluate(() => {
            const samples = new Float32Array(window.analyser.fftSize);
            window.analyser.getFloatTimeDomainData(samples);
            return { samples: Array.from(samples), sampleRate: window.halvoPage.context.sampleRate };
        });
        await page.keyboard.up('KeyA');
        assert.ok(Math.max(...samples.map(Math.abs)) > 0.05, 'the note is heard');
        const expected = 440 * 2 ** ((58 - 69) / 12);
        const heard = frequencyOf(samples, sampleRate);
        assert.ok(Math.abs(heard / expected - 1) < 0.01, `${heard.toFixed(1)} Hz heard for ${expected.toFixed(1)} Hz`);
    });

    await t.test('MIDI learn assigns a controller from the chosen MIDI input on the chosen channel, as the options panel shows', async () => {
        await page.click('#midi-access');
        assert.equal(await page.$eval('#midi-input', (chooser) => chooser.selectedOptions[0].text), 'Test controller');
        await (await page.$('pierce/.learn')).click();
        const [x, y] = await centre(await knob('Rate'));
        await page.mouse.move(x, y);
        await page.evaluate(() => window.sendTestMidi([0xb0, 21, 64]));
        await page.waitForFunction(() => [...window.halvoPage.gui.shadowRoot.querySelectorAll('.options .option')]
            .some((option) => option.textContent === 'Rate: CC 21'));
        // Controllers from channel 2 only: the one on channel 1 is not taken, the one on 2 is.
        await page.select('pierce/.channel', '2');
        await (await page.$('pierce/.learn')).click();
        await page.evaluate(() => window.sendTestMidi([0xb1, 21, 0]));
        await page.waitForFunction(async () => (await window.halvoPage.halvo.audioNode.getParameterValues(true)).Rate.value === 0);
        await page.evaluate(() => window.sendTestMidi([0xb0, 21, 127]));
        await new Promise((resolve) => setTimeout(resolve, 200));
        assert.equal((await values()).Rate, 0);
    });

    await t.test('the saved sound is the plug-in state block for the same settings, and its link restores it', async () => {
        const client = await page.createCDPSession();
        await client.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: folder });
        await page.click('#save');
        const saved = path.join(folder, 'Halvo sound.halvostate');
        for (let waited = 0; waited < 10000 && !fs.existsSync(saved); waited += 100)
            await new Promise((resolve) => setTimeout(resolve, 100));
        const native = path.join(folder, 'native.bin');
        render(midiFile(folder), '--tail', '0.01', '-o', path.join(folder, 'scratch.wav'), '--preset', 'Plain Sine',
            '--set', 'Rate=0', '--map', 'Rate=21', '--midi-channel', '2', '--save-state', native);
        assert.deepEqual(fs.readFileSync(saved), fs.readFileSync(native));

        const before = await values();
        await page.click('#share');
        await page.waitForFunction(() => location.hash.startsWith('#sound='));
        const link = await page.evaluate(() => location.href);
        await open(1, `${origin}/`);
        await page.select('#presets', 'Dub Siren');
        await page.goto('about:blank');
        await open(1, link);
        assert.deepEqual(await values(), before);
        // A link pasted into the open page sets its sound too.
        await page.select('#presets', 'Dub Siren');
        await page.evaluate((hash) => {
            history.replaceState(null, '', location.pathname);
            location.hash = hash;
        }, new URL(link).hash);
        await page.waitForFunction((rate) => window.halvoPage.halvo.audioNode.getParameterValues(true)
            .then((values) => values.Rate.value === rate), {}, before.Rate);
    });

    assert.deepEqual(complaints, []);
});
