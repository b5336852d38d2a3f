// Figures of the page's records, measured (never asserted): the length of a shared link for
// a 2-minute and a 10-minute game, made by the page's own code in headless Chromium, and the
// size of the kept list of ten such games in localStorage.
// A game is its recording's text; the keys come from a player who moves and fires in runs
// (arrows held, fire tapped or held, pauses for breath, now and then a volley or a bomb), and
// for comparison from keys drawn at random every tick, the worst a link has to carry.
// At the starting pace a tick lasts 50 ms: 2 minutes are 2,400 ticks; 10 minutes are taken as
// 15,000 ticks, as the pace quickens with the levels.
// Run after scripts/build-web.sh: node bench/web/record_links.mjs
import { openSite } from '../../tests/web/browser.mjs';

function generator(seed) {
  let state = seed >>> 0;
  return (n) => {
    state = (state * 1103515245 + 12345) >>> 0;
    return (state >>> 16) % n;
  };
}

// One item a tick: a held arrow gives its two bytes on every tick, as a terminal's key
// repeat outruns the ticks.
function playerKeys(seed, ticks) {
  const next = generator(seed);
  const items = [];
  while (items.length < ticks) {
    const run = 4 + next(30);
    const action = next(10);
    for (let i = 0; i < run; ++i) {
      if (action < 3) items.push('');
      else if (action < 6) items.push(...(action === 3 ? ['224', '75'] : ['224', '77']));
      else if (action < 8) items.push(i % (2 + next(4)) === 0 ? '97' : '');
      else if (action < 9) items.push('97');
      else items.push(i === 0 ? ['119', '101', '32'][next(3)] : '');
    }
  }
  return items.slice(0, ticks);
}

function randomKeys(seed, ticks) {
  const next = generator(seed);
  const choices = ['', '97', '119', '101', '224', '72', '80', '75', '77', '32', '27', '65'];
  return Array.from({ length: ticks }, () => choices[next(choices.length)]);
}

function recording(keys, score) {
  return ['vexamor-recording 1', 'game 1.0.0', 'date 2026-12-10T14:03:07Z', 'seed 1765375387', 'carried 20 25',
    'colors 14 2 4 5 8 8', `score ${score}`, 'level 3', `ticks ${keys.length}`, 'ended esc', `keys ${keys.join(',')}`, ''].join('\n');
}

const site = await openSite();
try {
  const tab = await site.open();
  const measure = (text) => tab.page.evaluate(async (t) => (await window.vexamorPage.share.linkFor(t)).length, text);
  const base = (await tab.page.evaluate(() => location.href.split('#')[0])).length;
  console.log(`page address: ${base} characters (in every link)`);
  const figures = [];
  for (const [name, ticks] of [['2 minutes', 2400], ['10 minutes', 15000]]) {
    for (const [keysName, make] of [['player', playerKeys], ['random', randomKeys]]) {
      const text = recording(make(7, ticks), 1234);
      figures.push({ game: name, keys: keysName, ticks, fileBytes: text.length, linkChars: await measure(text) });
    }
  }
  for (const f of figures) {
    console.log(`${f.game}, ${f.keys} keys: ${f.ticks} ticks, file ${f.fileBytes} bytes, link ${f.linkChars} characters`);
  }
  // Ten kept 10-minute games of a player, as the page stores them.
  const stored = await tab.page.evaluate((texts) => {
    for (const text of texts) window.vexamorPage.records.add(text, 600);
    return localStorage.getItem('vexamor.recordes.v1').length;
  }, Array.from({ length: 10 }, (_, i) => recording(playerKeys(100 + i, 15000), 1000 + i)));
  console.log(`kept list of ten 10-minute games: ${stored} characters in localStorage`);
  await tab.close();
} finally {
  await site.close();
}
