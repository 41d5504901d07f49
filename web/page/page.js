// The page that plays Halvo by itself: the window, a keyboard, the letter keys, MIDI input, the
// factory presets, and the sound saved to a file or shared as a link. Browsers start audio only
// from a click or a key press, so the first one starts it (and any later one resumes it, as iOS
// needs after an interruption).
import { initializeWamHost } from '../halvo/sdk/index.js';
import Halvo from '../halvo/index.js';
import { blockOfState, stateObject } from '../halvo/engine.js';
import { createKeyPlayer } from '../halvo/window/computer-keys.js';
import { createKeyboard } from './keyboard.js';
import { setUpMidiInput } from './midi-input.js';
import { blockOfFragment, linkTo, saveBlock } from './state-file.js';

const byId = (id) => document.getElementById(id);
const status = byId('status');
const say = (text) => (status.textContent = text);

const context = new AudioContext({ latencyHint: 'interactive' });
const startAudio = () => context.state !== 'running' && context.resume();
for (const type of ['pointerdown', 'keydown', 'touchend']) window.addEventListener(type, startAudio, true);
const sayAudioState = () => context.state === 'running'
    ? say('Play the letter keys Q to M, the keyboard, or a MIDI controller.')
    : say('Click or press a key to start the sound.');
context.addEventListener('statechange', sayAudioState);

const [hostGroupId] = await initializeWamHost(context);
const halvo = await Halvo.createInstance(hostGroupId, context);
const node = halvo.audioNode;
node.connect(context.destination);

// True when the address holds no sound, or one the instrument took.
const openLink = async () => {
    const block = blockOfFragment(location.hash);
    return !block || node.setState(stateObject(block)).then(() => true, () => false);
};
const refusedLink = !(await openLink());
window.addEventListener('hashchange', async () => {
    if (!(await openLink())) say('The link holds no Halvo sound this page can read; nothing changed.');
    gui.refresh();
});

const gui = await halvo.createGui();
byId('window-place').append(gui);

const light = createKeyboard(byId('keyboard'), (note, on) => playMidi([on ? 0x90 : 0x80, note, on ? 127 : 0]));
function playMidi(bytes) {
    node.scheduleEvents({ type: 'wam-midi', time: context.currentTime, data: { bytes } });
    const type = bytes[0] & 0xf0;
    if (type === 0x90 || type === 0x80) light(bytes[1], type === 0x90 && bytes[2] > 0);
}

// The page plays the letter keys wherever the focus is, except in its menus.
const keys = createKeyPlayer(playMidi);
const playKey = (down) => (event) => {
    if (['SELECT', 'INPUT'].includes(event.target.tagName)) return;
    if (keys.press(event, down)) event.stopPropagation();
};
document.addEventListener('keydown', playKey(true), true);
document.addEventListener('keyup', playKey(false), true);
window.addEventListener('blur', keys.release);

const presets = byId('presets');
for (const preset of halvo.presets) {
    const option = new Option(preset.name, preset.name);
    option.title = preset.description;
    presets.add(option);
}
presets.onchange = async () => {
    if (!presets.value) return;
    await node.loadPreset(presets.value);
    say(`Preset: ${presets.value}`);
    presets.value = '';
    gui.refresh();
};

setUpMidiInput({ accessButton: byId('midi-access'), chooser: byId('midi-input'), onMessage: playMidi, onStatus: say });

const currentBlock = async () => blockOfState(await node.getState());
byId('save').onclick = async () => saveBlock(await currentBlock());
const openFile = byId('open-file');
byId('open').onclick = () => openFile.click();
openFile.onchange = async () => {
    const [file] = openFile.files;
    openFile.value = '';
    if (!file) return;
    try {
        await node.setState(stateObject(new Uint8Array(await file.arrayBuffer())));
        say(`Opened ${file.name}`);
        gui.refresh();
    } catch {
        say(`${file.name} is not a Halvo sound; nothing changed.`);
    }
};
byId('share').onclick = async () => {
    const link = linkTo(await currentBlock(), location.href);
    history.replaceState(null, '', link);
    try {
        await navigator.clipboard.writeText(link);
        say('The link to this sound is copied; it is in the address bar too.');
    } catch {
        say('The link to this sound is in the address bar.');
    }
};

if (refusedLink) say('The link holds no Halvo sound this page can read; Halvo starts as new.');
else sayAudioState();
// For the console and the tests: the instrument, its window and the page's audio.
window.halvoPage = { halvo, gui, context, playMidi };
