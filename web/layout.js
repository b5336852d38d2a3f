// The terminal's fit to the room the stylesheet leaves it (the stage): the largest whole
// font size at which its 80 x 25 cells fit, and when whole sizes would leave more than a
// tenth of the room empty, the next size drawn scaled down by a fraction to fill it. The
// canvas is scaled as one picture, so the frame's lines stay joined at any scale.
// The picture's size at each font size is worked out here as the terminal works it out, so
// a fit changes the font at most once: every change makes the terminal draw all its glyphs
// again, the costliest thing it does. The first fit opens the terminal in its box already
// sized, so nothing on the page moves when it appears.
'use strict';

(function () {
  const page = window.vexamorPage;
  const term = page.term;
  const stage = document.getElementById('stage');
  const box = document.getElementById('terminal');
  const kSmallestFont = 4;
  const kLargestFont = 400;
  const kWasteLimit = 0.1;
  const kMeasured = 'W';
  const measurer = (typeof OffscreenCanvas === 'function'
    ? new OffscreenCanvas(1, 1) : document.createElement('canvas')).getContext('2d');

  // One character's width and height in CSS pixels at a font size, measured as the terminal
  // measures them: the canvas's metrics of a "W", or where a browser lacks the font's box
  // metrics, a line of them laid out in the page.
  function charSize(fontSize) {
    const font = `${fontSize}px ${term.options.fontFamily}`;
    measurer.font = font;
    const metrics = measurer.measureText(kMeasured);
    if (metrics.fontBoundingBoxAscent !== undefined) {
      return { width: metrics.width, height: metrics.fontBoundingBoxAscent + metrics.fontBoundingBoxDescent };
    }
    const line = document.createElement('span');
    line.textContent = kMeasured.repeat(32);
    line.style.cssText = 'position:absolute;visibility:hidden;white-space:pre;font-kerning:none;line-height:normal';
    line.style.font = font;
    document.body.appendChild(line);
    const size = { width: line.offsetWidth / 32, height: line.offsetHeight };
    line.remove();
    return size;
  }

  // The screen's size in CSS pixels at a font size: whole device pixels per cell, as the
  // canvas renderer rounds them.
  function screenSize(fontSize) {
    const char = charSize(fontSize);
    const ratio = window.devicePixelRatio || 1;
    const options = term.options;
    const cellWidth = Math.floor(char.width * ratio) + Math.round(options.letterSpacing);
    const cellHeight = Math.floor(Math.ceil(char.height * ratio) * options.lineHeight);
    return {
      width: Math.round((term.cols * cellWidth) / ratio),
      height: Math.round((term.rows * cellHeight) / ratio),
    };
  }

  // How many times a screen would fit the room (1 when it fills it along one side).
  function roomRatio(room, screen) {
    return Math.min(room.width / screen.width, room.height / screen.height);
  }

  // The font size and scale for a room. Cells grow in proportion to the font, so the
  // estimate is the answer or next to it.
  function choose(room) {
    const ratioAt = (size) => roomRatio(room, screenSize(size));
    const estimate = Math.floor(term.options.fontSize * ratioAt(term.options.fontSize));
    let size = Math.min(kLargestFont, Math.max(kSmallestFont, estimate));
    while (size > kSmallestFont && ratioAt(size) < 1) --size;
    while (size < kLargestFont && ratioAt(size + 1) >= 1) ++size;
    const ratio = ratioAt(size);
    if (1 / ratio < 1 - kWasteLimit) return { fontSize: size + 1, scale: ratioAt(size + 1) };
    return { fontSize: size, scale: 1 };
  }

  // The layout box takes the scaled size, so the stylesheet places the picture as it is
  // seen; the cell size, which CSS cannot know, is handed to it as custom properties. The
  // scale is checked against the screen as drawn, should the two measures ever differ.
  function show(room, fontSize, scale) {
    if (term.options.fontSize !== fontSize) term.options.fontSize = fontSize;
    if (!term.element) term.open(box);
    const screen = term.element.querySelector('.xterm-screen');
    const drawn = { width: screen.offsetWidth, height: screen.offsetHeight };
    const fitted = roomRatio(room, drawn);
    scale = scale < 1 ? fitted : Math.min(1, fitted);
    term.element.style.transform = scale === 1 ? '' : `scale(${scale})`;
    box.style.width = `${drawn.width * scale}px`;
    box.style.height = `${drawn.height * scale}px`;
    const style = document.documentElement.style;
    style.setProperty('--cell-width', `${(drawn.width * scale) / term.cols}px`);
    style.setProperty('--cell-height', `${(drawn.height * scale) / term.rows}px`);
    document.documentElement.classList.add('fitted');
    page.scale = scale;
  }

  // The room and pixel ratio of the last fit: the same room needs no new fit.
  let last = null;

  function fit() {
    const room = { width: stage.clientWidth, height: stage.clientHeight, pixelRatio: window.devicePixelRatio };
    if (room.width === 0 || room.height === 0) return;
    if (last && last.width === room.width && last.height === room.height && last.pixelRatio === room.pixelRatio) return;
    const { fontSize, scale } = choose(room);
    show(room, fontSize, scale);
    last = room;
  }

  page.fit = fit;
  fit();
  new ResizeObserver(fit).observe(stage);
  // A font that arrives late changes the cells, not the room.
  if (document.fonts) document.fonts.ready.then(function () { last = null; fit(); });
})();
