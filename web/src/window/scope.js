// The oscilloscope: the instrument's latest output as a white trace that fades in from the middle
// line at both edges, one point per device pixel column. It repaints only when the trace moved by
// at least 1/64 of a pixel somewhere, so a window with nothing sounding paints nothing.
const bounds = { left: 385, top: 30, width: 216, height: 258 };
const fadeWidth = 40;
const traceSteps = 64;
const farOutside = 4;

const drawnSample = (sample) => (Number.isFinite(sample) ? Math.min(farOutside, Math.max(-farOutside, sample)) : 0);

export const createScope = () => {
    const canvas = document.createElement('canvas');
    canvas.className = 'scope';
    Object.assign(canvas.style, {
        left: `${bounds.left}px`, top: `${bounds.top}px`, width: `${bounds.width}px`, height: `${bounds.height}px`,
    });
    let samples = new Float32Array(0);
    let shown = new Int32Array(0);
    let pixelScale = 0;

    const paint = () => {
        canvas.width = Math.round(bounds.width * pixelScale);
        canvas.height = Math.round(bounds.height * pixelScale);
        const g = canvas.getContext('2d');
        g.setTransform(pixelScale, 0, 0, pixelScale, 0, 0);
        const mid = bounds.height / 2;
        const columns = Math.round(bounds.width * pixelScale);
        g.beginPath();
        g.moveTo(0, mid);
        for (let column = 1; column < columns; ++column) {
            const x = column / pixelScale;
            const index = Math.min(samples.length - 1, Math.floor(((samples.length - 1) * x) / bounds.width));
            let sample = samples.length > 0 ? drawnSample(samples[index]) : 0;
            if (x < fadeWidth) sample *= x / fadeWidth;
            else if (x > bounds.width - fadeWidth) sample *= (bounds.width - x) / fadeWidth;
            g.lineTo(x, mid - sample * 2 * mid);
        }
        g.strokeStyle = '#f5f5f5';
        g.lineWidth = 2;
        g.lineJoin = 'miter';
        g.lineCap = 'butt';
        g.stroke();
    };

    return {
        element: canvas,
        // Returns whether it painted.
        update(nextSamples, nextPixelScale) {
            const heights = Int32Array.from(nextSamples, (sample) => Math.round(drawnSample(sample) * bounds.height * traceSteps));
            const moved = nextPixelScale !== pixelScale || heights.length !== shown.length ||
                heights.some((height, i) => height !== shown[i]);
            if (!moved) return false;
            samples = Float32Array.from(nextSamples);
            shown = heights;
            pixelScale = nextPixelScale;
            paint();
            return true;
        },
    };
};
