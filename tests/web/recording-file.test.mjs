// A game recorded by the terminal game (vexamor --record, played in a private tmux server)
// plays in the browser through "Abrir gravação" to the farewell with the recorded score,
// then the menu.
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { existsSync, mkdtempSync, readdirSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before, test } from 'node:test';
import { setTimeout as sleep } from 'node:timers/promises';

import { openSite, sourceDir } from './browser.mjs';

const nativeGame = process.env.VEXAMOR_NATIVE_GAME ?? join(sourceDir, 'build', 'vexamor');
const tmux = (...args) => spawnSync('tmux', ['-L', `vexamor-web-${process.pid}`, ...args], { encoding: 'utf8' });
const canRecord = existsSync(nativeGame) && spawnSync(nativeGame, ['--help'], { encoding: 'utf8' }).stdout.includes('--record');

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
    tab.assertNoProblems();
    await tab.close();
  } finally {
    rmSync(folder, { recursive: true, force: true });
  }
});
