// The knobs as the plug-in window shows them: each parameter's range in its own unit, the step and
// skew of its knob, the value text under it and the value a double-click returns to. Values are
// worked out in single precision where the plug-in works them out so, so the texts agree.
const f = Math.fround;

const truncate = (value) => Math.trunc(value);
// The delay time's constants are the plug-in's single-precision ones.
const shortestDelay = f(0.1);
const delaySpan = f(0.9);
const roundHalfAwayFromZero = (value) => Math.sign(value) * Math.floor(Math.abs(value) + 0.5);

// Printed from a whole number, so no formatting step rounds a second time.
export const fixedDecimalText = (value, decimals) => {
    const digits = String(Math.trunc(Math.abs(value) * 10 ** decimals + 0.5)).padStart(decimals + 1, '0');
    const text = decimals > 0 ? `${digits.slice(0, -decimals)}.${digits.slice(-decimals)}` : digits;
    return value < 0 ? `-${text}` : text;
};

const rateText = (hz) => fixedDecimalText(hz, hz < 0.01 ? 3 : hz < 0.1 ? 2 : 1) + ' Hz';

// id: the parameter; strip: the filmstrip and its frame size; minimum, maximum, step, skew: the
// knob's range in shown units; shown(n): the shown value of a normalised one; normalised(v): back.
export const knobScales = {
    Gain: {
        strip: 'Boutonalu_50x50', bounds: [25, 85, 50, 50], label: [28, 137, 44, 24],
        minimum: -90, maximum: 10, step: 1, skew: 6.5, reset: 0,
        shown: (n) => truncate(f(f(n * 100) - 90)), normalised: (v) => (v + 90) / 100, text: (v) => `${v} dB`,
    },
    Rate: {
        strip: 'Boutonalu_50x50', bounds: [160, 85, 50, 50], label: [163, 137, 44, 24],
        minimum: 0, maximum: 20, step: 0.001, skew: 0.4, reset: 10,
        shown: (n) => f(n * 20), normalised: (v) => v / 20, text: rateText,
    },
    Mode: {
        strip: 'Boutonalu_50x50', bounds: [246, 85, 50, 50], label: [250, 137, 44, 24],
        minimum: 0, maximum: 6, step: 1, skew: 1, reset: 0,
        shown: (n) => roundHalfAwayFromZero(f(n * 6)), normalised: (v) => v / 6, text: (v) => `${v + 1} / 7`,
    },
    Reverb: {
        strip: 'Boutonrouge_40x40', bounds: [63, 224, 40, 40], label: [62, 266, 44, 24],
        minimum: 0, maximum: 100, step: 1, skew: 1, reset: 50,
        shown: (n) => f(n * 100), normalised: (v) => v / 100, text: (v) => `${truncate(v)} %`,
    },
    DelayTime: {
        strip: 'Boutonvert_40x40', bounds: [192, 224, 40, 40], label: [191, 266, 44, 24],
        minimum: shortestDelay, maximum: 1, step: 0.01, skew: 0.6, reset: 0.4,
        shown: (n) => f(f(n * delaySpan) + shortestDelay), normalised: (v) => (v - shortestDelay) / delaySpan, text: (v) => `${fixedDecimalText(v, 2)} s`,
    },
    DelayFeedback: {
        strip: 'Boutonvert_40x40', bounds: [260, 224, 40, 40], label: [262, 266, 44, 24],
        minimum: 0, maximum: 110, step: 1, skew: 1, reset: 55,
        shown: (n) => f(n * 110), normalised: (v) => v / 110, text: (v) => `${truncate(v)} %`,
    },
    // Over the waveform buttons while MIDI learn is on: no picture, no text, a drag steps the waveform.
    OSC: {
        strip: null, bounds: [322, 112, 36, 95], label: null,
        minimum: 0, maximum: 2, step: 1, skew: 1, reset: null,
        shown: (n) => roundHalfAwayFromZero(f(n * 2)), normalised: (v) => v * 0.5, text: () => '',
    },
};

// The knob's value for a shown one, on its steps and within its range.
export const snapped = (scale, value) => {
    const stepped = scale.minimum + scale.step * Math.floor((value - scale.minimum) / scale.step + 0.5);
    return Math.min(scale.maximum, Math.max(scale.minimum, stepped));
};

// Where along its sweep (0 … 1) the knob's pointer stands for a value, and back.
export const proportionOf = (scale, value) => {
    const linear = Math.min(1, Math.max(0, (value - scale.minimum) / (scale.maximum - scale.minimum)));
    return scale.skew === 1 ? linear : linear ** scale.skew;
};

export const valueAt = (scale, proportion) => {
    const linear = scale.skew !== 1 && proportion > 0 ? Math.exp(Math.log(proportion) / scale.skew) : proportion;
    return scale.minimum + (scale.maximum - scale.minimum) * linear;
};

// Of the 128 frames, positions 0 … 1 show 0 … 126.
export const frameOf = (proportion) =>
    Math.floor((Number.isFinite(proportion) ? Math.min(1, Math.max(0, proportion)) : 0) * 126);

// A drag of this many pixels up sweeps a knob from one end to the other.
export const pixelsForFullSweep = 250;
