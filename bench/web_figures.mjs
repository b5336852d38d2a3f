// Figures of the browser build, measured (never asserted): the site's total size gzipped,
// the time from the start of loading to the banner on screen in headless Chromium, and the
// cost of a tick and its present in the browser at level 1 and on a busy field.
// Run after scripts/build-web.sh: node bench/web_figures.mjs
import { copyFile, mkdir, readdir, readFile, writeFile } from 'node:fs/promises';
import { join } from 'node:path';
import { gzipSync } from 'node:zlib';

import { buildDir, openSite } from '../tests/web/browser.mjs';

const kRuns = 5;

async function siteGzipBytes() {
  const site = join(buildDir, 'site');
  let total = 0;
  const files = [];
  for (const name of (await readdir(site)).sort()) {
    const bytes = gzipSync(await readFile(join(site, name)), { level: 9 }).length;
    files.push(`${name} ${(bytes / 1024).toFixed(1)}`);
    total += bytes;
  }
  return { total, files };
}

// The moment (performance.now(), from the start of navigation) at which the banner's top
// row has been drawn: checked on every animation frame, which is when the terminal paints.
function watchForBanner() {
  const check = () => {
    const row = window.term?.buffer.active.getLine(1)?.translateToString() ?? '';
    if (row.includes('.--.  .--.')) window.bannerAt = performance.now();
    else requestAnimationFrame(check);
  };
  requestAnimationFrame(check);
}

async function bannerMs(site) {
  const times = [];
  for (let run = 0; run < kRuns; ++run) {
    const context = await site.browser.newContext({ viewport: { width: 1280, height: 800 } });
    await context.addInitScript(watchForBanner);
    const page = await context.newPage();
    await page.goto(site.url);
    await page.waitForFunction(() => window.bannerAt !== undefined);
    times.push(await page.evaluate(() => window.bannerAt));
    await context.close();
  }
  return times.sort((a, b) => a - b);
}

// The benchmark's frames go to a real terminal; xterm.js parses what it is given later, on
// its own turn, so its share is timed afterwards: every frame written again, to the end.
const kBenchPage = `<!doctype html><meta charset="utf-8"><link rel="stylesheet" href="xterm.css">
<div id="t"></div><script src="xterm.js"></script><script src="addon-canvas.js"></script>
<script src="vexamor-web-bench.js"></script><script>
const term = new Terminal({ cols: 80, rows: 25, customGlyphs: true });
term.open(document.getElementById('t'));
term.loadAddon(new CanvasAddon.CanvasAddon());
window.lines = [];
const frames = [];
createVexamorBench({
  vexamorHost: { write: (bytes) => { frames.push(bytes); term.write(bytes); } },
  print: (line) => {
    window.lines.push(line);
    if (window.lines.length < 2) return;
    term.write('', () => {
      term.reset();
      const start = performance.now();
      for (const frame of frames) term.write(frame);
      term.write('', () => { window.parseMicros = (performance.now() - start) * 1000 / frames.length; });
    });
  },
});
</script>`;

async function tickFigures(site) {
  const folder = join(buildDir, 'bench-site');
  await mkdir(folder, { recursive: true });
  for (const name of ['xterm.js', 'xterm.css', 'addon-canvas.js']) await copyFile(join(buildDir, 'site', name), join(folder, name));
  for (const name of ['vexamor-web-bench.js', 'vexamor-web-bench.wasm']) await copyFile(join(buildDir, name), join(folder, name));
  await writeFile(join(folder, 'index.html'), kBenchPage);
  const page = await (await site.browser.newContext()).newPage();
  await page.goto(`${site.origin}/bench-site/`);
  await page.waitForFunction(() => window.parseMicros !== undefined, null, { timeout: 120000 });
  const lines = (await page.evaluate(() => window.lines)).map((line) => JSON.parse(line));
  return { fields: lines, parseMicros: await page.evaluate(() => window.parseMicros) };
}

const site = await openSite();
try {
  const size = await siteGzipBytes();
  console.log(`site, gzip: ${(size.total / 1024).toFixed(1)} KiB (target 400)  [${size.files.join(', ')}]`);
  const banner = await bannerMs(site);
  console.log(`banner on screen: median ${banner[kRuns >> 1].toFixed(0)} ms of ${banner.map((t) => t.toFixed(0)).join(', ')} (target 1000)`);
  const ticks = await tickFigures(site);
  for (const figure of ticks.fields) {
    console.log(`tick + present, ${figure.field}: ${figure.microsPerTick} us over ${figure.ticks} ticks, ${figure.bytesPerTick} bytes per tick (target 1000 us)`);
  }
  console.log(`xterm.js parsing those frames: ${ticks.parseMicros.toFixed(1)} us per frame (drawing follows once per display frame)`);
} finally {
  await site.close();
}
