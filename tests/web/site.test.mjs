// The game in the browser, as a player meets it: the intro and its tones, the menu, a game
// from the first frame to the farewell, the end of the program and another run, the touch
// keys and the sound switch; never an error on the page.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';

import { assertOnTable, cellAt, openSite, phones, startSoundAtOnce } from './browser.mjs';

let site;
before(async () => { site = await openSite(); });
after(async () => { await site.close(); });

const kBannerTop = '.--.  .--. .-------. .--.  .--.     .--.';
const kShip = '±';

function shipColumn(rows) {
  return [...(rows[22] ?? '')].indexOf(kShip) + 1;
}

test('the intro draws the banner to its jingle, then the menu shows its texts', async () => {
  const tab = await site.open('', {}, startSoundAtOnce);
  await tab.waitForText(kBannerTop);
  await tab.page.waitForFunction(() => window.vexamorTones.length >= 8);
  const tones = await tab.page.evaluate(() => window.vexamorTones.slice(0, 8));
  assert.deepEqual(tones.map(([frequency, length]) => [frequency, length]), [
    [554, 250], [1108, 250], [830, 250], [739, 250], [1480, 250], [830, 250], [1396, 250], [830, 250],
  ]);
  // Each tone starts where the one before and its 10 ms rest end on the program's timeline,
  // and is heard whole: the scheduled moments, not the time the test saw them.
  assertOnTable(tones, tones.map((_, i) => 260 * i), 0.001);
  // Any key skips the rest of the intro; the menu ignores a key it does not know.
  await tab.press('x');
  const rows = await tab.waitForText('DIGITE [1] PARA AJUSTAR AS CORES DO JOGO');
  assert.ok(rows.some((row) => row.includes('DIGITE [2] PARA COMEÇAR A JOGAR')));
  assert.ok(rows.some((row) => row.includes('[ESC] PARA SAIR')));
  assert.ok(rows[1].includes(kBannerTop));
  tab.assertNoProblems();
  await tab.close();
});

test('a game: frame and ship, moving, firing, pause and resume, farewell, end and another run', async () => {
  const tab = await site.open();
  await tab.waitForText(kBannerTop);
  await tab.press('2');
  let rows = await tab.waitForScreen((r) => cellAt(r, 25, 23) === kShip, 'the ship on (25, 23)');
  assert.equal(cellAt(rows, 1, 1), '╔');
  assert.equal(cellAt(rows, 80, 25), '╝');
  assert.ok(rows.some((row) => row.includes('Vidas: 3')));

  await tab.press('ArrowRight');
  rows = await tab.waitForScreen((r) => shipColumn(r) > 25, 'the ship moved right');
  const x = shipColumn(rows);

  await tab.press('a');
  await tab.waitForScreen((r) => r.slice(1, 22).some((row) => cellAt([row], x, 1) === '│'), 'a shot above the ship');

  await tab.press(' ');
  rows = await tab.waitForText('PAUSE');
  await tab.page.waitForTimeout(400);
  assert.deepEqual(await tab.rows(), rows, 'nothing moves while paused');
  await tab.press(' ');
  await tab.waitForScreen((r) => !r[23].includes('PAUSE') && cellAt(r, 1, 1) === '╔', 'play resumed');

  await tab.press('Escape');
  rows = await tab.waitForText('ATE A PROXIMA');
  assert.ok(rows[13].includes('PONTOS'));

  // A key leaves the farewell for the intro, another skips it, and ESC in the menu ends the
  // program: the page says so and offers another run.
  await tab.press('x');
  await tab.waitForText(kBannerTop);
  await tab.press('x');
  await tab.waitForText('[ESC] PARA SAIR');
  await tab.press('Escape');
  await tab.page.waitForSelector('#ended:not([hidden])');
  assert.equal(await tab.page.textContent('#ended-text'), 'O jogo terminou.');
  await tab.page.click('#restart');
  await tab.waitForText(kBannerTop);
  assert.equal(await tab.page.isHidden('#ended'), true);
  tab.assertNoProblems();
  await tab.close();
});

test('on a phone the touch keys type their keys', async () => {
  const tab = await site.open('', { viewport: { width: 412, height: 860 }, hasTouch: true, isMobile: true });
  await tab.waitForText(kBannerTop);
  assert.equal(await tab.page.isVisible('#touch'), true);
  await tab.page.tap('#touch button[data-key="2"]');
  await tab.waitForScreen((r) => cellAt(r, 25, 23) === kShip, 'the ship on (25, 23)');
  await tab.page.tap('#touch button[data-key="left"]');
  await tab.waitForScreen((r) => shipColumn(r) > 0 && shipColumn(r) < 25, 'the ship moved left');
  await tab.page.screenshot({ path: `${site.screenshots}/phone.png` });
  tab.assertNoProblems();
  await tab.close();
});

test('?mute starts with the sound off, and the button switches it', async () => {
  const tab = await site.open('?mute');
  await tab.waitForText(kBannerTop);
  const button = tab.page.locator('#mute');
  assert.equal(await button.getAttribute('aria-pressed'), 'true');
  assert.equal(await button.textContent(), 'Som: desligado');
  // The tones still run their course, silently.
  await tab.page.waitForFunction(() => window.vexamorTones.length >= 2);
  await button.click();
  assert.equal(await button.getAttribute('aria-pressed'), 'false');
  assert.equal(await button.textContent(), 'Som: ligado');
  // The click has started the sound: the next tones go to Web Audio, without an error.
  const heard = await tab.page.evaluate(() => window.vexamorTones.length);
  await tab.page.waitForFunction((n) => window.vexamorTones.length >= n + 3, heard);
  tab.assertNoProblems();
  await tab.close();
});

test('the terminal takes the largest size that fits, again after a resize', async () => {
  const tab = await site.open();
  await tab.waitForText(kBannerTop);
  // The picture as seen against the stage, and whether one whole font size larger would fit.
  const measure = () => tab.page.evaluate(() => {
    const screen = window.term.element.querySelector('.xterm-screen');
    const stage = document.getElementById('stage');
    const seen = screen.getBoundingClientRect();
    const fill = Math.max(seen.width / stage.clientWidth, seen.height / stage.clientHeight);
    const fits = seen.width <= stage.clientWidth + 0.5 && seen.height <= stage.clientHeight + 0.5;
    const size = window.term.options.fontSize;
    window.term.options.fontSize = size + 1;
    const larger = screen.offsetWidth <= stage.clientWidth && screen.offsetHeight <= stage.clientHeight;
    window.term.options.fontSize = size;
    return { size, scale: window.vexamorPage.scale, fits, fill, larger };
  });
  // Whole font sizes, unless they leave more than a tenth of the room: then the next size
  // scaled down to fill it.
  const check = (fit) => {
    assert.ok(fit.fits, `the picture overflows the stage: ${JSON.stringify(fit)}`);
    assert.ok(fit.fill >= 0.9, `the picture fills ${fit.fill} of the stage`);
    if (fit.scale === 1) assert.equal(fit.larger, false, 'a larger font size would fit');
    else assert.ok(fit.scale < 1 && fit.fill > 0.995, `scaled by ${fit.scale} yet fills ${fit.fill}`);
  };
  const wide = await measure();
  check(wide);
  await tab.page.setViewportSize({ width: 640, height: 480 });
  await tab.page.waitForFunction((size) => window.term.options.fontSize < size, wide.size);
  check(await measure());
  // Sizes where whole font sizes leave much of the room empty are filled by scaling.
  for (const [width, height] of [[700, 500], [1000, 437]]) {
    await tab.page.setViewportSize({ width, height });
    await tab.page.waitForTimeout(100);
    check(await measure());
  }
  tab.assertNoProblems();
  await tab.close();
});

// From the first paint on, nothing on the page moves: the terminal opens in a box already its
// final size, and the header is laid out once. The browser's own record of layout shifts
// since the page started is empty once the banner shows.
test('nothing on the page moves as it loads and the intro starts, on a desktop and a phone', async () => {
  for (const options of [{}, phones.landscape, phones.portrait]) {
    const tab = await site.open('', options);
    await tab.waitForText(kBannerTop);
    const shifts = await tab.page.evaluate(() => new Promise((done) => {
      new PerformanceObserver((list) => done(list.getEntries().map((shift) => ({
        value: shift.value, moved: shift.sources.map((source) => source.node?.id || source.node?.className),
      })))).observe({ type: 'layout-shift', buffered: true });
      setTimeout(() => done([]), 500);
    }));
    assert.deepEqual(shifts, [], `at ${JSON.stringify(options.viewport ?? 'desktop')}`);
    tab.assertNoProblems();
    await tab.close();
  }
});

test('without WebAssembly the page names it, and loads nothing of the game', async () => {
  const tab = await site.open('', {}, () => { delete window.WebAssembly; }, { waitForTerminal: false });
  await tab.page.waitForSelector('#ended:not([hidden])');
  assert.match(await tab.page.textContent('#ended-text'), /^Este navegador não executa WebAssembly, /);
  assert.equal(await tab.page.isHidden('#restart'), true);
  await tab.page.waitForTimeout(300);
  assert.equal(await tab.page.evaluate(() => document.querySelectorAll('script[src]').length), 0);
  tab.assertNoProblems();
  await tab.close();
});
