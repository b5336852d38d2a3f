// The gamepad: polled once a frame while a pad is connected; a button or direction that goes
// down holds its key through input.js's hold(), so it types and repeats exactly as a touch key
// does. A pad with the Gamepad API's standard mapping has every key; any other pad (most on
// Firefox for Linux) numbers its buttons its own way, so only its stick, its hat and its first
// four buttons are read, and nothing it does can end a game.
'use strict';

(function () {
  const page = window.vexamorPage;
  if (typeof navigator.getGamepads !== 'function') return;

  // Standard mapping: 0 bottom face (A, cross), 1 right (B, circle), 2 left (X, square),
  // 3 top (Y, triangle), 4/5 shoulders, 8 Select, 9 Start, 12-15 the D-pad.
  const standardKeys = { 0: 'a', 1: 'w', 2: 'e', 3: 'enter', 4: '1', 5: '2', 8: 'esc', 9: 'space' };
  // Another mapping: the first four buttons are the face buttons on nearly every pad.
  const otherKeys = { 0: 'a', 1: 'w', 2: 'e', 3: 'enter' };
  const kStickDeadZone = 0.5;
  const kHelpShownMs = 10000;
  // A hat reported as one axis (9, as some drivers do): eight directions from -1 (up) in
  // steps of 2/7 clockwise, and a value past 1 when let go.
  const kHatAxis = 9;
  const kHatDirections = [['up'], ['up', 'right'], ['right'], ['down', 'right'], ['down'], ['down', 'left'],
    ['left'], ['up', 'left']];
  const kHatTolerance = 0.05;

  function pressed(pad, index) {
    const button = pad.buttons[index];
    return Boolean(button && (button.pressed || button.value > 0.5));
  }

  // The arrows a pair of axes holds down.
  function addAxes(down, x, y) {
    if (y < -kStickDeadZone) down.add('up');
    if (y > kStickDeadZone) down.add('down');
    if (x < -kStickDeadZone) down.add('left');
    if (x > kStickDeadZone) down.add('right');
  }

  // The arrows a one-axis hat holds down: only values on its steps, so an ordinary axis at
  // rest (0) or moving reads as nothing.
  function addHat(down, value) {
    const step = Math.round(((value + 1) * 7) / 2);
    if (step < 0 || step > 7 || Math.abs(value - (step * 2) / 7 + 1) > kHatTolerance) return;
    for (const name of kHatDirections[step]) down.add(name);
  }

  // The keys held down on one pad right now: the D-pad (a standard pad's buttons 12 to 15,
  // another's hat on axes 6 and 7 or on axis 9) and the left stick are the arrows.
  function keysDown(pad) {
    const down = new Set();
    const axes = pad.axes;
    addAxes(down, axes[0] || 0, axes[1] || 0);
    const standard = pad.mapping === 'standard';
    if (standard) {
      for (const [index, name] of [[12, 'up'], [13, 'down'], [14, 'left'], [15, 'right']]) {
        if (pressed(pad, index)) down.add(name);
      }
    } else {
      if (axes.length >= 8) addAxes(down, axes[6] || 0, axes[7] || 0);
      if (axes.length > kHatAxis) addHat(down, axes[kHatAxis]);
    }
    const keys = standard ? standardKeys : otherKeys;
    for (const index in keys) if (pressed(pad, index)) down.add(keys[index]);
    return down;
  }

  // The keys every connected pad holds down right now, and whether any pad is connected.
  function padsNow() {
    const down = new Set();
    let connected = false;
    for (const pad of navigator.getGamepads()) {
      if (!pad || !pad.connected) continue;
      connected = true;
      for (const name of keysDown(pad)) down.add(name);
    }
    return { down, connected };
  }

  // Key name -> the release function of its hold, for every key some pad holds down.
  const held = new Map();
  let polling = false;

  function poll() {
    const { down, connected } = padsNow();
    for (const [name, release] of held) {
      if (!down.has(name)) { release(); held.delete(name); }
    }
    for (const name of down) {
      if (!held.has(name)) held.set(name, page.hold(name, function () { return padsNow().down.has(name); }));
    }
    polling = connected;
    if (polling) requestAnimationFrame(poll);
  }

  const help = document.getElementById('pad-help');
  let helpTimer = null;

  // The keys of the pad that connected, by its mapping.
  function showHelp(pad) {
    const standard = !pad || pad.mapping === 'standard';
    for (const list of help.querySelectorAll('[data-mapping]')) {
      list.hidden = (list.dataset.mapping === 'standard') !== standard;
    }
    help.hidden = false;
    clearTimeout(helpTimer);
    helpTimer = setTimeout(function () { help.hidden = true; }, kHelpShownMs);
  }

  help.addEventListener('click', function () { help.hidden = true; });
  window.addEventListener('gamepadconnected', function (event) {
    showHelp(event.gamepad);
    if (!polling) {
      polling = true;
      requestAnimationFrame(poll);
    }
  });
  window.addEventListener('gamepaddisconnected', function () { help.hidden = true; });
})();
