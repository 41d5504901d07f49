// A sound as a file and as a link: the file holds the plug-in's state block itself, the one the
// plug-ins and halvo-render --state read; the link carries the same block in its fragment.
import { decodeBase64, encodeBase64 } from '../halvo/engine.js';

const fragmentKey = 'sound=';

export const fileName = 'Halvo sound.halvostate';

export const saveBlock = (block) => {
    const link = document.createElement('a');
    link.href = URL.createObjectURL(new Blob([block], { type: 'application/octet-stream' }));
    link.download = fileName;
    link.click();
    setTimeout(() => URL.revokeObjectURL(link.href), 10000);
};

// base64url, so the fragment needs no escaping.
export const linkTo = (block, address) => {
    const url = new URL(address);
    url.hash = fragmentKey + encodeBase64(block).replace(/\+/g, '-').replace(/\//g, '_').replace(/=+$/, '');
    return url.href;
};

// The block a fragment carries, or null.
export const blockOfFragment = (hash) => {
    if (!hash.startsWith(`#${fragmentKey}`)) return null;
    const text = hash.slice(fragmentKey.length + 1).replace(/-/g, '+').replace(/_/g, '/');
    return decodeBase64(text.padEnd(Math.ceil(text.length / 4) * 4, '='));
};
