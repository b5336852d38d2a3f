// A phone in the hand: no tap raises the on-screen keyboard while a paired keyboard still
// types, the first tap starts the sound in an event every engine counts as a gesture, a
// context the system interrupted or whose clock stopped comes back with the next tap, and
// the page keeps its touches from zooming, panning or reloading it.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';

import { cellAt, openSite, phones, scriptedAudio } from './browser.mjs';

let site;
before(async () => { site = await openSite(); });
after(async () => { await site.close(); });

const kBannerTop = '.--.  .--. .-------. .--.  .--.     .--.';
const kShip = '±';
const kGestures = ['pointerdown', 'pointerup', 'touchend', 'mouseup', 'click', 'keydown'];

const shipColumn = (rows) => [...(rows[22] ?? '')].indexOf(kShip) + 1;

// The focused element, when it is a text field that would raise an on-screen keyboard.
function keyboardRaiser(page) {
  return page.evaluate(() => {
    const field = document.activeElement;
    if (!field || !field.matches('textarea, input, [contenteditable]:not([contenteditable="false"])')) return null;
    return field.inputMode === 'none' ? null : field.outerHTML.slice(0, 120);
  });
}

test('no tap raises a keyboard, a paired one still types, and touches never zoom, pan or reload the page', async () => {
  const tab = await site.open('', phones.landscape);
  await tab.waitForText(kBannerTop);
  const styles = await tab.page.evaluate(() => {
    const style = (selector) => getComputedStyle(document.querySelector(selector));
    return {
      stage: style('#stage').touchAction, keys: style('#touch button').touchAction,
      keySelect: style('#touch button').userSelect,
      page: [style('html').overscrollBehaviorY, style('body').overscrollBehaviorY, style('html').overscrollBehaviorX],
    };
  });
  assert.deepEqual(styles, { stage: 'none', keys: 'none', keySelect: 'none', page: ['none', 'none', 'none'] });

  for (const button of ['#mute', '#mute', '#fullscreen']) {
    await tab.page.tap(button);
    assert.equal(await keyboardRaiser(tab.page), null, `a tap on ${button}`);
  }
  await tab.page.waitForFunction(() => document.fullscreenElement !== null);
  await tab.page.tap('#fullscreen');
  await tab.page.waitForFunction(() => document.fullscreenElement === null);

  await tab.page.tap('#touch button[data-key="2"]');
  await tab.waitForScreen((r) => cellAt(r, 25, 23) === kShip, 'the ship on (25, 23)');
  await tab.page.tap('#terminal', { position: { x: 200, y: 100 } });
  assert.equal(await keyboardRaiser(tab.page), null, 'a tap on the picture');
  assert.equal(await tab.page.evaluate(() => document.activeElement === window.term.textarea), true,
    'the terminal has the focus');
  await tab.press('ArrowRight');
  await tab.waitForScreen((r) => shipColumn(r) === 26, 'the ship moved right by the keyboard');

  for (const key of ['up', 'left', 'right', 'down', 'a', 'w', 'e', 'space', 'space', 'enter', '1', '2', 'esc']) {
    await tab.page.tap(`#touch button[data-key="${key}"]`);
    assert.equal(await keyboardRaiser(tab.page), null, `a tap on the touch key ${key}`);
  }
  await tab.waitForText('ATE A PROXIMA');
  tab.assertNoProblems();
  await tab.close();
});

test('sound starts on the first tap, and comes back after an interruption or a stopped clock; the line shows meanwhile', async () => {
  const tab = await site.open('', phones.landscape, scriptedAudio);
  await tab.waitForText(kBannerTop);
  const hint = tab.page.locator('#sound-hint');
  await hint.waitFor({ state: 'visible' });
  assert.equal(await hint.textContent(), 'Toque na tela ou aperte uma tecla para ligar o som');
  assert.deepEqual(await tab.page.evaluate(() => window.audioCalls), []);

  await tab.page.tap('#terminal');
  const calls = await tab.page.evaluate(() => window.audioCalls);
  assert.equal(calls[0].what, 'new');
  for (const call of calls) assert.ok(kGestures.includes(call.event), `${call.what} in ${call.event}`);
  assert.equal(await tab.page.evaluate(() => window.testAudio.state()), 'running');
  await hint.waitFor({ state: 'hidden' });

  // A call comes in: the context reports itself interrupted, and the line shows until a tap.
  await tab.page.evaluate(() => window.testAudio.interrupt());
  await hint.waitFor({ state: 'visible' });
  await tab.page.tap('#terminal');
  assert.equal(await tab.page.evaluate(() => window.testAudio.state()), 'running');
  await hint.waitFor({ state: 'hidden' });

  // A context that says it runs while its clock stands still is replaced by the first tap
  // that finds the clock where a tap half a second earlier left it.
  await tab.page.evaluate(() => window.testAudio.freeze());
  for (const _ of [1, 2]) {
    assert.equal(await tab.page.evaluate(() => window.testAudio.contexts()), 1);
    await tab.page.waitForTimeout(500);
    await tab.page.tap('#terminal');
  }
  assert.deepEqual(await tab.page.evaluate(() => [window.testAudio.contexts(), window.testAudio.state()]), [2, 'running']);

  // Switched off, the line never shows, whatever the context does.
  await tab.page.tap('#mute');
  await tab.page.evaluate(() => window.testAudio.interrupt());
  await tab.page.waitForTimeout(100);
  assert.equal(await hint.isHidden(), true);
  tab.assertNoProblems();
  await tab.close();
});
