// A gamepad plays the game: the page finds a scripted pad through navigator.getGamepads once
// it has said it connected, shows its keys, and its buttons and stick type the game's keys,
// the arrows repeating while held, never after they are let go; a pad that goes away lets go
// of every key it held.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';

import { cellAt, openSite, scriptedAudio } from './browser.mjs';

let site;
before(async () => { site = await openSite(); });
after(async () => { await site.close(); });

const kBannerTop = '.--.  .--. .-------. .--.  .--.     .--.';
const kShip = '±';
const kButton = { a: 0, b: 1, y: 3, rb: 5, select: 8, start: 9, left: 14 };

const shipColumn = (rows) => [...(rows[22] ?? '')].indexOf(kShip) + 1;

// A pad whose buttons and axes the test sets, in place of the browser's: by default one with
// the standard mapping and four axes.
function installPad(mapping = 'standard', axes = [0, 0, 0, 0]) {
  const pad = {
    id: 'Controle de teste', index: 0, connected: true, mapping, timestamp: 0,
    axes,
    buttons: Array.from({ length: 17 }, () => ({ pressed: false, touched: false, value: 0 })),
  };
  let pads = [pad, null, null, null];
  window.testPad = {
    connect() {
      pads = [pad, null, null, null];
      pad.connected = true;
      const event = new Event('gamepadconnected');
      event.gamepad = pad;
      window.dispatchEvent(event);
    },
    disconnect() {
      pad.connected = false;
      pads = [null, null, null, null];
      window.dispatchEvent(new Event('gamepaddisconnected'));
    },
    button(index, down) { pad.buttons[index] = { pressed: down, touched: down, value: down ? 1 : 0 }; },
    stick(x, y) { pad.axes[0] = x; pad.axes[1] = y; },
    axis(index, value) { pad.axes[index] = value; },
  };
  navigator.getGamepads = () => pads;
}

async function openWithPad(initScript = installPad) {
  const tab = await site.open('', {}, initScript);
  const setButton = (index, down) => tab.page.evaluate(([i, d]) => window.testPad.button(i, d), [index, down]);
  // A short press: down for 60 ms and at least two of the page's frames (it reads the pad once
  // a frame, and a busy page draws late), then up as long.
  const twoFrames = () => tab.page.evaluate(() => new Promise((done) => {
    requestAnimationFrame(() => requestAnimationFrame(done));
  }));
  tab.tapButton = async (index) => {
    await setButton(index, true);
    await Promise.all([tab.page.waitForTimeout(60), twoFrames()]);
    await setButton(index, false);
    await Promise.all([tab.page.waitForTimeout(60), twoFrames()]);
  };
  // Until the game has read every byte typed so far, and a little after.
  tab.settle = async () => {
    await tab.page.waitForFunction(() => window.vexamorPage.input.length === 0);
    await tab.page.waitForTimeout(150);
  };
  tab.stick = (x, y) => tab.page.evaluate(([sx, sy]) => window.testPad.stick(sx, sy), [x, y]);
  return tab;
}

test('a gamepad moves the ship, fires, pauses, resumes and leaves the game; gone, it holds nothing', async () => {
  const tab = await openWithPad();
  await tab.waitForText(kBannerTop);
  assert.equal(await tab.page.isHidden('#pad-help'), true);
  await tab.page.evaluate(() => window.testPad.connect());
  assert.match(await tab.page.textContent('#pad-help'), /Controle conectado[\s\S]*mover[\s\S]*tiro[\s\S]*pausa/);
  assert.equal(await tab.page.isVisible('#pad-help'), true);

  await tab.tapButton(kButton.rb);
  await tab.waitForScreen((r) => cellAt(r, 25, 23) === kShip, 'the ship on (25, 23)');

  // The stick held right for a while: the arrow repeats, and the ship goes several columns.
  await tab.stick(1, 0);
  await tab.page.waitForTimeout(700);
  await tab.stick(0, 0);
  await tab.waitForScreen((r) => shipColumn(r) >= 28, 'the ship moved right by more than one press');
  await tab.settle();
  let x = shipColumn(await tab.rows());

  await tab.tapButton(kButton.left);
  await tab.waitForScreen((r) => shipColumn(r) === x - 1, 'the ship one column left');

  await tab.tapButton(kButton.a);
  await tab.waitForScreen((r) => r.slice(1, 22).some((row) => cellAt([row], x - 1, 1) === '│'), 'a shot above the ship');

  await tab.tapButton(kButton.start);
  const rows = await tab.waitForText('PAUSE');
  await tab.page.waitForTimeout(300);
  assert.deepEqual(await tab.rows(), rows, 'nothing moves while paused');
  await tab.tapButton(kButton.start);
  await tab.waitForScreen((r) => !r[23].includes('PAUSE') && cellAt(r, 1, 1) === '╔', 'play resumed');

  // The D-pad held left when the pad goes away: the ship stops once the keys typed are read.
  await tab.page.evaluate(() => window.testPad.button(14, true));
  await tab.page.waitForTimeout(450);
  await tab.page.evaluate(() => window.testPad.disconnect());
  await tab.settle();
  x = shipColumn(await tab.rows());
  await tab.page.waitForTimeout(500);
  assert.equal(shipColumn(await tab.rows()), x, 'the ship kept moving after the pad went away');
  assert.equal(await tab.page.isHidden('#pad-help'), true);

  await tab.page.evaluate(() => { window.testPad.button(14, false); window.testPad.connect(); });
  await tab.tapButton(kButton.select);
  await tab.waitForText('ATE A PROXIMA');
  tab.assertNoProblems();
  await tab.close();
});

test('a stick let go while the page draws no frames types no more moves', async () => {
  const tab = await openWithPad();
  await tab.waitForText(kBannerTop);
  await tab.page.evaluate(() => window.testPad.connect());
  await tab.tapButton(kButton.rb);
  await tab.waitForScreen((r) => cellAt(r, 25, 23) === kShip, 'the ship on (25, 23)');
  await tab.settle();
  await tab.page.evaluate(() => {
    const input = window.vexamorPage.input;
    window.typedBytes = 0;
    const push = input.push;
    input.push = function (...bytes) { window.typedBytes += bytes.length; return push.apply(this, bytes); };
  });
  await tab.stick(-1, 0);
  await tab.page.waitForTimeout(500);
  // Frames stop coming (a busy or hidden page), so the pad is next looked at a second later;
  // the stick is let go in between, and the arrow must not go on repeating.
  await tab.page.evaluate(() => {
    window.drawFrame = window.requestAnimationFrame;
    window.requestAnimationFrame = (callback) => setTimeout(() => callback(performance.now()), 1000);
  });
  await tab.page.waitForTimeout(100);
  const typedAtRelease = await tab.page.evaluate(() => { window.testPad.stick(0, 0); return window.typedBytes; });
  await tab.page.waitForTimeout(500);
  const typedLater = await tab.page.evaluate(() => window.typedBytes);
  await tab.page.evaluate(() => { window.requestAnimationFrame = window.drawFrame; });
  assert.ok(typedAtRelease > 3, 'the held stick repeated');
  assert.equal(typedLater, typedAtRelease, 'moves typed after the stick was let go');
  tab.assertNoProblems();
  await tab.close();
});

// Most pads on Firefox for Linux: no standard mapping, the D-pad as a hat on axes 6 and 7 (or,
// with some drivers, on axis 9, where 9/7 means let go).
test('a pad without the standard mapping moves with its stick and hats, and none of buttons 4 to 16 ends a game', async () => {
  const axes = [0, 0, 0, 0, 0, 0, 0, 0, 0, 9 / 7];
  const tab = await openWithPad(`(${scriptedAudio})(); (${installPad})('', ${JSON.stringify(axes)});`);
  await tab.waitForText(kBannerTop);
  await tab.page.evaluate(() => window.testPad.connect());
  const help = await tab.page.innerText('#pad-help');
  assert.match(help, /Controle conectado \(sem o mapeamento padrão: só o básico\)[\s\S]*mover[\s\S]*Botões 1 a 4/);
  assert.doesNotMatch(help, /Select/);

  // No button of this pad types 2, so the game starts from the terminal, with no gesture.
  await tab.page.evaluate(() => window.term.input('2', true));
  await tab.waitForScreen((r) => cellAt(r, 25, 23) === kShip, 'the ship on (25, 23)');
  // Each held until the ship has moved its way, then let go.
  const moves = [['stick', 0, 1, 0, 'right'], ['hat on axes 6 and 7', 6, -1, 0, 'left'], ['hat on axis 9', 9, -3 / 7, 9 / 7, 'right']];
  for (const [what, axis, value, rest, way] of moves) {
    const x = shipColumn(await tab.rows());
    const moved = (r) => (way === 'right' ? shipColumn(r) > x : shipColumn(r) > 0 && shipColumn(r) < x);
    await tab.page.evaluate(([i, v]) => window.testPad.axis(i, v), [axis, value]);
    await tab.waitForScreen(moved, `the ${what} moving the ship ${way}`);
    await tab.page.evaluate(([i, v]) => window.testPad.axis(i, v), [axis, rest]);
    await tab.settle();
  }

  for (let button = 4; button <= 16; ++button) await tab.tapButton(button);
  await tab.settle();
  const rows = await tab.rows();
  assert.equal(cellAt(rows, 1, 1), '╔', 'the game went on');
  assert.ok(!rows.some((row) => row.includes('PAUSE') || row.includes('ATE A PROXIMA')), rows.join('\n'));
  // Nothing this player did was a gesture, so the page says how to start the sound.
  assert.equal(await tab.page.isVisible('#sound-hint'), true);
  await tab.tapButton(kButton.a);
  await tab.waitForScreen((r) => r.slice(1, 22).some((row) => row.includes('│')), 'a shot');
  tab.assertNoProblems();
  await tab.close();
});
