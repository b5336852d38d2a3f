// The page keeps the player's best games: each finished game is kept by its farewell score,
// the best first and ten at most, with the record in the header; a kept game shared as a link
// plays in a browser that has never seen it, and a recording file opens the same way; broken
// links, files and storage leave a page that plays.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';

import { cellAt, openSite, phones } from './browser.mjs';
import { futureLink, recordingText, seedRecords } from './records-fixtures.mjs';

let site;
before(async () => { site = await openSite(); });
after(async () => { await site.close(); });

const kBannerTop = '.--.  .--. .-------. .--.  .--.     .--.';
const kMenu = '[ESC] PARA SAIR';
const kShip = '±';

const farewellScore = (rows) => Number(/(\d+) PONTOS/.exec(rows[13])[1]);
const hudScore = (rows) => Number((/Pontos: (\d+)/.exec(rows.join('\n')) ?? [0, -1])[1]);

// From the menu (or the intro) to a farewell: a game ended by ESC, after bombs until it has
// scored more than `beat` when asked to. Returns the farewell's score.
async function playGame(tab, beat = null) {
  await tab.waitForText(kBannerTop, 15000);
  await tab.press('x');
  await tab.waitForText(kMenu);
  await tab.press('2');
  await tab.waitForScreen((r) => cellAt(r, 25, 23) === kShip, 'the ship on (25, 23)');
  for (let bombs = 0; beat !== null && bombs < 5 && hudScore(await tab.rows()) <= beat; ++bombs) {
    await tab.page.waitForTimeout(2500);  // enemies come in meanwhile
    await tab.press('e');
    await tab.page.waitForTimeout(1200);  // the bomb's flash
  }
  await tab.press('Escape');
  return farewellScore(await tab.waitForText('ATE A PROXIMA'));
}

// The kept games as the dialog lists them (score first on each line), then closed by Esc.
async function listed(tab) {
  await tab.page.click('#records-open');
  const lines = await tab.page.$$eval('#records-list .record-game', (items) => items.map((item) => item.textContent));
  await tab.press('Escape');
  await tab.page.waitForFunction(() => document.activeElement.closest('#terminal') !== null);
  return lines.map((line) => Number(/^(\d+) pontos/.exec(line)[1]));
}

const record = (tab) => tab.page.evaluate(() => {
  const line = document.getElementById('record');
  return line.hidden ? null : line.textContent;
});

test('finished games are kept by score, the best first and ten at most, the record in the header', async () => {
  const tab = await site.open();
  await tab.waitForText(kBannerTop);
  assert.equal(await record(tab), null, 'no record before a game');
  const first = await playGame(tab);
  await tab.page.waitForFunction(() => !document.getElementById('record').hidden);
  assert.equal(await record(tab), `Recorde: ${first}`);
  assert.deepEqual(await listed(tab), [first]);

  await tab.press('x');  // leaves the farewell
  const second = await playGame(tab, first);
  assert.ok(second > first, `the bombs scored ${second}`);
  await tab.page.waitForFunction((text) => document.getElementById('record').textContent === text, `Recorde: ${second}`);
  assert.deepEqual(await listed(tab), [second, first]);

  // The best game watched from the list, over the running program: its farewell, then the
  // menu of a fresh run that plays.
  await tab.page.click('#records-open');
  await tab.page.click('#records-list li:first-child button:text("Assistir")');
  assert.equal(farewellScore(await tab.waitForText('ATE A PROXIMA', 60000)), second);
  await tab.press('x');
  await tab.waitForText(kBannerTop, 15000);
  await tab.press('x');
  await tab.press('2');
  await tab.waitForScreen((r) => cellAt(r, 25, 23) === kShip, 'a game after the watch');
  assert.deepEqual(await listed(tab), [second, first], 'a watched game is not kept again');
  tab.assertNoProblems();
  await tab.close();

  // Ten kept games of no points: an eleventh that scores goes first, and the last of the
  // ten (of equal scores, the latest) makes way.
  const ten = Array.from({ length: 10 }, (_, i) => ({ score: 0, date: `2026-01-${String(i + 1).padStart(2, '0')}T10:00:00Z` }));
  const full = await site.open('', {}, seedRecords(ten.map(recordingText)));
  const eleventh = await playGame(full, 0);
  await full.page.waitForFunction((text) => document.getElementById('record').textContent === text, `Recorde: ${eleventh}`);
  const kept = await full.page.evaluate(() => JSON.parse(localStorage.getItem('vexamor.recordes.v1')).games.map((game) => game.text));
  assert.equal(kept.length, 10);
  assert.match(kept[0], new RegExp(`^score ${eleventh}$`, 'm'));
  assert.ok(!kept.some((text) => text.includes('2026-01-10')), 'the latest game of no points was dropped');
  assert.ok(kept.some((text) => text.includes('2026-01-09')));
  full.assertNoProblems();
  await full.close();
});

test('a shared link plays its game in a fresh browser to the same farewell, then the menu', async () => {
  // The clipboard refuses: the link is shown to be copied by hand.
  const tab = await site.open('', {}, () => {
    navigator.clipboard.writeText = () => Promise.reject(new DOMException('no', 'NotAllowedError'));
  });
  const score = await playGame(tab, 0);
  await tab.page.waitForFunction(() => !document.getElementById('record').hidden);
  await tab.page.click('#records-open');
  await tab.page.click('#records-list li:first-child button:text("Compartilhar")');
  await tab.page.waitForSelector('#records-link:not([hidden])');
  const link = await tab.page.textContent('#records-link');
  assert.ok(link.startsWith(`${site.url}#r=`), link);
  assert.match(await tab.page.textContent('#records-status'), /Copie o link/);
  tab.assertNoProblems();
  await tab.close();

  const fresh = await site.open(link.slice(site.url.length));
  await fresh.page.waitForSelector('#offer:not([hidden])');
  assert.equal(await fresh.page.textContent('#offer-watch'), `Assistir a partida de ${score} pontos`);
  assert.ok(!(await fresh.rows()).some((row) => row.includes(kBannerTop)), 'nothing runs before the tap');
  await fresh.press('Enter');
  const rows = await fresh.waitForText('ATE A PROXIMA', 60000);
  assert.equal(farewellScore(rows), score);
  await fresh.press('x');  // the farewell waits for a key, as after a game
  await fresh.waitForText(kBannerTop, 15000);
  assert.equal(await record(fresh), null, 'a watched game is not kept');
  assert.ok(!fresh.page.url().includes('#r='), 'the link is taken from the address once watched');
  fresh.assertNoProblems();
  await fresh.close();
});

test('a broken or future link, a broken file and refused storage leave a page that plays', async () => {
  for (const [fragment, said] of [['#r=%%%não', 'não traz uma gravação'], ['#r=AAAA', 'não traz uma gravação'],
    [futureLink(), 'versão mais nova do jogo']]) {
    const tab = await site.open(fragment);
    await tab.waitForText(kBannerTop, 15000);
    assert.match(await tab.page.textContent('#page-note'), new RegExp(said), fragment);
    await tab.press('x');
    await tab.press('2');
    await tab.waitForScreen((r) => cellAt(r, 25, 23) === kShip, 'a game');
    tab.assertNoProblems();
    await tab.close();
  }

  // Storage that refuses every write: games still count for as long as the page lives.
  const full = await site.open('', {}, () => {
    Storage.prototype.setItem = () => { throw new DOMException('full', 'QuotaExceededError'); };
  });
  const score = await playGame(full);
  await full.page.waitForFunction(() => !document.getElementById('page-note').hidden);
  assert.match(await full.page.textContent('#page-note'), /não guarda os recordes/);
  assert.equal(await record(full), `Recorde: ${score}`);
  // A dropped file that is no recording is said, and the game goes on.
  await full.page.evaluate(() => {
    const data = new DataTransfer();
    data.items.add(new File(['nada aqui'], 'lixo.vxr'));
    window.dispatchEvent(new DragEvent('drop', { dataTransfer: data, cancelable: true }));
  });
  await full.page.waitForFunction(() => document.getElementById('page-note').textContent.startsWith('lixo.vxr'));
  // One larger than the browser's program can hold is said before anything runs (the
  // program would run out of memory).
  await full.page.evaluate(() => {
    const data = new DataTransfer();
    data.items.add(new File(['vexamor-recording 1\n', 'keys ', '97,'.repeat(700000)], 'enorme.vxr'));
    window.dispatchEvent(new DragEvent('drop', { dataTransfer: data, cancelable: true }));
  });
  await full.page.waitForFunction(() => document.getElementById('page-note').textContent === 'enorme.vxr é grande demais para assistir no navegador.');
  await full.press('x');
  await full.waitForText(kBannerTop);
  full.assertNoProblems();
  await full.close();

  // No storage at all: the page says so once, and plays.
  const none = await site.open('', {}, () => {
    Object.defineProperty(window, 'localStorage', { get() { throw new DOMException('no', 'SecurityError'); } });
  });
  await none.waitForText(kBannerTop);
  assert.match(await none.page.textContent('#page-note'), /não guarda os recordes/);
  await none.press('2');
  await none.waitForScreen((r) => cellAt(r, 25, 23) === kShip, 'a game');
  none.assertNoProblems();
  await none.close();
});

test('two tabs of the page keep their games in one list, and each shows the other\'s record', async () => {
  const first = await site.open();
  const second = await first.page.context().newPage();
  await second.goto(site.url);
  await second.waitForFunction(() => window.vexamorPage?.records !== undefined);
  const keep = (page, score, date) => page.evaluate((text) => window.vexamorPage.records.add(text, 30), recordingText({ score, date }));
  const shows = (page, text) => page.waitForFunction((t) => document.getElementById('record').textContent === t, text);
  // Each tab's game comes once the other tab's has reached it, as games minutes apart do
  // (storage reaches another tab's process a moment later).
  await keep(first.page, 20, '2026-05-01T10:00:00Z');
  await shows(second, 'Recorde: 20');
  await keep(second, 50, '2026-05-01T10:05:00Z');
  await shows(first.page, 'Recorde: 50');
  await keep(first.page, 30, '2026-05-01T10:10:00Z');
  assert.deepEqual(await listed(first), [50, 30, 20]);
  await first.close();
});

const twoGames = [{ score: 300, level: 2, date: '2026-03-01T12:00:00Z' }, { score: 100, date: '2026-03-02T12:00:00Z' }];

test('the list by keyboard alone: R opens it over a paused game, arrows and Enter work it, Esc gives the keys back', async () => {
  const tab = await site.open('', {}, seedRecords(twoGames.map(recordingText)));
  await tab.waitForText(kBannerTop);
  assert.equal(await record(tab), 'Recorde: 300');
  await tab.press('x');
  await tab.press('2');
  await tab.waitForScreen((r) => cellAt(r, 25, 23) === kShip, 'a game');
  await tab.press('r');
  await tab.page.waitForFunction(() => document.getElementById('records-dialog').open);
  await tab.waitForScreen((r) => r[23].includes('PAUSE'), 'the game paused behind the list');
  const focused = () => tab.page.evaluate(() => document.activeElement.textContent);
  assert.equal(await focused(), 'Assistir');
  // The second game's "Remover": four buttons a game.
  for (let i = 0; i < 7; ++i) await tab.press('ArrowDown');
  assert.equal(await focused(), 'Remover');
  await tab.press('Enter');
  assert.deepEqual(await tab.page.$$eval('#records-list .record-game', (items) => items.map((item) => item.textContent.split(' · ')[0])), ['300 pontos']);
  // A gamepad's keys work it too (input.js hands them over): Select closes it.
  await tab.page.evaluate(() => window.vexamorPage.hold('esc')());
  await tab.page.waitForFunction(() => document.activeElement.closest('#terminal') !== null);
  assert.equal(await tab.page.evaluate(() => document.getElementById('records-dialog').open), false);
  await tab.press('r');
  await tab.press('Escape');
  // The dialog's close event, which gives the terminal the keys, comes on a later turn.
  await tab.page.waitForFunction(() => document.activeElement.closest('#terminal') !== null);
  await tab.press(' ');
  await tab.waitForScreen((r) => !r[23].includes('PAUSE') && cellAt(r, 1, 1) === '╔', 'play resumed by the game\'s own key');
  const stored = await tab.page.evaluate(() => JSON.parse(localStorage.getItem('vexamor.recordes.v1')).games.length);
  assert.equal(stored, 1);
  tab.assertNoProblems();
  await tab.close();
});

test('the list by touch on a phone: opened, a game shared and one removed, closed, and the touch keys play', async () => {
  const shareSheet = `navigator.share = (data) => { window.shared = data; return Promise.resolve(); };`;
  const tab = await site.open('', phones.portrait, seedRecords(twoGames.map(recordingText)) + shareSheet);
  await tab.waitForText(kBannerTop);
  await tab.page.tap('#records-open');
  await tab.page.waitForFunction(() => document.getElementById('records-dialog').open);
  const lines = await tab.page.$$eval('#records-list .record-game', (items) => items.map((item) => item.textContent));
  assert.equal(lines.length, 2);
  assert.match(lines[0], /^300 pontos · nível 2 · 01\/03\/2026/);
  // The phone's own share sheet gets the link.
  await tab.page.tap('#records-list li:nth-child(2) button:text("Compartilhar")');
  await tab.page.waitForFunction(() => window.shared !== undefined);
  const shared = await tab.page.evaluate(() => window.shared);
  assert.equal(shared.title, 'VEXAMOR: 100 pontos');
  assert.ok(shared.url.startsWith(`${site.url}#r=`));
  assert.equal(await tab.page.textContent('#records-status'), 'Link compartilhado.');
  await tab.page.tap('#records-list li:nth-child(1) button:text("Remover")');
  assert.equal(await record(tab), 'Recorde: 100');
  await tab.page.tap('#records-close');
  await tab.page.tap('#touch button[data-key="2"]');
  await tab.waitForScreen((r) => cellAt(r, 25, 23) === kShip, 'a game');
  tab.assertNoProblems();
  await tab.close();
});
