// Time per sample of the WebAssembly chain in Node beside the native chain, same patches, same
// run: the native figures come from halvo-dsp-benchmarks (its halvoChainStereo benchmarks, the
// widest kernels the CPU has and the SSE2 ones), the WebAssembly figures from the module that
// scripts/build-web.sh wrote, both in stereo blocks of 512 samples with one held A4.
//
//   node benchmarks/web/chain-benchmark.mjs [path/to/halvo-dsp-benchmarks]
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

import { HalvoEngine } from '../../web/src/engine.js';

const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');
const nativeBenchmarks = process.argv[2]
    ?? path.join(root, 'build/benchmarks/dsp/halvo-dsp-benchmarks_artefacts/Release/halvo-dsp-benchmarks');
const engineModule = new WebAssembly.Module(fs.readFileSync(path.join(root, 'out/web/halvo/halvo-engine.wasm')));

const blockSize = 512;
const repetitions = 7;
const blocksPerRepetition = 2000;
const [oscIndex, modeIndex, reverbIndex] = [2, 4, 5];

// The patches of benchmarks/dsp: the instrument as a fresh instance sets it up, and the costliest
// one (sine, sweep mode 1, Reverb 1.0).
const patches = {
    0: () => {},
    1: (engine) => {
        engine.setParameter(oscIndex, 0);
        engine.setParameter(modeIndex, 1 / 6);
        engine.setParameter(reverbIndex, 1);
    },
};

const median = (values) => values.sort((a, b) => a - b)[Math.floor(values.length / 2)];

function webNanosecondsPerBlock(patch) {
    const engine = new HalvoEngine(engineModule, 44100);
    patches[patch](engine);
    engine.midi(0, 0x90, 69, 100);
    for (let i = 0; i < blocksPerRepetition; ++i) engine.process(blockSize, true);
    const times = [];
    for (let r = 0; r < repetitions; ++r) {
        const start = process.hrtime.bigint();
        for (let i = 0; i < blocksPerRepetition; ++i) engine.process(blockSize, true);
        times.push(Number(process.hrtime.bigint() - start) / blocksPerRepetition);
    }
    return median(times);
}

// The program prints its own table; the figures are read from the JSON file it also writes.
function nativeNanosecondsPerBlock() {
    const jsonFile = path.join(fs.mkdtempSync(path.join(os.tmpdir(), 'halvo-chain-')), 'native.json');
    execFileSync(nativeBenchmarks, [
        '--benchmark_filter=^halvoChainStereo', `--benchmark_out=${jsonFile}`, '--benchmark_out_format=json',
        `--benchmark_repetitions=${repetitions}`, '--benchmark_report_aggregates_only=true',
    ], { stdio: 'ignore' });
    const report = JSON.parse(fs.readFileSync(jsonFile, 'utf8'));
    const times = {};
    for (const run of report.benchmarks)
        if (run.aggregate_name === 'median') {
            const scale = { ns: 1, us: 1e3, ms: 1e6 }[run.time_unit];
            times[run.run_name] = run.cpu_time * scale;
        }
    return times;
}

const native = nativeNanosecondsPerBlock();
console.log(`Per sample, stereo, ${blockSize}-sample blocks, median of ${repetitions} runs:`);
for (const [patch, name] of [[0, 'default patch'], [1, 'worst patch']]) {
    const web = webNanosecondsPerBlock(patch);
    const sse2 = native[`halvoChainStereoSse2/patch:${patch}`];
    const widest = native[`halvoChainStereo/patch:${patch}`];
    const perSample = (ns) => `${(ns / blockSize).toFixed(2)} ns`;
    console.log(`${name}: WebAssembly ${perSample(web)}, native SSE2 ${perSample(sse2)}, native widest ${perSample(widest)};` +
        ` WebAssembly / SSE2 = ${(web / sse2).toFixed(2)}, / widest = ${(web / widest).toFixed(2)}`);
}
