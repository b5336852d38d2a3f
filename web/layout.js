// The terminal's fit to the room: the largest whole font size at which its 80 x 25 cells
// fit the stage, again whenever the stage changes size.
'use strict';

(function () {
  const page = window.vexamorPage;
  const term = page.term;
  const stage = document.getElementById('stage');
  const screen = term.element.querySelector('.xterm-screen');

  function fits() {
    return screen.offsetWidth <= stage.clientWidth && screen.offsetHeight <= stage.clientHeight;
  }

  // Cells grow in proportion to the font, so the estimate is the answer or next to it; each
  // change of size redraws the terminal, so few sizes are tried.
  function fit() {
    const size = term.options.fontSize;
    const scale = Math.min(stage.clientWidth / screen.offsetWidth, stage.clientHeight / screen.offsetHeight);
    let next = Math.max(4, Math.floor(size * scale));
    if (next === size && fits()) return;
    term.options.fontSize = next;
    while (next > 4 && !fits()) term.options.fontSize = --next;
    if (next === Math.floor(size * scale)) {
      term.options.fontSize = next + 1;
      if (!fits()) term.options.fontSize = next;
    }
  }

  page.fit = fit;
  new ResizeObserver(fit).observe(stage);
  fit();
  if (document.fonts) document.fonts.ready.then(fit);
})();
