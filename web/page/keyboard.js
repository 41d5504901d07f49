// The keyboard under the window: three octaves from C3, played with the pointer, each key marked with
// the letter that plays it; keys light while their notes sound, whoever plays them.
const lowest = 48;
const count = 36;
const letters = 'QWERTYUIOPASDFGHJKLZXCVBNM';
const isBlack = (note) => [1, 3, 6, 8, 10].includes(note % 12);

// sendNote(note, on) plays; returns show(note, on), which lights a key.
export const createKeyboard = (place, sendNote) => {
    const keys = new Map();
    const whiteCount = [...Array(count).keys()].filter((i) => !isBlack(lowest + i)).length;
    const width = place.clientWidth / whiteCount;
    let white = 0;
    for (let note = lowest; note < lowest + count; ++note) {
        const key = document.createElement('div');
        key.className = isBlack(note) ? 'black' : 'white';
        key.dataset.note = String(note);
        key.textContent = letters[note - lowest] ?? '';
        Object.assign(key.style, isBlack(note)
            ? { left: `${white * width - width * 0.3}px`, width: `${width * 0.6}px` }
            : { left: `${white++ * width}px`, width: `${width}px` });
        place.append(key);
        keys.set(note, key);
    }

    let pointerNote = null;
    const release = () => {
        if (pointerNote !== null) sendNote(pointerNote, false);
        pointerNote = null;
    };
    const press = (event) => {
        const note = Number(event.target.dataset?.note);
        if (!keys.has(note) || note === pointerNote) return;
        release();
        pointerNote = note;
        sendNote(note, true);
    };
    place.addEventListener('pointerdown', (event) => {
        place.setPointerCapture(event.pointerId);
        press(event);
    });
    // A captured pointer reports the window under it, so the key under it is looked up.
    place.addEventListener('pointermove', (event) => {
        if (pointerNote === null) return;
        const target = document.elementFromPoint(event.clientX, event.clientY);
        if (target?.parentElement === place) press({ target });
    });
    place.addEventListener('pointerup', release);
    place.addEventListener('pointercancel', release);

    return (note, on) => keys.get(note)?.classList.toggle('down', on);
};
