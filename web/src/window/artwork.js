// The pictures tools/artwork paints, served beside the module: the 1x set on screens of one device
// pixel per window pixel, the 2x set on any finer screen, where the browser scales it smoothly to
// the screen's own resolution.
const folder = new URL('../artwork/', import.meta.url);
const finerThanOne = '(min-resolution: 1.01dppx)';

export const artworkSet = () => (globalThis.matchMedia?.(finerThanOne).matches ? 2 : 1);

export const artworkUrl = (name, extension, set) => new URL(`${name}${set === 2 ? '_2x' : ''}.${extension}`, folder).href;

// Calls onChange(set) when the window moves to a screen that wants the other set; returns the
// function that stops watching.
export const watchArtworkSet = (onChange) => {
    const query = globalThis.matchMedia?.(finerThanOne);
    if (!query) return () => {};
    const listener = () => onChange(artworkSet());
    query.addEventListener('change', listener);
    return () => query.removeEventListener('change', listener);
};

// The embedded face the plug-in draws its text with, loaded once for the page.
let fontLoad = null;
export const loadWindowFont = () => {
    if (!fontLoad && globalThis.FontFace && globalThis.document) {
        const face = new FontFace('Halvo Roboto', `url(${new URL('Roboto-Regular.ttf', folder).href})`);
        document.fonts.add(face);
        fontLoad = face.load().catch(() => null);
    }
    return fontLoad;
};
