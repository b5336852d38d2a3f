// The input sources: the terminal's keyboard and the touch keys (the gamepad has its own
// file). Each ends in type(text), which queues the bytes a terminal would send for the
// program to read.
'use strict';

(function () {
  const page = window.vexamorPage;
  const term = page.term;

  // Bytes typed and not yet taken by the program. Bounded, like a keyboard buffer.
  const kInputLimit = 4096;
  const input = [];
  const encoder = new TextEncoder();

  function type(text) {
    for (const byte of encoder.encode(text)) {
      if (input.length < kInputLimit) input.push(byte);
    }
    page.startAudio();
    page.wakeProgram();
  }

  // The keys a touch key or a gamepad button can stand for, with the bytes a keyboard's key
  // would send to a terminal. Arrows and the fire key repeat while held, as a held key does.
  const keyBytes = {
    up: '\x1b[A', down: '\x1b[B', right: '\x1b[C', left: '\x1b[D',
    a: 'a', w: 'w', e: 'e', space: ' ', esc: '\x1b', enter: '\r', 1: '1', 2: '2',
  };
  const repeating = new Set(['up', 'down', 'right', 'left', 'a']);
  const kRepeatDelayMs = 300;
  const kRepeatEveryMs = 80;

  // Types the key once and, for a repeating key, again while it is held; returns the
  // function that lets it go. A source that learns of a release only when it next looks
  // (the gamepad, once a frame) passes stillHeld, asked before every repeat, so a page too
  // busy to draw a frame never types a repeat after the key has been let go.
  // While the page's own dialog or offer is up, it takes the keys (page.takeKey) instead.
  function hold(name, stillHeld = function () { return true; }) {
    if (page.takeKey && page.takeKey(name)) return function release() {};
    type(keyBytes[name]);
    let timer = null;
    if (repeating.has(name)) {
      timer = setTimeout(function () {
        timer = setInterval(function () {
          if (stillHeld()) type(keyBytes[name]);
        }, kRepeatEveryMs);
      }, kRepeatDelayMs);
    }
    return function release() {
      clearTimeout(timer);
      clearInterval(timer);
    };
  }

  for (const button of document.querySelectorAll('#touch button')) {
    let release = null;
    const stop = function () {
      if (release) release();
      release = null;
      button.classList.remove('pressed');
    };
    button.addEventListener('pointerdown', function (event) {
      // The terminal keeps the focus, and a phone does not open its own keyboard.
      event.preventDefault();
      stop();
      button.classList.add('pressed');
      release = hold(button.dataset.key);
    });
    for (const end of ['pointerup', 'pointercancel', 'pointerleave']) button.addEventListener(end, stop);
  }

  // A tap gives the terminal the keyboard focus, so that a keyboard paired with a phone or a
  // tablet types, but must not raise the on-screen keyboard over the picture: where the
  // pointer is a finger (or once the page has been touched), the terminal's text field asks
  // for none. The one way the page gives the terminal the focus.
  const coarse = window.matchMedia('(pointer: coarse)');
  function keepKeyboardDown() {
    const field = term.textarea;
    if (!field) return;
    if (coarse.matches || document.body.classList.contains('touched')) field.setAttribute('inputmode', 'none');
    else field.removeAttribute('inputmode');
  }
  function focusTerminal() {
    keepKeyboardDown();
    term.focus();
  }

  window.addEventListener('touchstart', function () {
    document.body.classList.add('touched');
    keepKeyboardDown();
    page.fit();
  }, { passive: true, once: true, capture: true });
  coarse.addEventListener('change', keepKeyboardDown);
  // In the capture phase, before the terminal's own handlers focus its text field.
  document.getElementById('stage').addEventListener('pointerdown', function (event) {
    if (event.target.closest('button')) return;
    focusTerminal();
  }, true);
  term.onData(type);

  page.input = input;
  page.type = type;
  page.hold = hold;
  page.focusTerminal = focusTerminal;
})();
