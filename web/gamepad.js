// The gamepad (the Gamepad API's standard mapping): polled once a frame while a pad is
// connected; a button or direction that goes down holds its key through input.js's hold(),
// so it types and repeats exactly as a touch key does.
'use strict';

(function () {
  const page = window.vexamorPage;
  if (typeof navigator.getGamepads !== 'function') return;

  // Standard mapping: 0 bottom face (A, cross), 1 right (B, circle), 2 left (X, square),
  // 3 top (Y, triangle), 4/5 shoulders, 8 Select, 9 Start, 12-15 the D-pad.
  const buttonKeys = { 0: 'a', 1: 'w', 2: 'e', 3: 'enter', 4: '1', 5: '2', 8: 'esc', 9: 'space' };
  const kStickDeadZone = 0.5;
  const kHelpShownMs = 10000;

  function pressed(pad, index) {
    const button = pad.buttons[index];
    return Boolean(button && (button.pressed || button.value > 0.5));
  }

  // The keys held down on one pad right now: the D-pad and the left stick are the arrows.
  function keysDown(pad) {
    const down = new Set();
    const x = pad.axes[0] || 0;
    const y = pad.axes[1] || 0;
    if (pressed(pad, 12) || y < -kStickDeadZone) down.add('up');
    if (pressed(pad, 13) || y > kStickDeadZone) down.add('down');
    if (pressed(pad, 14) || x < -kStickDeadZone) down.add('left');
    if (pressed(pad, 15) || x > kStickDeadZone) down.add('right');
    for (const index in buttonKeys) if (pressed(pad, index)) down.add(buttonKeys[index]);
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

  function showHelp() {
    help.hidden = false;
    clearTimeout(helpTimer);
    helpTimer = setTimeout(function () { help.hidden = true; }, kHelpShownMs);
  }

  help.addEventListener('click', function () { help.hidden = true; });
  window.addEventListener('gamepadconnected', function () {
    showHelp();
    if (!polling) {
      polling = true;
      requestAnimationFrame(poll);
    }
  });
  window.addEventListener('gamepaddisconnected', function () { help.hidden = true; });
})();
