// The window's look: everything placed in window pixels on the 623 x 289 background, text in the
// plug-in's Roboto. The plug-in gives a font's height from ascent to descent, 1.172 em in Roboto, so
// its 13-pixel text is 11.1 px here. Its labels keep 5 pixels from their left edge.
export const windowStyle = `
    :host { display: inline-block; outline: none; }
    .window { position: relative; width: 623px; height: 289px; overflow: hidden; background: #000 0 0 / 623px 289px no-repeat;
        font-family: 'Halvo Roboto', Roboto, sans-serif; user-select: none; -webkit-user-select: none; touch-action: none; }
    .window > *, .options > *, .about > * { position: absolute; box-sizing: border-box; margin: 0; }
    .knob { background: 0 0 / 100% auto no-repeat; cursor: ns-resize; }
    .knob svg { display: none; stroke: #1f89d4; stroke-width: 6; fill: none; }
    .knob.target svg { display: block; }
    .value { color: #eee; font-size: 11.1px; line-height: 24px; text-align: center; white-space: nowrap; pointer-events: none; }
    .wave { background: 0 0 / 100% 100% no-repeat; cursor: pointer; }
    .frame { background: transparent; border: 2px solid #000; color: rgba(238, 238, 238, 0.94); font: 11.1px 'Halvo Roboto', Roboto, sans-serif;
        padding: 0; white-space: nowrap; cursor: pointer; }
    .frame:hover { background: linear-gradient(rgba(60, 60, 60, 0.5), rgba(20, 20, 20, 0.5)); }
    .frame[aria-pressed="true"] { border-color: #1f89d4; color: #eee; }
    .logo:hover { background: rgba(232, 232, 232, 0.05); }
    .scope { pointer-events: none; }
    .options { left: 361px; top: 30px; width: 262px; height: 262px; background: rgba(0, 0, 0, 0.6); color: #fcfcfc; }
    .options .option { font-size: 12.8px; line-height: 24px; white-space: nowrap; padding: 0 5px; }
    .options .heading { font-size: 17.06px; line-height: 31px; padding: 0 5px; }
    .options .channel { background: #000; color: #fcfcfc; border: 1px solid rgba(31, 137, 212, 0.75); font: 12.8px 'Halvo Roboto', Roboto, sans-serif; }
    .options .unlearn { background: transparent; border: 1px solid #fff; color: #fff; font: 11.1px 'Halvo Roboto', Roboto, sans-serif;
        padding: 0; white-space: nowrap; cursor: pointer; }
    .options .unlearn:hover { background: rgba(255, 255, 255, 0.15); }
    .about { left: 0; top: 0; width: 623px; height: 289px; }
    .about img { left: 210px; top: 17px; width: 220px; height: 280px; opacity: 0.8; }
    .about .title { left: 230px; top: 92px; width: 175px; height: 24px; color: #fcfcfc; font-size: 18.77px; line-height: 24px; text-align: center; }
    .about a { left: 235px; top: 255px; width: 168px; height: 22px; color: #e10035; font-size: 11.95px; line-height: 22px; text-align: center; }
    [hidden] { display: none !important; }
`;
