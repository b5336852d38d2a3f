// The page on a phone held both ways: the terminal as large as the screen allows, every touch
// key on the screen and off the play field, the frame's lines joined at the scale drawn; the
// full-screen button where the browser has the API and nowhere else.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';

import { cellAt, openSite, phones, picture } from './browser.mjs';
import { frameGaps } from './frame.mjs';

let site;
before(async () => { site = await openSite(); });
after(async () => { await site.close(); });

const kBannerTop = '.--.  .--. .-------. .--.  .--.     .--.';
const kShip = '±';

// Screen areas (1-based columns and rows, inclusive) that no key may cover: the play field,
// the side panel's counters and the spot where "PAUSE" shows.
const kKeptClear = [
  { what: 'the play field', columns: [2, 49], rows: [1, 25] },
  { what: 'the counters', columns: [51, 79], rows: [2, 9] },
  { what: 'PAUSE', columns: [75, 79], rows: [24, 24] },
];

function area(shot, { columns, rows }) {
  const { screen, cell } = shot;
  return {
    left: screen.left + (columns[0] - 1) * cell.width, right: screen.left + columns[1] * cell.width,
    top: screen.top + (rows[0] - 1) * cell.height, bottom: screen.top + rows[1] * cell.height,
  };
}

const overlaps = (a, b) => a.left < b.right - 0.5 && b.left < a.right - 0.5 && a.top < b.bottom - 0.5 && b.top < a.bottom - 0.5;

function keyBoxes(page) {
  return page.$$eval('#touch button, header button:not([hidden])', (buttons) => buttons.map((button) => {
    const { left, top, right, bottom, width, height } = button.getBoundingClientRect();
    return {
      name: button.dataset.key ?? button.id, inPad: button.closest('.pad') !== null,
      inActions: button.closest('.actions') !== null, visible: button.checkVisibility(),
      left, top, right, bottom, width, height,
    };
  }));
}

async function startGame(tab) {
  await tab.waitForText(kBannerTop);
  await tab.page.tap('#touch button[data-key="2"]');
  return tab.waitForScreen((r) => cellAt(r, 25, 23) === kShip && cellAt(r, 80, 25) === '╝', 'a game with the ship on (25, 23)');
}

const kHeld = [['landscape', phones.landscape], ['portrait', phones.portrait], ['landscape', phones.smallLandscape]];

for (const [holding, options] of kHeld) {
  const { width, height } = options.viewport;
  test(`a phone held ${holding} (${width} x ${height}): the largest picture, the keys beside or below it, the frame joined`, async () => {
    const tab = await site.open('', options);
    await startGame(tab);
    const shot = await picture(tab.page);
    const { screen, window: view } = shot;
    assert.ok(screen.left >= -0.5 && screen.top >= -0.5 && screen.right <= view.width + 0.5 && screen.bottom <= view.height + 0.5,
      `the picture ${JSON.stringify(screen)} leaves the screen`);
    if (holding === 'landscape' && width / height > 2) {
      assert.ok(screen.height >= 0.9 * view.height, `the picture is ${screen.height} of ${view.height} pixels high`);
    } else if (holding === 'landscape') {
      assert.ok(screen.height >= 0.8 * view.height, `the picture is ${screen.height} of ${view.height} pixels high`);
    } else {
      assert.ok(screen.width >= 0.95 * view.width, `the picture is ${screen.width} of ${view.width} pixels wide`);
    }

    const keys = await keyBoxes(tab.page);
    assert.equal(keys.filter((key) => key.inPad || key.inActions).length, 12);
    const field = area(shot, kKeptClear[0]);
    for (const key of keys) {
      assert.ok(key.visible && key.width >= 24 && key.height >= 24, `${key.name} is not shown full size`);
      assert.ok(key.left >= 0 && key.top >= 0 && key.right <= view.width && key.bottom <= view.height, `${key.name} leaves the screen`);
      for (const clear of kKeptClear) assert.ok(!overlaps(key, area(shot, clear)), `${key.name} covers ${clear.what}`);
      if (holding === 'landscape') {
        if (key.inPad) assert.ok(key.right <= field.left, `${key.name} is not left of the play field`);
        if (key.inActions) assert.ok(key.left >= field.right, `${key.name} is not right of the play field`);
      } else if (key.inPad || key.inActions) {
        assert.ok(key.top >= screen.bottom, `${key.name} is not below the picture`);
      }
    }
    assert.equal(await tab.page.isVisible('#turn-hint'), holding === 'portrait');
    assert.deepEqual(await frameGaps(tab), []);

    // The keys work where they stand.
    await tab.page.tap('#touch button[data-key="left"]');
    await tab.waitForScreen((r) => { const x = [...r[22]].indexOf(kShip) + 1; return x > 0 && x < 25; }, 'the ship moved left');
    await tab.page.tap('#mute');
    assert.equal(await tab.page.getAttribute('#mute', 'aria-pressed'), 'true');
    await tab.page.screenshot({ path: `${site.screenshots}/phone-${width}x${height}.png` });
    tab.assertNoProblems();
    await tab.close();
  });
}

test('the frame stays joined on a desktop window and a small one', async () => {
  const tab = await site.open();
  await tab.waitForText(kBannerTop);
  await tab.press('2');
  await tab.waitForScreen((r) => cellAt(r, 80, 25) === '╝', 'the frame');
  assert.deepEqual(await frameGaps(tab), []);
  await tab.page.setViewportSize({ width: 700, height: 500 });
  await tab.page.waitForTimeout(200);
  assert.deepEqual(await frameGaps(tab), []);
  tab.assertNoProblems();
  await tab.close();
});

test('full screen from its button, landscape asked for, and no button where the browser has no full screen', async () => {
  // An orientation lock that refuses, as most browsers do: the page goes on without an error.
  const tab = await site.open('', {}, () => {
    window.orientationCalls = [];
    screen.orientation.lock = (orientation) => {
      window.orientationCalls.push(orientation);
      return Promise.reject(new DOMException('not here', 'NotSupportedError'));
    };
    screen.orientation.unlock = () => { window.orientationCalls.push('unlock'); };
  });
  const button = tab.page.locator('#fullscreen');
  assert.equal(await tab.page.evaluate(() => document.fullscreenEnabled), true);
  assert.equal(await button.isVisible(), true);
  assert.equal(await button.textContent(), 'Tela cheia');
  await button.click();
  // The page follows full screen on its fullscreenchange event, which comes a frame after the
  // change itself.
  const shown = (full) => tab.page.waitForFunction((f) => (document.fullscreenElement !== null) === f &&
    document.getElementById('fullscreen').getAttribute('aria-pressed') === String(f), full);
  await shown(true);
  assert.equal(await tab.page.evaluate(() => document.fullscreenElement === document.documentElement), true);
  assert.equal(await button.textContent(), 'Sair da tela cheia');
  await tab.page.waitForFunction(() => window.orientationCalls.includes('landscape'));
  await button.click();
  await shown(false);
  assert.equal(await button.textContent(), 'Tela cheia');
  assert.deepEqual(await tab.page.evaluate(() => window.orientationCalls), ['landscape', 'unlock']);
  tab.assertNoProblems();
  await tab.close();

  const bare = await site.open('', {}, () => {
    Object.defineProperty(Document.prototype, 'fullscreenEnabled', { get: () => undefined });
    delete Element.prototype.requestFullscreen;
  });
  await bare.waitForText(kBannerTop);
  assert.equal(await bare.page.isHidden('#fullscreen'), true);
  bare.assertNoProblems();
  await bare.close();
});
