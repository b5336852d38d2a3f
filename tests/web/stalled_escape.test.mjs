// ESC and '[' typed by hand in the page: once the ESC timeout has passed the game reads ESC
// and ends, as on a terminal, instead of waiting for the rest of a sequence that never comes.
import { after, before, test } from 'node:test';

import { cellAt, openSite } from './browser.mjs';

let site;
before(async () => { site = await openSite(); });
after(async () => { await site.close(); });

const kBannerTop = '.--.  .--. .-------. .--.  .--.     .--.';
const kShip = '±';

test('a stalled ESC [ is the ESC key, and the byte typed later is a key of its own', async () => {
  const tab = await site.open();
  await tab.waitForText(kBannerTop);
  await tab.press('2');
  await tab.waitForScreen((r) => cellAt(r, 25, 23) === kShip, 'the ship on (25, 23)');
  await tab.page.evaluate(() => window.term.input('\x1b[', true));
  await tab.waitForText('ATE A PROXIMA');
  // 'a' would have made ESC [ a, an Up arrow; now it only leaves the farewell.
  await tab.press('a');
  await tab.press('x');
  await tab.waitForText('[ESC] PARA SAIR');
  tab.assertNoProblems();
  await tab.close();
});
