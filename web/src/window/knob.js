// A knob of the window: the filmstrip frame for its value, dragged up or down, reset by a
// double-click, its value text shown below while the pointer is over it or drags it, and while
// MIDI learn is on, the learn brackets instead of the text. A scale without a strip or a label
// draws only the brackets.
import { artworkUrl } from './artwork.js';
import { frameOf, pixelsForFullSweep, proportionOf, snapped, valueAt } from './knob-scales.js';

const place = (element, [left, top, width, height]) =>
    Object.assign(element.style, { left: `${left}px`, top: `${top}px`, width: `${width}px`, height: `${height}px` });

const bracketsSvg = (width, height) => {
    const arm = 5;
    return `<svg width="${width}" height="${height}" aria-hidden="true"><path d="M0 ${arm}V0H${arm}M${width - arm} 0H${width}V${arm}` +
        `M${width} ${height - arm}V${height}H${width - arm}M${arm} ${height}H0V${height - arm}"/></svg>`;
};

// scale: from knobScales; onValue(normalised) when the musician moves it; onPointer(over) when the
// pointer comes or goes.
export const createKnob = (id, scale, { onValue, onPointer }) => {
    const [, , size, height] = scale.bounds;
    const knob = document.createElement('div');
    knob.className = 'knob';
    knob.dataset.parameter = id;
    place(knob, scale.bounds);
    knob.innerHTML = bracketsSvg(size, height);
    const label = document.createElement('div');
    label.className = 'value';
    label.dataset.parameter = id;
    label.hidden = true;
    if (scale.label) place(label, scale.label);

    let value = null;
    let frame = -1;
    let text = '';
    let over = false;
    let drag = null;
    let learning = false;

    const showFrame = () => {
        const next = frameOf(proportionOf(scale, value));
        if (next === frame) return;
        frame = next;
        knob.style.backgroundPosition = `0 ${-frame * size}px`;
    };
    const showLabel = () => {
        label.hidden = learning || !(over || drag);
        knob.classList.toggle('target', learning && (over || drag !== null));
    };
    const move = (next) => {
        if (next === value) return;
        value = next;
        showFrame();
        onValue(Math.fround(scale.normalised(value)));
    };

    knob.addEventListener('pointerenter', () => {
        over = true;
        showLabel();
        onPointer(true);
    });
    knob.addEventListener('pointerleave', () => {
        over = false;
        showLabel();
        onPointer(false);
    });
    knob.addEventListener('pointerdown', (event) => {
        if (event.button !== 0) return;
        knob.setPointerCapture(event.pointerId);
        drag = { y: event.clientY, proportion: proportionOf(scale, value) };
        showLabel();
    });
    knob.addEventListener('pointermove', (event) => {
        if (!drag) return;
        const proportion = Math.min(1, Math.max(0, drag.proportion + (drag.y - event.clientY) / pixelsForFullSweep));
        move(snapped(scale, valueAt(scale, proportion)));
    });
    const endDrag = () => {
        drag = null;
        showLabel();
    };
    knob.addEventListener('pointerup', endDrag);
    knob.addEventListener('pointercancel', endDrag);
    knob.addEventListener('dblclick', () => scale.reset !== null && move(scale.reset));

    return {
        elements: scale.label ? [knob, label] : [knob],
        // The parameter's normalised value, as the instrument holds it.
        show(normalised) {
            const shown = scale.shown(normalised);
            if (!drag) {
                value = snapped(scale, shown);
                showFrame();
            }
            const nextText = scale.text(shown);
            if (nextText !== text) label.textContent = text = nextText;
        },
        setArtworkSet(set) {
            if (scale.strip) knob.style.backgroundImage = `url(${artworkUrl(scale.strip, 'png', set)})`;
        },
        setLearning(on) {
            learning = on;
            showLabel();
        },
    };
};
