// Halvo's panel for web hosts: the seven parameters with the plug-in's value texts, the factory
// presets, MIDI learn with the controller channel, and the computer keyboard playing notes. It
// polls the instrument, as the plug-in's window does, so controllers, automation and restored
// states show.

const style = `
    :host { display: block; font: 13px sans-serif; color: #ddd; background: #222; padding: 12px; width: 360px; }
    h1 { font-size: 18px; margin: 0 0 8px; color: #1f89d4; }
    label { display: grid; grid-template-columns: 110px 1fr 72px; align-items: center; gap: 8px; margin: 4px 0; }
    label.target { outline: 1px solid #1f89d4; }
    output { font-variant-numeric: tabular-nums; text-align: right; }
    .row { display: flex; gap: 8px; align-items: center; margin-top: 8px; }
    button[aria-pressed="true"] { background: #1f89d4; color: white; }
`;

// A piano's rows on any keyboard layout: the bottom letter row from C4, the row above for sharps.
const noteOfKey = {
    KeyZ: 60, KeyS: 61, KeyX: 62, KeyD: 63, KeyC: 64, KeyV: 65, KeyG: 66, KeyB: 67, KeyH: 68, KeyN: 69,
    KeyJ: 70, KeyM: 71, Comma: 72,
};

export function createHalvoGui(wam) {
    const node = wam.audioNode;
    const element = document.createElement('div');
    const root = element.attachShadow({ mode: 'open' });
    root.innerHTML = `<style>${style}</style><h1>Halvo</h1><div id="parameters"></div>
        <div class="row"><select id="presets"><option value="">Factory presets…</option></select></div>
        <div class="row"><button id="learn" aria-pressed="false">MIDI Learn</button>
        <select id="channel"></select><button id="unlearn">Unlearn All</button></div>`;

    const presets = root.getElementById('presets');
    for (const preset of wam.presets) presets.add(new Option(preset.name, preset.name));
    presets.title = 'A preset sets the seven parameters; controller assignments stay';
    presets.onchange = () => presets.value && node.loadPreset(presets.value).then(() => (presets.value = ''));

    const channel = root.getElementById('channel');
    channel.add(new Option('Any channel', '0'));
    for (let c = 1; c <= 16; ++c) channel.add(new Option(`Channel ${c}`, String(c)));
    channel.onchange = () => node.setMidiChannel(Number(channel.value));

    let learning = false;
    const learn = root.getElementById('learn');
    learn.onclick = () => {
        learning = !learning;
        learn.setAttribute('aria-pressed', String(learning));
        if (!learning) node.setMidiLearnTarget(null);
    };
    root.getElementById('unlearn').onclick = () => node.clearMidiAssignments();

    const rows = {};
    node.getParameterInfo().then((info) => {
        for (const id of Object.keys(info)) {
            const row = document.createElement('label');
            row.innerHTML = `<span></span><input type="range" min="0" max="1" step="0.001"><output></output>`;
            const slider = row.querySelector('input');
            slider.oninput = () => node.setParameterValues({ [id]: { id, value: Number(slider.value), normalized: true } });
            slider.ondblclick = () => node.setParameterValues({ [id]: { id, value: info[id].defaultValue, normalized: true } });
            // While learning, the parameter under the pointer takes the next controller.
            row.onpointerenter = () => learning && node.setMidiLearnTarget(id);
            row.onpointerleave = () => learning && node.setMidiLearnTarget(null);
            rows[id] = row;
            root.getElementById('parameters').append(row);
        }
    });

    const refresh = async () => {
        const [values, assignments] = await Promise.all([node.getParameterValues(true), node.getMidiAssignments()]);
        for (const [id, row] of Object.entries(rows)) {
            const controller = assignments.controllers[id];
            row.querySelector('span').textContent = controller >= 0 ? `${id} (CC ${controller})` : id;
            row.querySelector('output').textContent = wam.parameterText(values[id].value);
            const slider = row.querySelector('input');
            if (root.activeElement !== slider) slider.value = String(values[id].value);
            row.classList.toggle('target', learning && row.matches(':hover'));
        }
        channel.value = String(assignments.channel);
    };
    const timer = setInterval(() => element.isConnected && refresh(), 100);

    const held = new Set();
    const play = (event, down) => {
        const note = noteOfKey[event.code];
        if (note === undefined || event.repeat || held.has(note) === down) return;
        if (down) held.add(note);
        else held.delete(note);
        node.scheduleEvents({ type: 'wam-midi', time: node.context.currentTime, data: { bytes: [down ? 0x90 : 0x80, note, down ? 100 : 0] } });
    };
    element.tabIndex = 0;
    element.onkeydown = (event) => play(event, true);
    element.onkeyup = (event) => play(event, false);
    element.destroy = () => clearInterval(timer);
    return element;
}
