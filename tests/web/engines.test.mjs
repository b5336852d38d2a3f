// The page on the other engines, Firefox ESR (Gecko) and WebKitGTK (the engine of Safari): the
// banner, a game with the ship moving, a pause and the farewell from the keyboard, then, once
// the service worker controls the page, a reload with the server gone that still plays.
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

async function startGame(tab) {
  await tab.waitForText(kBannerTop, kFirstScreenMs);
  await tab.press('2');
  return tab.waitForScreen((r) => cellAt(r, 25, 23) === kShip && cellAt(r, 80, 25) === '╝', 'a game with the ship on (25, 23)');
}

for (const [name, open] of Object.entries(engines)) {
  test(`${name}: the banner, a game, the ship moving, a pause, the farewell, and offline play after a visit`, async () => {
    const server = await serve(buildDir, 0);
    const url = `http://127.0.0.1:${server.address().port}/site/`;
    const tab = await open();
    try {
      await tab.goto(url);
      await startGame(tab);
      await tab.press('ArrowRight');
      await tab.waitForScreen((r) => shipColumn(r) === 26, 'the ship moved right');
      await tab.press(' ');
      const rows = await tab.waitForText('PAUSE');
      await new Promise((done) => { setTimeout(done, 300); });
      assert.deepEqual(await tab.rows(), rows, 'nothing moves while paused');
      await tab.press(' ');
      await tab.waitForScreen((r) => !r[23].includes('PAUSE'), 'play resumed');
      await tab.press('Escape');
      await tab.waitForText('ATE A PROXIMA');

      await tab.evaluate(() => navigator.serviceWorker.ready.then(() => true));
      // Loaded whole (a reload cuts off what the page still fetches) before the server goes.
      await tab.reload();
      await tab.waitForText(kBannerTop, kFirstScreenMs);
      assert.equal(await tab.evaluate(() => navigator.serviceWorker.controller !== null), true, 'the worker controls the page');
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
