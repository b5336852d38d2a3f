// A game in the browser pauses by itself when the page is hidden or its window loses focus,
// and only a key resumes it; the same in the menu changes nothing.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';

import { cellAt, openSite } from './browser.mjs';

let site;
before(async () => { site = await openSite(); });
after(async () => { await site.close(); });

const kBannerTop = '.--.  .--. .-------. .--.  .--.     .--.';
const kShip = '±';

// The page as a switch to another tab leaves it: hidden, with its visibilitychange event.
function setHidden(tab, hidden) {
  return tab.page.evaluate((value) => {
    Object.defineProperty(document, 'hidden', { value, configurable: true });
    Object.defineProperty(document, 'visibilityState', { value: value ? 'hidden' : 'visible', configurable: true });
    document.dispatchEvent(new Event('visibilitychange'));
  }, hidden);
}

function blurWindow(tab) {
  return tab.page.evaluate(() => window.dispatchEvent(new Event('blur')));
}

function focusWindow(tab) {
  return tab.page.evaluate(() => window.dispatchEvent(new Event('focus')));
}

const paused = (rows) => (rows[23] ?? '').includes('PAUSE');

async function startGame(tab) {
  await tab.waitForText(kBannerTop);
  await tab.press('2');
  await tab.waitForScreen((r) => cellAt(r, 25, 23) === kShip, 'the ship on (25, 23)');
}

test('a hidden page pauses the game; showing it again does not resume, space does', async () => {
  const tab = await site.open();
  await startGame(tab);
  await setHidden(tab, true);
  const rows = await tab.waitForScreen(paused, 'PAUSE');
  await setHidden(tab, false);
  await tab.page.waitForTimeout(400);
  assert.deepEqual(await tab.rows(), rows, 'still paused, nothing moved');
  await tab.press(' ');
  await tab.waitForScreen((r) => !paused(r) && cellAt(r, 1, 1) === '╔', 'play resumed');
  tab.assertNoProblems();
  await tab.close();
});

test('a window blur pauses the game, and ESC leaves it through the farewell', async () => {
  const tab = await site.open();
  await startGame(tab);
  await blurWindow(tab);
  await tab.waitForScreen(paused, 'PAUSE');
  await focusWindow(tab);
  await tab.press('Escape');
  await tab.waitForText('ATE A PROXIMA');
  tab.assertNoProblems();
  await tab.close();
});

test('keys typed before the window lost focus are played first, then the game pauses', async () => {
  const tab = await site.open();
  await startGame(tab);
  // A move typed just before the blur, in the same turn of the page: it is still played.
  await tab.page.evaluate(() => {
    window.term.input('\x1b[C\x1b[C\x1b[C', true);
    window.dispatchEvent(new Event('blur'));
  });
  const rows = await tab.waitForScreen(paused, 'PAUSE');
  assert.equal(cellAt(rows, 28, 23), kShip, 'the ship moved three cells right before pausing');
  tab.assertNoProblems();
  await tab.close();
});

test('a focus loss in the menu changes nothing: the game it starts plays on', async () => {
  const tab = await site.open();
  await tab.waitForText(kBannerTop);
  await tab.press('x');
  await tab.waitForText('[ESC] PARA SAIR');
  await blurWindow(tab);
  await setHidden(tab, true);
  await setHidden(tab, false);
  await tab.page.waitForTimeout(200);
  assert.ok((await tab.rows()).some((row) => row.includes('[ESC] PARA SAIR')), 'still the menu');
  await tab.press('2');
  await tab.waitForScreen((r) => cellAt(r, 25, 23) === kShip, 'the ship on (25, 23)');
  await tab.press('ArrowLeft');
  await tab.waitForScreen((r) => cellAt(r, 24, 23) === kShip, 'the ship moved left');
  await tab.page.waitForTimeout(300);
  assert.equal(paused(await tab.rows()), false, 'no pause');
  tab.assertNoProblems();
  await tab.close();
});
