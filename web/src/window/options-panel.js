// The panel MIDI learn shows over the oscilloscope: which controller moves each parameter, the
// channel controllers are taken from, and a button that forgets every assignment.
const captions = [['OSC', 'OSC'], ['DelayTime', 'DelayTime'], ['DelayFeedback', 'DelayFeedback'], ['Rate', 'Rate'],
    ['Gain', 'Gain'], ['Mode', 'Mode'], ['Reverb', 'Reverb']];
const labelPlaces = {
    DelayTime: [119, 68, 116, 24], Rate: [25, 89, 82, 24], Gain: [25, 63, 82, 24], Mode: [25, 118, 82, 22],
    Reverb: [120, 132, 98, 24], DelayFeedback: [119, 100, 138, 24], OSC: [25, 145, 82, 22],
};

const placed = (tag, className, [left, top, width, height]) => {
    const element = document.createElement(tag);
    element.className = className;
    Object.assign(element.style, { left: `${left}px`, top: `${top}px`, width: `${width}px`, height: `${height}px` });
    return element;
};

// onChannel(0 … 16) and onUnlearn() act on the instrument.
export const createOptionsPanel = ({ onChannel, onUnlearn }) => {
    const panel = document.createElement('div');
    panel.className = 'options';
    panel.hidden = true;
    const heading = placed('div', 'heading', [30, 17, 207, 31]);
    heading.textContent = 'Controller assignments';
    const channelLabel = placed('div', 'option', [152, 182, 72, 24]);
    channelLabel.textContent = 'Channel';
    const channel = placed('select', 'channel', [152, 204, 68, 19]);
    channel.title = 'The channel controllers are taken from';
    channel.add(new Option('All', '0'));
    for (let c = 1; c <= 16; ++c) channel.add(new Option(String(c), String(c)));
    channel.onchange = () => onChannel(Number(channel.value));
    const unlearn = placed('button', 'unlearn', [32, 199, 68, 26]);
    unlearn.textContent = 'Unlearn All';
    unlearn.onclick = onUnlearn;
    const labels = {};
    for (const [id] of captions) labels[id] = placed('div', 'option', labelPlaces[id]);
    panel.append(heading, ...Object.values(labels), unlearn, channelLabel, channel);

    let shown = '';
    return {
        element: panel,
        // controllers: by parameter id, the controller number or -1.
        update(controllers, channelNumber) {
            const key = JSON.stringify([controllers, channelNumber]);
            if (key === shown) return;
            shown = key;
            for (const [id, caption] of captions) {
                const controller = controllers[id];
                labels[id].textContent = `${caption}: ${controller >= 0 ? `CC ${controller}` : 'N/A'}`;
            }
            // A channel outside 0 … 16 leaves the chooser without a selection, as in the plug-in.
            channel.value = String(channelNumber);
        },
    };
};
