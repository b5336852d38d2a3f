// The page on the other engines, Firefox ESR (Gecko) and WebKitGTK (the engine of Safari): the
// page's touch rules as the engine computes them, the sound line until a key starts the sound
// (by the engine's own gesture rule, where it has sound), the banner, a game with the ship
// moving, a pause and the farewell from the keyboard, the game kept as the record, then, once the service worker controls
// the page, a reload with the server gone that still plays.
import assert from 'node:assert/strict';
import { test } from 'node:test';

import { serve } from '../../tools/web/serve.mjs';
import { buildDir, cellAt } from './browser.mjs';
import { engines } from './engines.mjs';

const kBannerTop = '.--.  .--. .-------. .--.  .--.     .--.';
const kShip = '±';
// Another engine's first page can be slow: a cold profile, software drawing under Xvfb.
const kFirstScreenMs = 60000;

const shipColumn = (rows) => [...(rows[22] ?? '')].indexOf(kShip) + 1;

async function until(tab, check, what) {
  const deadline = Date.now() + 8000;
  while (!(await tab.evaluate(check))) {
    assert.ok(Date.now() < deadline, `never ${what}`);
    await new Promise((done) => { setTimeout(done, 50); });
  }
}

async function startGame(tab) {
  await tab.waitForText(kBannerTop, kFirstScreenMs);
  await tab.press('2');
  return tab.waitForScreen((r) => cellAt(r, 25, 23) === kShip && cellAt(r, 80, 25) === '╝', 'a game with the ship on (25, 23)');
}

for (const [name, open] of Object.entries(engines)) {
  test(`${name}: touch rules, the sound line until a key, a game moving, pausing and ending, and offline play after a visit`, async () => {
    const server = await serve(buildDir, 0);
    const url = `http://127.0.0.1:${server.address().port}/site/`;
    const tab = await open();
    try {
      await tab.goto(url);
      await tab.waitForText(kBannerTop, kFirstScreenMs);
      assert.deepEqual(await tab.evaluate(() => {
        const style = (selector) => getComputedStyle(document.querySelector(selector));
        return [style('#stage').touchAction, style('#touch button').touchAction, style('html').overscrollBehaviorY];
      }), ['none', 'none', 'none']);
      const soundLine = () => !document.getElementById('sound-hint').hidden;
      assert.equal(await tab.evaluate(soundLine), true, 'the sound line shows before any key');
      await startGame(tab);
      if (tab.playsSound) await until(tab, () => document.getElementById('sound-hint').hidden, 'the sound started by a key');
      await tab.press('ArrowRight');
      await tab.waitForScreen((r) => shipColumn(r) === 26, 'the ship moved right');
      await tab.press(' ');
      const rows = await tab.waitForText('PAUSE');
      await new Promise((done) => { setTimeout(done, 300); });
      assert.deepEqual(await tab.rows(), rows, 'nothing moves while paused');
      await tab.press(' ');
      await tab.waitForScreen((r) => !r[23].includes('PAUSE'), 'play resumed');
      await tab.press('Escape');
      const farewell = await tab.waitForScreen(
        (r) => r.some((row) => row.includes('ATE A PROXIMA')) && r.some((row) => /\d+ PONTOS/.test(row)), 'the farewell and its score');
      // The game is kept: the header shows its score as the record, also after a reload.
      const points = farewell.join('\n').match(/(\d+) PONTOS/)[1];
      const record = () => (document.getElementById('record').hidden ? '' : document.getElementById('record').textContent);
      await until(tab, () => !document.getElementById('record').hidden, 'the record in the header');
      assert.equal(await tab.evaluate(record), `Recorde: ${points}`);

      await tab.evaluate(() => navigator.serviceWorker.ready.then(() => true));
      // Loaded whole (a reload cuts off what the page still fetches) before the server goes.
      await tab.reload();
      await tab.waitForText(kBannerTop, kFirstScreenMs);
      assert.equal(await tab.evaluate(() => navigator.serviceWorker.controller !== null), true, 'the worker controls the page');
      assert.equal(await tab.evaluate(record), `Recorde: ${points}`, 'the record is kept');
      server.close();
      server.closeAllConnections();
      await tab.reload();
      await startGame(tab);
      assert.deepEqual(tab.errors, []);
    } finally {
      await tab.close();
      server.close();
    }
  });
}
