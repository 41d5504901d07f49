// halvo-render's built-in demo phrase (tools/render/DemoPhrase.cpp) as timed events, and a player
// that hands them to the engine block by block as the renderer does: MIDI at its offset within
// the block it falls in, parameter changes just before that block.

const [delayTime, delayFeedback, osc, rate, mode, reverb, gain] = [0, 1, 2, 3, 4, 5, 6];
const [sine, saw, square] = [0, 0.5, 1];

export const demoLengthSeconds = 20;
export const tailSeconds = 4;

export function demoPhrase() {
    const midi = [];
    const changes = [];
    const note = (start, end, number) => {
        midi.push({ seconds: start, bytes: [0x90, number, 100] });
        midi.push({ seconds: end, bytes: [0x80, number, 0] });
    };
    const set = (seconds, index, value) => changes.push({ seconds, index, value: Math.fround(value) });

    set(0, rate, 0);
    set(0, mode, 0);
    set(0, delayFeedback, 0.35);
    set(0, reverb, 0.3);
    set(0, gain, 0.95);
    let start = 0;
    for (const waveform of [sine, saw, square]) {
        set(start, osc, waveform);
        note(start, start + 1, 57);
        start += 1.2;
    }

    const sweeps = 3.6;
    set(sweeps, osc, saw);
    set(sweeps, rate, 0.05);
    const sweepNotes = [45, 48, 52, 45, 50, 52, 57];
    for (let m = 0; m < 7; ++m) {
        const at = sweeps + 2 * m;
        set(at, mode, Math.fround(m) / 6);
        note(at, at + 1.7, sweepNotes[m]);
    }

    const echoes = 17.6;
    set(echoes, mode, 0);
    set(echoes, rate, 0);
    set(echoes, osc, sine);
    set(echoes, delayTime, 0.25);
    set(echoes, delayFeedback, 0.5);
    set(echoes, reverb, 0.4);
    const steps = [echoes, echoes + 0.3, echoes + 0.6, echoes + 0.9, echoes + 1.5];
    [57, 60, 64, 69].forEach((number, step) => note(steps[step], steps[step + 1], number));
    set(echoes + 1, delayTime, 0.35);

    const bySeconds = (a, b) => a.seconds - b.seconds;
    return { midi: midi.sort(bySeconds), changes: changes.sort(bySeconds) };
}

const samplesAt = (seconds, sampleRate) => Math.max(0, Math.round(seconds * sampleRate));

// Plays a performance through an engine in blocks; returns the left and right channels.
export function renderPerformance(engine, performance, { sampleRate, blockSize, totalSamples }) {
    const left = new Float32Array(totalSamples);
    const right = new Float32Array(totalSamples);
    const midi = performance.midi.map((event) => ({ ...event, position: samplesAt(event.seconds, sampleRate) }));
    const changes = performance.changes.map((change) => ({ ...change, position: samplesAt(change.seconds, sampleRate) }));
    let nextMidi = 0;
    let nextChange = 0;
    for (let start = 0; start < totalSamples; start += blockSize) {
        const frames = Math.min(blockSize, totalSamples - start);
        for (; nextMidi < midi.length && midi[nextMidi].position < start + frames; ++nextMidi)
            engine.midi(Math.max(0, midi[nextMidi].position - start), ...midi[nextMidi].bytes);
        for (; nextChange < changes.length && changes[nextChange].position < start + frames; ++nextChange)
            engine.setParameter(changes[nextChange].index, changes[nextChange].value);
        engine.process(frames, true);
        left.set(engine.output(0), start);
        right.set(engine.output(1), start);
    }
    return [left, right];
}
