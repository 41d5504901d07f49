// The about card the logo opens: the painted card at 80 % over the window, the name and version,
// and the web site. A click anywhere else closes it.
import { artworkUrl } from './artwork.js';

export const createAboutCard = (descriptor) => {
    const card = document.createElement('div');
    card.className = 'about';
    card.hidden = true;
    card.innerHTML = `<img alt=""><div class="title"></div><a target="_blank" rel="noopener"></a>`;
    card.querySelector('.title').textContent = `${descriptor.name.toUpperCase()} v${descriptor.version}`;
    const link = card.querySelector('a');
    link.href = descriptor.website;
    link.title = descriptor.website;
    link.textContent = descriptor.website.replace(/^[a-z]+:\/\//, '');
    card.addEventListener('click', (event) => event.target !== link && (card.hidden = true));
    return {
        element: card,
        toggle() {
            card.hidden = !card.hidden;
        },
        setArtworkSet(set) {
            card.querySelector('img').src = artworkUrl('aboutPanel', 'png', set);
        },
    };
};
