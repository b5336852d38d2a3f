// The page around the game: the 80 x 25 terminal, the host the program calls for output,
// input, waits and tones, the sound switch, the touch keys, and another run after the end.
'use strict';

(function () {
  const params = new URLSearchParams(window.location.search);

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
  term.open(document.getElementById('terminal'));
  // The canvas renderer draws box-drawing and block characters itself, joined at the cell
  // edges, where a font would leave gaps in the frame.
  term.loadAddon(new CanvasAddon.CanvasAddon());
  window.term = term;

  // Every tone the program asked for, as [frequency Hz, length ms, start in performance.now()
  // time], muted or not: what a test or a curious player can check the sound against.
  window.vexamorTones = [];
  const kToneRecordLimit = 20000;

  // Bytes typed and not yet taken by the program. Bounded, like a keyboard buffer.
  const kInputLimit = 4096;
  const input = [];
  const encoder = new TextEncoder();

  // A callback run on its own turn of the event loop, without the delay browsers add to
  // nested timers (a wait of 0 ms must stay short).
  const soon = (function () {
    const channel = new MessageChannel();
    const queued = [];
    channel.port1.onmessage = function () { queued.shift()(); };
    return function (callback) { queued.push(callback); channel.port2.postMessage(0); };
  })();

  let resumeProgram = null;
  let waitTimer = null;

  function wakeProgram() {
    if (!resumeProgram) return;
    const resume = resumeProgram;
    resumeProgram = null;
    clearTimeout(waitTimer);
    waitTimer = null;
    soon(resume);
  }

  function type(text) {
    for (const byte of encoder.encode(text)) {
      if (input.length < kInputLimit) input.push(byte);
    }
    startAudio();
    wakeProgram();
  }

  // Sound: an AudioContext made and resumed on the player's first key or touch (browsers
  // refuse it before), and each tone scheduled on its clock. The program never waits for it.
  const audio = { context: null, muted: false, chosen: false, offset: null };
  const kVolume = 0.12;
  const kLeadSeconds = 0.05;  // room for the program waking late between tones (see tones_web.cpp)
  const kRampSeconds = 0.002;  // fade at each end, so a tone meets silence without a click

  function startAudio() {
    if (!audio.context) {
      if (typeof AudioContext !== 'function') return;
      audio.context = new AudioContext();
    }
    if (audio.context.state === 'suspended') audio.context.resume().catch(function () {});
  }

  // Tones that follow each other on the program's timeline follow each other exactly on the
  // audio clock: one offset maps the one clock onto the other, and it is set again only
  // when a tone would start in the past or implausibly far ahead.
  function playTone(frequencyHz, durationMs, whenMs) {
    const context = audio.context;
    if (!context || context.state !== 'running' || audio.muted) return;
    let start = whenMs / 1000 + audio.offset;
    if (audio.offset === null || start < context.currentTime || start > context.currentTime + 1) {
      audio.offset = context.currentTime + kLeadSeconds - whenMs / 1000;
      start = whenMs / 1000 + audio.offset;
    }
    const length = durationMs / 1000;
    const ramp = Math.min(kRampSeconds, length / 4);
    const oscillator = context.createOscillator();
    oscillator.type = 'square';
    oscillator.frequency.value = frequencyHz;
    const gain = context.createGain();
    gain.gain.setValueAtTime(0, start);
    gain.gain.linearRampToValueAtTime(kVolume, start + ramp);
    gain.gain.setValueAtTime(kVolume, start + length - ramp);
    gain.gain.linearRampToValueAtTime(0, start + length);
    oscillator.connect(gain).connect(context.destination);
    oscillator.start(start);
    oscillator.stop(start + length + 0.01);
  }

  const muteButton = document.getElementById('mute');

  function setMuted(muted) {
    audio.muted = muted;
    muteButton.setAttribute('aria-pressed', muted ? 'true' : 'false');
    muteButton.textContent = muted ? 'Som: desligado' : 'Som: ligado';
  }

  muteButton.addEventListener('click', function () {
    audio.chosen = true;
    setMuted(!audio.muted);
    startAudio();
    term.focus();
  });

  // What the program calls (conio/platform/web/host_library.js).
  const host = {
    write: function (bytes) { term.write(bytes); },
    read: function (capacity) { return Uint8Array.from(input.splice(0, capacity)); },
    wait: function (timeoutMs, resume) {
      resumeProgram = resume;
      if (input.length > 0 || timeoutMs === 0) wakeProgram();
      else if (timeoutMs > 0) waitTimer = setTimeout(wakeProgram, timeoutMs);
    },
    tone: function (frequencyHz, durationMs, delayMs, audible) {
      const whenMs = performance.now() + delayMs;
      const record = window.vexamorTones;
      if (record.length >= kToneRecordLimit) record.splice(0, kToneRecordLimit / 2);
      record.push([frequencyHz, durationMs, whenMs]);
      if (audible) playTone(frequencyHz, durationMs, whenMs);
    },
    startMuted: function () { if (!audio.chosen) setMuted(true); },
    ended: function () { showEnd('O jogo terminou.'); },
  };

  const ended = document.getElementById('ended');
  const restartButton = document.getElementById('restart');

  function showEnd(text) {
    document.getElementById('ended-text').textContent = text;
    ended.hidden = false;
    restartButton.focus();
  }

  function startProgram() {
    ended.hidden = true;
    input.length = 0;
    term.reset();
    term.focus();
    createVexamor({
      vexamorHost: host,
      arguments: params.has('mute') ? ['--mute'] : [],
      print: function (text) { console.log(text); },
      printErr: function (text) { console.warn(text); },
      onAbort: function () { showEnd('O jogo parou por um erro.'); },
    });
  }

  restartButton.addEventListener('click', startProgram);

  // The touch keys type what a keyboard's keys would send to a terminal. Arrows and the
  // fire keys repeat while held, as a held key does.
  const touchKeys = {
    up: '\x1b[A', down: '\x1b[B', right: '\x1b[C', left: '\x1b[D',
    a: 'a', w: 'w', e: 'e', space: ' ', esc: '\x1b', enter: '\r', 1: '1', 2: '2',
  };
  const repeating = new Set(['up', 'down', 'right', 'left', 'a']);
  const kRepeatDelayMs = 300;
  const kRepeatEveryMs = 80;

  for (const button of document.querySelectorAll('#touch button')) {
    const name = button.dataset.key;
    let repeat = null;
    const stop = function () {
      clearTimeout(repeat);
      clearInterval(repeat);
      repeat = null;
      button.classList.remove('pressed');
    };
    button.addEventListener('pointerdown', function (event) {
      // The terminal keeps the focus, and a phone does not open its own keyboard.
      event.preventDefault();
      button.classList.add('pressed');
      type(touchKeys[name]);
      if (repeating.has(name)) {
        repeat = setTimeout(function () {
          repeat = setInterval(function () { type(touchKeys[name]); }, kRepeatEveryMs);
        }, kRepeatDelayMs);
      }
    });
    for (const end of ['pointerup', 'pointercancel', 'pointerleave']) button.addEventListener(end, stop);
  }

  window.addEventListener('touchstart', function () { document.body.classList.add('touched'); fit(); },
    { passive: true, once: true });
  window.addEventListener('pointerdown', startAudio, true);
  window.addEventListener('keydown', startAudio, true);
  document.getElementById('stage').addEventListener('pointerdown', function (event) {
    if (event.target.closest('button')) return;
    term.focus();
  });

  // The terminal gets the largest whole font size at which its 80 x 25 cells fit the stage.
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

  new ResizeObserver(fit).observe(stage);
  fit();
  if (document.fonts) document.fonts.ready.then(fit);
  term.onData(type);
  startProgram();
})();
