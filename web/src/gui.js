// The Halvo window for web hosts, drawn from the plug-in's artwork: the six knobs, the waveform
// buttons, the MIDI learn display with its options panel, the about card behind the logo and the
// oscilloscope. As the plug-in's window does, it polls the instrument every 50 ms and changes only
// what changed, so automation, restored states and presets show at once and a window at rest
// paints nothing.
import { artworkSet, artworkUrl, loadWindowFont, watchArtworkSet } from './window/artwork.js';
import { createAboutCard } from './window/about-card.js';
import { createKeyPlayer } from './window/computer-keys.js';
import { createKnob } from './window/knob.js';
import { knobScales } from './window/knob-scales.js';
import { createOptionsPanel } from './window/options-panel.js';
import { createScope } from './window/scope.js';
import { windowStyle } from './window/style.js';

const refreshMilliseconds = 50;
const waveforms = [
    { name: 'waveSine', value: 0, bounds: [325, 115, 30, 27] },
    { name: 'waveSaw', value: 0.5, bounds: [325, 147, 30, 27] },
    { name: 'waveSquare', value: 1, bounds: [325, 177, 30, 27] },
];

const placed = (tag, className, [left, top, width, height]) => {
    const element = document.createElement(tag);
    element.className = className;
    Object.assign(element.style, { left: `${left}px`, top: `${top}px`, width: `${width}px`, height: `${height}px` });
    return element;
};

export function createHalvoGui(wam) {
    const node = wam.audioNode;
    loadWindowFont();
    const element = document.createElement('div');
    element.className = 'halvo-window';
    element.tabIndex = 0;
    const root = element.attachShadow({ mode: 'open' });
    root.innerHTML = `<style>${windowStyle}</style><div class="window" part="window"></div>`;
    const frame = root.querySelector('.window');

    const setParameter = (id, value) => node.setParameterValues({ [id]: { id, value, normalized: true } });
    let learning = false;
    const pointAt = (id, over) => learning && node.setMidiLearnTarget(over ? id : null);

    const knobs = {};
    for (const [id, scale] of Object.entries(knobScales))
        knobs[id] = createKnob(id, scale, {
            onValue: (value) => setParameter(id, value),
            onPointer: (over) => pointAt(id, over),
        });
    const { OSC: waveformKnob, ...dialKnobs } = knobs;
    for (const knob of Object.values(dialKnobs)) frame.append(...knob.elements);

    const waveButtons = waveforms.map(({ name, value, bounds }) => {
        const button = placed('div', 'wave', bounds);
        button.dataset.waveform = name;
        button.setAttribute('role', 'button');
        button.addEventListener('pointerdown', (event) => event.button === 0 && setParameter('OSC', value));
        frame.append(button);
        return button;
    });
    // Lies over the waveform buttons while learning, so the waveform can take a controller.
    const [waveformLearnArea] = waveformKnob.elements;
    waveformLearnArea.hidden = true;
    frame.append(waveformLearnArea);

    const scope = createScope();
    const options = createOptionsPanel({
        onChannel: (channel) => node.setMidiChannel(channel),
        onUnlearn: () => node.clearMidiAssignments(),
    });
    const about = createAboutCard(wam.descriptor);

    const learnButton = placed('button', 'frame learn', [554, 0, 69, 30]);
    learnButton.textContent = 'MIDI Learn';
    learnButton.setAttribute('aria-pressed', 'false');
    learnButton.onclick = () => {
        learning = !learning;
        learnButton.setAttribute('aria-pressed', String(learning));
        options.element.hidden = !learning;
        waveformLearnArea.hidden = !learning;
        for (const knob of Object.values(knobs)) knob.setLearning(learning);
        if (!learning) node.setMidiLearnTarget(null);
    };
    const logo = placed('button', 'frame logo', [0, 0, 146, 30]);
    logo.title = `About ${wam.descriptor.name}`;
    logo.onclick = about.toggle;
    frame.append(scope.element, options.element, learnButton, logo, about.element);

    let set = 0;
    const showArtworkSet = (next) => {
        set = next;
        frame.style.backgroundImage = `url(${artworkUrl('editorBackground', 'jpg', set)})`;
        for (const knob of Object.values(knobs)) knob.setArtworkSet(set);
        about.setArtworkSet(set);
        shownWaveform = -1;
    };
    let shownWaveform = -1;
    const showWaveform = (osc) => {
        const on = Math.sign(osc * 2) * Math.floor(Math.abs(osc * 2) + 0.5);
        if (on === shownWaveform) return;
        shownWaveform = on;
        waveButtons.forEach((button, index) => {
            const { name } = waveforms[index];
            button.setAttribute('aria-pressed', String(index === on));
            button.style.backgroundImage = `url(${artworkUrl(index === on ? `${name}Down` : name, 'png', set)})`;
        });
    };
    showArtworkSet(artworkSet());
    const stopWatching = watchArtworkSet(showArtworkSet);

    let pending = false;
    let lastScope = new Float32Array(0);
    let shownPixelScale = 0;
    const refresh = async () => {
        if (pending || !element.isConnected) return;
        pending = true;
        try {
            const display = await node.getDisplay();
            for (const [id, value] of Object.entries(display.values)) {
                knobs[id]?.show(value);
                if (id === 'OSC') showWaveform(value);
            }
            options.update(display.controllers, display.channel);
            // No samples come while the instrument stays silent; the trace is then repainted only
            // for a screen of another resolution.
            lastScope = display.scope ?? lastScope;
            const pixelScale = globalThis.devicePixelRatio || 1;
            if (display.scope || pixelScale !== shownPixelScale) scope.update(lastScope, pixelScale);
            shownPixelScale = pixelScale;
        } finally {
            pending = false;
        }
    };
    const timer = setInterval(refresh, refreshMilliseconds);
    refresh();

    const keys = createKeyPlayer((bytes) =>
        node.scheduleEvents({ type: 'wam-midi', time: node.context.currentTime, data: { bytes } }));
    element.addEventListener('keydown', (event) => keys.press(event, true));
    element.addEventListener('keyup', (event) => keys.press(event, false));
    element.addEventListener('blur', keys.release);
    element.refresh = refresh;
    element.destroy = () => {
        clearInterval(timer);
        stopWatching();
        keys.release();
        if (learning) node.setMidiLearnTarget(null);
    };
    return element;
}
