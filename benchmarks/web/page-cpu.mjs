// CPU of the page out/web/index.html in Debian's headless Chromium at 1x or 2x: every process of
// the browser, from /proc, over a span of seconds, with the audio not yet started (no click yet),
// with it running and nothing played, and with a note held (the default patch, the oscilloscope
// moving). Also the page's own main-thread task time, from Chromium's performance metrics.
//
//   node benchmarks/web/page-cpu.mjs [seconds] [device scale]
import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

import puppeteer from '../../web/node_modules/puppeteer-core/lib/esm/puppeteer/puppeteer-core.js';

const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');
const site = path.join(root, 'out/web');
const seconds = Number(process.argv[2] ?? 30);
const scale = Number(process.argv[3] ?? 1);
const ticksPerSecond = 100;

const types = { '.js': 'text/javascript', '.wasm': 'application/wasm', '.json': 'application/json', '.html': 'text/html',
    '.png': 'image/png', '.jpg': 'image/jpeg', '.css': 'text/css', '.ttf': 'font/ttf' };
const server = http.createServer((request, response) => {
    const { pathname } = new URL(request.url, 'http://localhost');
    const file = path.join(site, path.normalize(pathname.endsWith('/') ? `${pathname}index.html` : pathname));
    if (!file.startsWith(site) || !fs.existsSync(file)) return response.writeHead(404).end();
    response.writeHead(200, { 'Content-Type': types[path.extname(file)] ?? 'application/octet-stream' });
    fs.createReadStream(file).pipe(response);
});
await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));

// User and system time, in clock ticks, of a process and everything it started.
const treeTicks = (rootPid) => {
    const stats = fs.readdirSync('/proc').filter((name) => /^\d+$/.test(name)).flatMap((pid) => {
        try {
            const fields = fs.readFileSync(`/proc/${pid}/stat`, 'utf8').split(') ')[1].split(' ');
            return [{ pid: Number(pid), parent: Number(fields[1]), ticks: Number(fields[11]) + Number(fields[12]) }];
        } catch {
            return [];
        }
    });
    const tree = new Set([rootPid]);
    for (let grown = true; grown;) {
        grown = false;
        for (const { pid, parent } of stats) if (tree.has(parent) && !tree.has(pid)) grown = tree.add(pid);
    }
    return stats.filter(({ pid }) => tree.has(pid)).reduce((sum, { ticks }) => sum + ticks, 0);
};

const measure = async (name, autoplay, prepare) => {
    const args = ['--no-sandbox', '--headless=new'];
    if (autoplay) args.push('--autoplay-policy=no-user-gesture-required');
    const browser = await puppeteer.launch({ executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium', args });
    const page = await browser.newPage();
    await page.setViewport({ width: 700, height: 500, deviceScaleFactor: scale });
    await page.goto(`http://127.0.0.1:${server.address().port}/`);
    await page.waitForFunction(() => window.halvoPage);
    await prepare(page);
    await new Promise((resolve) => setTimeout(resolve, 2000));
    const client = await page.createCDPSession();
    await client.send('Performance.enable');
    const taskSeconds = async () => (await client.send('Performance.getMetrics')).metrics.find((m) => m.name === 'TaskDuration').value;
    const pid = browser.process().pid;
    const [ticks, tasks] = [treeTicks(pid), await taskSeconds()];
    await new Promise((resolve) => setTimeout(resolve, seconds * 1000));
    const share = (treeTicks(pid) - ticks) / ticksPerSecond / seconds;
    const pageShare = ((await taskSeconds()) - tasks) / seconds;
    const state = await page.evaluate(() => window.halvoPage.context.state);
    console.log(`${name} (audio ${state}): browser ${(share * 100).toFixed(1)} % of one core, page main thread ${(pageShare * 100).toFixed(2)} %`);
    await browser.close();
};

console.log(`Halvo's page at ${scale}x, ${seconds} s each:`);
await measure('Before the first click', false, async () => {});
await measure('Nothing played', true, async () => {});
await measure('A held note', true, (page) => page.keyboard.down('KeyA'));
server.close();
