// The memory of a long game in the browser, measured (never asserted): the resident size of
// the process that runs the page (Chromium's renderer, WebKitGTK's web process) once a minute
// while a player moves and fires without pause, starting a new game whenever one ends. A leak
// shows as a size that keeps growing (emscripten's ASYNCIFY has been seen to leak in Safari).
// Both engines play at once, each in its own browser.
// Run after scripts/build-web.sh: node bench/web_memory.mjs [MINUTES]   (10 unless given)
import { mkdtemp, readdir, readFile, rm } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { join } from 'node:path';

import { serve } from '../tools/web/serve.mjs';
import { buildDir, chromium, chromiumOptions } from '../tests/web/browser.mjs';
import { openWebKit } from '../tests/web/engines.mjs';

const minutes = Number(process.argv[2] ?? 10);
if (!(minutes > 0)) {
  console.error('usage: node bench/web_memory.mjs [MINUTES]');
  process.exit(2);
}
const kMinuteMs = 60000;
const kKeyEveryMs = 120;

// Every process on the machine: its parent, its command line, its resident size in kB.
async function processes() {
  const table = new Map();
  for (const name of await readdir('/proc')) {
    if (!/^\d+$/.test(name)) continue;
    try {
      const status = await readFile(`/proc/${name}/status`, 'utf8');
      const cmdline = (await readFile(`/proc/${name}/cmdline`, 'utf8')).split('\0').join(' ');
      const field = (key) => (status.match(new RegExp(`^${key}:\\s*(\\S+)`, 'm')) ?? [])[1];
      table.set(Number(name), { parent: Number(field('PPid')), name: field('Name'), cmdline, rssKb: Number(field('VmRSS') ?? 0) });
    } catch (error) { /* gone meanwhile */ }
  }
  return table;
}

// The resident size in MB of the page's process: the largest of the processes of its kind
// below the browser's root (a browser keeps a spare one, or one per site, beside it); how many
// there were.
async function pageMegabytes(isRoot, isPage) {
  const table = await processes();
  const below = (pid) => {
    for (let at = pid; at > 1; at = table.get(at)?.parent ?? 0) if (isRoot(table.get(at), at)) return true;
    return false;
  };
  let kb = 0;
  let count = 0;
  for (const [pid, process] of table) {
    if (!isPage(process) || !below(pid)) continue;
    kb = Math.max(kb, process.rssKb);
    ++count;
  }
  return { megabytes: kb / 1024, count };
}

// Plays on, a key every kKeyEveryMs: the arrows and fire, and whatever starts the next game.
const kPlayer = `(() => {
  const keys = ['\\x1b[D', '\\x1b[C', '\\x1b[A', '\\x1b[B', 'a', 'a', 'w', 'e'];
  window.gamesStarted = 0;
  setInterval(() => {
    if (!document.getElementById('ended').hidden) { document.getElementById('restart').click(); return; }
    const rows = Array.from({ length: 25 }, (_, y) => window.term.buffer.active.getLine(y).translateToString(true));
    if (rows.some((row) => row.includes('DIGITE [2]'))) { window.term.input('2', true); ++window.gamesStarted; return; }
    window.term.input(keys[Math.floor(Math.random() * keys.length)], true);
  }, ${kKeyEveryMs});
  return true;
})()`;

async function chromiumPlayer(url) {
  const scratch = await mkdtemp(join(tmpdir(), 'vexamor-chromium-'));
  const browser = await chromium.launch(chromiumOptions(scratch));
  const page = await browser.newPage({ viewport: { width: 1280, height: 800 } });
  await page.goto(url);
  await page.waitForFunction(() => window.term !== undefined && window.term.element !== undefined);
  return {
    name: 'Chromium renderer',
    start: () => page.evaluate(kPlayer),
    games: () => page.evaluate(() => window.gamesStarted),
    megabytes: () => pageMegabytes((process) => process?.cmdline.includes(`--disk-cache-dir=${scratch}`),
      (process) => process.cmdline.includes('--type=renderer')),
    close: async () => { await browser.close(); await rm(scratch, { recursive: true, force: true }); },
  };
}

async function webkitPlayer(url) {
  const tab = await openWebKit();
  await tab.goto(url);
  await tab.waitForText('.--.', 60000);
  const [root] = tab.processIds();
  return {
    name: 'WebKitGTK web process',
    start: () => tab.evaluate(`() => ${kPlayer}`),
    games: () => tab.evaluate(() => window.gamesStarted),
    megabytes: () => pageMegabytes((_, pid) => pid === root, (process) => process.name.startsWith('WebKitWebProces')),
    close: () => tab.close(),
  };
}

const server = await serve(buildDir, 0);
const url = `http://127.0.0.1:${server.address().port}/site/`;
const players = [await chromiumPlayer(url), await webkitPlayer(url)];
try {
  const sizes = players.map(() => []);
  for (const player of players) await player.start();
  for (let minute = 0; minute <= minutes; ++minute) {
    if (minute > 0) await new Promise((done) => { setTimeout(done, kMinuteMs); });
    const line = [];
    for (const [i, player] of players.entries()) {
      const { megabytes, count } = await player.megabytes();
      sizes[i].push(megabytes);
      line.push(`${player.name} ${megabytes.toFixed(1)} MB (largest of ${count})`);
    }
    console.log(`minute ${String(minute).padStart(2)}: ${line.join(', ')}`);
  }
  for (const [i, player] of players.entries()) {
    const first = sizes[i][1] ?? sizes[i][0];
    const last = sizes[i][sizes[i].length - 1];
    console.log(`${player.name}: ${first.toFixed(1)} MB after the first minute, ${last.toFixed(1)} MB at the end ` +
      `(${(last - first >= 0 ? '+' : '')}${(last - first).toFixed(1)} MB), ${await player.games()} games started`);
  }
} finally {
  for (const player of players) await player.close();
  server.close();
}
