// The intro's jingle through a stalled page: the page's main thread busy for 150 ms after
// every tone, as on a cold start or a slow phone. No later tone leaves the table's spacing
// and every tone keeps its length, on the timeline and on the audio clock, and the picture
// stays close to the sound.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';

import { assertOnTable, openSite, startSoundAtOnce } from './browser.mjs';

let site;
before(async () => { site = await openSite(); });
after(async () => { await site.close(); });

// The first five banner lines' tones: 250 ms each, the first `pauses` of every four followed
// by a 10 ms rest.
const kGroups = [
  [[554, 1108, 830, 739], 4],
  [[1480, 830, 1396, 830], 4],
  [[554, 1108, 830, 739], 4],
  [[1480, 830, 1396, 830], 3],
  [[622, 1108, 830, 739], 4],
];

function tableStarts() {
  const starts = [];
  let at = 0;
  for (const [frequencies, pauses] of kGroups) {
    frequencies.forEach((_, i) => {
      starts.push(at);
      at += 250 + (i < pauses ? 10 : 0);
    });
  }
  return starts;
}

// Wraps the page's record of tones so that, once window.stalling is set, every tone queues
// a task that keeps the main thread busy for 150 ms: the stall falls between the program's
// calls, wherever it waits.
function stallAfterEveryTone() {
  let record = [];
  Object.defineProperty(window, 'vexamorTones', {
    get: () => record,
    set: (value) => {
      record = value;
      const push = record.push.bind(record);
      record.push = (...tones) => {
        if (window.stalling) setTimeout(() => { const end = performance.now() + 150; while (performance.now() < end); }, 0);
        return push(...tones);
      };
    },
  });
}

// The stalls are injected into the second run's intro, once the page has drawn its first
// frames: a cold page's own first stalls are longer than any run-ahead, and are not the
// subject here.
test('a 150 ms stall after every tone moves no tone off the table, and no tone is cut short', async () => {
  const tab = await site.open('', {}, `(${startSoundAtOnce})(); (${stallAfterEveryTone})();`);
  await tab.waitForText('.--.  .--.');
  await tab.press('x');
  await tab.waitForText('[ESC] PARA SAIR');
  await tab.press('Escape');
  await tab.page.waitForSelector('#ended:not([hidden])');
  // When each of the first banner lines (rows 2 to 6) first reaches the terminal.
  const before = await tab.page.evaluate(() => {
    window.stalling = true;
    window.lineShown = [];
    window.term.onWriteParsed(() => {
      for (let line = 0; line < 5; ++line) {
        const text = window.term.buffer.active.getLine(line + 1).translateToString(true);
        if (window.lineShown[line] === undefined && text.trim() !== '') window.lineShown[line] = performance.now();
      }
    });
    return window.vexamorTones.length;
  });
  await tab.page.click('#restart');
  const starts = tableStarts();
  await tab.page.waitForFunction((n) => window.vexamorTones.length >= n, before + starts.length, { timeout: 20000 });
  const tones = (await tab.page.evaluate(() => window.vexamorTones)).slice(before, before + starts.length);
  assert.deepEqual(tones.map(([frequency, length]) => [frequency, length]),
    kGroups.flatMap(([frequencies]) => frequencies.map((frequency) => [frequency, 250])));
  assertOnTable(tones, starts, 0.001, 15);
  // The picture runs ahead of the sound by no more than the program's run-ahead (250 ms)
  // and a rest: each banner line arrives at most that long before its first tone.
  const shown = await tab.page.evaluate(() => window.lineShown);
  for (let line = 1; line < kGroups.length; ++line) {
    const lead = tones[4 * line][2] - shown[line];
    assert.ok(lead <= 260 + 1, `banner line ${line} came ${lead} ms before its first tone`);
  }
  tab.assertNoProblems();
  await tab.close();
});
