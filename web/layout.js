// The terminal's fit to the room the stylesheet leaves it (the stage): the largest whole
// font size at which its 80 x 25 cells fit, and when whole sizes would leave more than a
// tenth of the room empty, the next size drawn scaled down by a fraction to fill it. The
// canvas is scaled as one picture, so the frame's lines stay joined at any scale.
'use strict';

(function () {
  const page = window.vexamorPage;
  const term = page.term;
  const stage = document.getElementById('stage');
  const box = document.getElementById('terminal');
  const screen = term.element.querySelector('.xterm-screen');
  const kSmallestFont = 4;
  const kWasteLimit = 0.1;

  function setFont(size) {
    if (term.options.fontSize !== size) term.options.fontSize = size;
  }

  // How many times the screen at the current font size would fit the room (1 when it fills
  // it along one side).
  function roomRatio(room) {
    return Math.min(room.width / screen.offsetWidth, room.height / screen.offsetHeight);
  }

  // Cells grow in proportion to the font, so the estimate is the answer or next to it; each
  // change of size redraws the terminal, so few sizes are tried.
  function largestWholeSize(room) {
    let size = Math.max(kSmallestFont, Math.floor(term.options.fontSize * roomRatio(room)));
    setFont(size);
    while (size > kSmallestFont && roomRatio(room) < 1) setFont(--size);
    for (;;) {
      setFont(size + 1);
      if (roomRatio(room) < 1) break;
      ++size;
    }
    setFont(size);
    return size;
  }

  // The layout box takes the scaled size, so the stylesheet places the picture as it is
  // seen; the cell size, which CSS cannot know, is handed to it as custom properties.
  function show(scale) {
    term.element.style.transform = scale === 1 ? '' : `scale(${scale})`;
    box.style.width = `${screen.offsetWidth * scale}px`;
    box.style.height = `${screen.offsetHeight * scale}px`;
    const style = document.documentElement.style;
    style.setProperty('--cell-width', `${(screen.offsetWidth * scale) / term.cols}px`);
    style.setProperty('--cell-height', `${(screen.offsetHeight * scale) / term.rows}px`);
    page.scale = scale;
  }

  // The room and font size of the last fit: the same room needs no new fit, and each try of
  // a size redraws the whole terminal.
  let last = null;

  function fit() {
    const room = { width: stage.clientWidth, height: stage.clientHeight };
    if (room.width === 0 || room.height === 0) return;
    if (last && last.width === room.width && last.height === room.height && last.font === term.options.fontSize) return;
    const size = largestWholeSize(room);
    let scale = 1;
    if (1 / roomRatio(room) < 1 - kWasteLimit) {
      setFont(size + 1);
      scale = roomRatio(room);
    }
    show(scale);
    last = { ...room, font: term.options.fontSize };
  }

  page.fit = fit;
  new ResizeObserver(fit).observe(stage);
  fit();
  // A font that arrives late changes the cells, not the room.
  if (document.fonts) document.fonts.ready.then(function () { last = null; fit(); });
})();
