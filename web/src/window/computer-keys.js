// The letter keys that play notes, in the plug-in window's order: Q is C3 (MIDI 48) and each key
// along the rows, top to bottom, is a semitone higher, at full velocity on channel 1. Keys are told by KeyboardEvent.code, the key's
// place, so every keyboard layout plays the same notes.
const rows = 'QWERTYUIOPASDFGHJKLZXCVBNM';
const firstNote = 48;

export const noteOfCode = (code) => {
    const index = typeof code === 'string' && /^Key[A-Z]$/.test(code) ? rows.indexOf(code[3]) : -1;
    return index < 0 ? undefined : firstNote + index;
};

// Sends note-ons and note-offs for key presses, ignoring the key repeat and keys pressed with a
// modifier (those belong to the browser); release() lets go of every held note.
export const createKeyPlayer = (sendMidi) => {
    const held = new Set();
    const press = (event, down) => {
        const note = noteOfCode(event.code);
        if (note === undefined || event.ctrlKey || event.metaKey || event.altKey) return false;
        event.preventDefault();
        if (event.repeat || held.has(note) === down) return true;
        if (down) held.add(note);
        else held.delete(note);
        sendMidi([down ? 0x90 : 0x80, note, down ? 127 : 0]);
        return true;
    };
    const release = () => {
        for (const note of held) sendMidi([0x80, note, 0]);
        held.clear();
    };
    return { press, release };
};
