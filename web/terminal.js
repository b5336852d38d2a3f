// The 80 x 25 terminal the program draws on, and the namespace the page's other files
// share (window.vexamorPage). Loaded first; layout.js opens the terminal on the page once it
// knows the font size that fits.
'use strict';

(function () {
  const page = window.vexamorPage = {};
  page.params = new URLSearchParams(window.location.search);

  const term = new Terminal({
    cols: 80,
    rows: 25,
    scrollback: 0,
    customGlyphs: true,
    cursorBlink: false,
    fontFamily: '"DejaVu Sans Mono", "Liberation Mono", Menlo, Consolas, "Courier New", monospace',
    fontSize: 16,
    lineHeight: 1,
    letterSpacing: 0,
    theme: { background: '#000000', foreground: '#aaaaaa' },
  });
  // The canvas renderer draws box-drawing and block characters itself, joined at the cell
  // edges, where a font would leave gaps in the frame. Loaded before the terminal opens, it is
  // the only renderer the terminal ever makes.
  term.loadAddon(new CanvasAddon.CanvasAddon());
  window.term = term;
  page.term = term;
})();
