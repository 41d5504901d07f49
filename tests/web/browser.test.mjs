// The module in Debian's headless Chromium, loaded by URL into a minimal WAM host page from a
// local static server: it renders what the engine renders in Node, sample for sample.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';
import test from 'node:test';

import puppeteer from '../../web/node_modules/puppeteer-core/lib/esm/puppeteer/puppeteer-core.js';

import { stateObject } from '../../web/src/engine.js';
import { renderPerformance } from './demo-phrase.mjs';
import { moduleFolder, newEngine, root } from './support.mjs';

const contentTypes = { '.js': 'text/javascript', '.wasm': 'application/wasm', '.json': 'application/json',
    '.html': 'text/html', '.png': 'image/png' };
const folders = { '/halvo/': moduleFolder, '/host/': path.join(root, 'tests/web') };

// Served the way a web DAW on another site needs it: CORS and a cross-origin resource policy.
const serve = (request, response) => {
    const url = new URL(request.url, 'http://localhost');
    const prefix = Object.keys(folders).find((candidate) => url.pathname.startsWith(candidate));
    const file = prefix && path.join(folders[prefix], path.normalize(url.pathname.slice(prefix.length)));
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

const sampleRate = 44100;
const frames = sampleRate;
const dubSiren = { osc: 1, rate: 0.025, delayTime: 0.3056, feedback: 0.7 };

test('Chromium renders a note through the WAM as the engine does in Node', async (t) => {
    const server = http.createServer(serve);
    await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
    const browser = await puppeteer.launch({
        executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
        args: ['--no-sandbox', '--headless=new'],
    });
    t.after(async () => {
        await browser.close();
        server.close();
    });

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
    const complaints = [];
    page.on('console', (message) => ['error', 'warn'].includes(message.type()) && complaints.push(message.text()));
    page.on('pageerror', (error) => complaints.push(error.message));
    const { port } = server.address();
    await page.goto(`http://127.0.0.1:${port}/host/host.html`);
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
    assert.deepEqual(report.panel, ['DelayTime0.3056', 'DelayFeedback0.7', 'OSC1', 'Rate0.025', 'Mode0', 'Reverb0.5', 'Gain0.9']);

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
