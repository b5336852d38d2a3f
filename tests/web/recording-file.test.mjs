// Recordings pass between the terminal game and the page: a game recorded by vexamor --record
// (played in a private tmux server) plays in the browser through "Abrir gravação" to the
// farewell with the recorded score, then the menu, and one whose score was changed is said
// not to match; a game kept by the page downloads as a file the replay tool checks.
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { existsSync, mkdtempSync, readdirSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before, test } from 'node:test';
import { setTimeout as sleep } from 'node:timers/promises';

import { openSite, sourceDir } from './browser.mjs';

const nativeGame = process.env.VEXAMOR_NATIVE_GAME ?? join(sourceDir, 'build', 'vexamor');
const nativeReplay = process.env.VEXAMOR_NATIVE_REPLAY ?? join(sourceDir, 'build', 'vexamor-replay');
const tmux = (...args) => spawnSync('tmux', ['-L', `vexamor-web-${process.pid}`, ...args], { encoding: 'utf8' });
const knows = (binary, option) => existsSync(binary) && spawnSync(binary, ['--help'], { encoding: 'utf8' }).stdout.includes(option);
const canRecord = knows(nativeGame, '--record');
const readsRecordings = existsSync(nativeReplay)
  && !spawnSync(nativeReplay, ['--recording', '/dev/null', '--check'], { encoding: 'utf8' }).stderr.includes('unknown argument');

let site;
before(async () => { site = await openSite(); });
after(async () => { await site.close(); });

async function paneShows(text, timeoutMs = 15000) {
  const deadline = Date.now() + timeoutMs;
  while (Date.now() < deadline) {
    if (tmux('capture-pane', '-p', '-t', 'game').stdout.includes(text)) return;
    await sleep(50);
  }
  assert.fail(`the terminal never showed "${text}":\n${tmux('capture-pane', '-p', '-t', 'game').stdout}`);
}

// A short game in the terminal: some moves and shots, then ESC; returns the file it left.
async function recordInTerminal(folder) {
  tmux('-f', '/dev/null', 'new-session', '-d', '-s', 'game', '-x', '80', '-y', '25', `${nativeGame} --mute --record ${folder}`);
  tmux('set-option', '-g', 'escape-time', '0');
  try {
    await paneShows('.--.  .--.');
    tmux('send-keys', '-t', 'game', 'x');
    await paneShows('[ESC] PARA SAIR');
    tmux('send-keys', '-t', 'game', '2');
    await paneShows('Vidas: 3');
    for (const key of ['Left', 'a', 'a', 'Right', 'a', 'e', 'a']) {
      tmux('send-keys', '-t', 'game', key);
      await sleep(300);
    }
    tmux('send-keys', '-t', 'game', 'Escape');
    await paneShows('ATE A PROXIMA');
    const deadline = Date.now() + 5000;
    while (readdirSync(folder).filter((name) => name.endsWith('.vxr')).length === 0 && Date.now() < deadline) await sleep(50);
  } finally {
    tmux('kill-server');
  }
  const files = readdirSync(folder).filter((name) => name.endsWith('.vxr'));
  assert.equal(files.length, 1, `files recorded: ${files}`);
  return join(folder, files[0]);
}

test('a game recorded in the terminal plays in the page from "Abrir gravação"', { skip: !canRecord && `no ${nativeGame} that records` }, async () => {
  const folder = mkdtempSync(join(tmpdir(), 'vexamor-recorded-'));
  try {
    const file = await recordInTerminal(folder);
    const score = Number(/^score (\d+)$/m.exec(readFileSync(file, 'utf8'))[1]);
    const tab = await site.open();
    await tab.waitForText('.--.  .--.');
    const chooser = tab.page.waitForEvent('filechooser');
    await tab.page.click('#open-recording');
    await (await chooser).setFiles(file);
    const rows = await tab.waitForText('ATE A PROXIMA', 30000);
    assert.equal(Number(/(\d+) PONTOS/.exec(rows[13])[1]), score);
    await tab.press('x');
    await tab.waitForText('.--.  .--.', 15000);

    const changed = join(folder, 'mudada.vxr');
    writeFileSync(changed, readFileSync(file, 'utf8').replace(/^score \d+$/m, `score ${score + 7}`));
    const again = tab.page.waitForEvent('filechooser');
    await tab.page.click('#open-recording');
    await (await again).setFiles(changed);
    await tab.waitForScreen((r) => r[13].includes(`${score} PONTOS`), 'the farewell of the game played', 30000);
    await tab.press('x');
    await tab.page.waitForFunction(() => !document.getElementById('page-note').hidden);
    assert.match(await tab.page.textContent('#page-note'), new RegExp(`não confere: score ${score} \\(recorded ${score + 7}\\)`));
    await tab.waitForText('.--.  .--.', 15000);
    tab.assertNoProblems();
    await tab.close();
  } finally {
    rmSync(folder, { recursive: true, force: true });
  }
});

test('a game kept by the page downloads as a file the replay tool checks', { skip: !readsRecordings && `no ${nativeReplay} that reads recordings` }, async () => {
  const tab = await site.open();
  await tab.waitForText('.--.  .--.');
  await tab.press('x');
  await tab.press('2');
  await tab.waitForText('Vidas: 3');
  for (const key of ['ArrowLeft', 'a', ' ', ' ', 'a', 'e']) {
    await tab.press(key);
    await tab.page.waitForTimeout(300);
  }
  await tab.press('Escape');
  await tab.waitForText('ATE A PROXIMA');
  await tab.page.waitForFunction(() => !document.getElementById('record').hidden);
  await tab.page.click('#records-open');
  const download = tab.page.waitForEvent('download');
  await tab.page.click('#records-list button:text("Baixar")');
  const folder = mkdtempSync(join(tmpdir(), 'vexamor-downloaded-'));
  try {
    const file = join(folder, (await download).suggestedFilename());
    assert.match(file, /vexamor-\d{8}-\d{6}-\d+\.vxr$/);
    await (await download).saveAs(file);
    const check = spawnSync(nativeReplay, ['--recording', file, '--check'], { encoding: 'utf8' });
    assert.equal(check.status, 0, check.stdout + check.stderr);
    assert.match(check.stdout, /^ok score \d+/);
  } finally {
    rmSync(folder, { recursive: true, force: true });
  }
  tab.assertNoProblems();
  await tab.close();
});
