// Web MIDI input with a device choice. Access is asked for only when the musician asks for MIDI,
// since browsers put a permission prompt in front of it; channel messages from the chosen input go
// to the instrument, anything else (clock, system exclusive) is left out.
const isChannelMessage = (bytes) => bytes.length > 0 && bytes[0] >= 0x80 && bytes[0] < 0xf0;

// onMessage(bytes) plays a message; onStatus(text) tells the musician what happened.
export const setUpMidiInput = ({ accessButton, chooser, onMessage, onStatus }) => {
    if (!navigator.requestMIDIAccess) {
        accessButton.disabled = true;
        accessButton.title = 'This browser has no Web MIDI';
        return;
    }
    let access = null;
    let input = null;
    const listen = (event) => isChannelMessage(event.data) && onMessage(Array.from(event.data));
    const choose = (id) => {
        input?.removeEventListener('midimessage', listen);
        input = id ? access.inputs.get(id) ?? null : null;
        input?.addEventListener('midimessage', listen);
        chooser.value = input ? id : '';
    };
    const list = () => {
        const chosen = input?.id ?? '';
        chooser.length = 1;
        for (const device of access.inputs.values()) chooser.add(new Option(device.name || device.id, device.id));
        choose(access.inputs.has(chosen) ? chosen : '');
        if (!chosen && access.inputs.size > 0) choose(access.inputs.keys().next().value);
    };
    accessButton.onclick = async () => {
        try {
            access = await navigator.requestMIDIAccess();
        } catch (error) {
            onStatus(`MIDI is not available: ${error.message || error.name}`);
            return;
        }
        accessButton.hidden = true;
        chooser.hidden = false;
        access.addEventListener('statechange', list);
        list();
        onStatus(access.inputs.size > 0 ? `MIDI from ${chooser.selectedOptions[0].text}` : 'No MIDI input connected');
    };
    chooser.onchange = () => choose(chooser.value);
};
