// Figures of the browser build, measured (never asserted): the site's total size gzipped,
// the time from the start of loading to the banner on screen in headless Chromium, on a
// first visit and on a repeat visit that the service worker serves, each also on a slow
// phone's profile (the CPU 4x slower, a slow 4G network), what the intro's new glyphs cost
// the renderer, and the cost of a tick and its present in the browser at level 1 and on a
// busy field.
// Run after scripts/build-web.sh: node bench/web_figures.mjs
import { copyFile, mkdir, readdir, readFile, writeFile } from 'node:fs/promises';
import { join } from 'node:path';
import { gzipSync } from 'node:zlib';

import { buildDir, openSite } from '../tests/web/browser.mjs';

const kRuns = 5;
const kSlowRuns = 3;

async function siteGzipBytes() {
  const site = join(buildDir, 'site');
  let total = 0;
  const files = [];
  for (const entry of await readdir(site, { recursive: true, withFileTypes: true })) {
    if (!entry.isFile()) continue;
    const path = join(entry.path ?? entry.parentPath, entry.name);
    const bytes = gzipSync(await readFile(path), { level: 9 }).length;
    files.push([path.slice(site.length + 1), bytes]);
    total += bytes;
  }
  files.sort(([a], [b]) => a.localeCompare(b));
  return { total, files: files.map(([name, bytes]) => `${name} ${(bytes / 1024).toFixed(1)}`) };
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

// Every write into the renderer's glyph cache (its 512 x 512 canvases) with its duration and
// the display frame it fell in.
function watchGlyphCache() {
  window.cacheWrites = [];
  let frame = 0;
  const count = () => { frame += 1; requestAnimationFrame(count); };
  requestAnimationFrame(count);
  const write = CanvasRenderingContext2D.prototype.putImageData;
  CanvasRenderingContext2D.prototype.putImageData = function (...args) {
    const start = performance.now();
    write.apply(this, args);
    if (this.canvas.width >= 512) window.cacheWrites.push([frame, performance.now() - start]);
  };
}

// What adding the intro's glyphs to the cache costs on a phone's screen (each new colour of
// the banner brings new glyphs): over the first six seconds, in all and in the worst frame.
async function glyphCacheFigures(site) {
  const context = await site.browser.newContext({
    viewport: { width: 412, height: 823 }, deviceScaleFactor: 1.75, isMobile: true, hasTouch: true,
  });
  await context.addInitScript(watchGlyphCache);
  const page = await context.newPage();
  await page.goto(site.url);
  await page.waitForTimeout(6000);
  const writes = await page.evaluate(() => window.cacheWrites);
  await context.close();
  const byFrame = new Map();
  for (const [frame, ms] of writes) byFrame.set(frame, (byFrame.get(frame) ?? 0) + ms);
  return {
    glyphs: writes.length,
    totalMs: writes.reduce((sum, [, ms]) => sum + ms, 0),
    worstFrameMs: Math.max(0, ...byFrame.values()),
  };
}

// A slow phone as Lighthouse's mobile profile has it: the CPU four times slower, and a slow
// 4G network (150 ms round trip, 1.6 Mbit/s down, 750 kbit/s up).
async function slowDown(page) {
  const cdp = await page.context().newCDPSession(page);
  await cdp.send('Emulation.setCPUThrottlingRate', { rate: 4 });
  await cdp.send('Network.enable');
  await cdp.send('Network.emulateNetworkConditions', {
    offline: false, latency: 150, downloadThroughput: 1.6e6 / 8, uploadThroughput: 750e3 / 8,
  });
}

async function bannerOnce(page, load) {
  await page.evaluate(() => { window.bannerAt = undefined; }).catch(() => {});
  await load();
  await page.waitForFunction(() => window.bannerAt !== undefined, null, { timeout: 120000 });
  return page.evaluate(() => window.bannerAt);
}

// The banner's time on a first visit (a fresh profile) and on the next visit, once the
// service worker has the build.
async function bannerMs(site, runs, slow) {
  const first = [];
  const repeat = [];
  for (let run = 0; run < runs; ++run) {
    const context = await site.browser.newContext({ viewport: { width: 1280, height: 800 } });
    await context.addInitScript(watchForBanner);
    const page = await context.newPage();
    if (slow) await slowDown(page);
    first.push(await bannerOnce(page, () => page.goto(site.url)));
    await page.evaluate(() => navigator.serviceWorker.ready);
    repeat.push(await bannerOnce(page, () => page.reload()));
    await context.close();
  }
  const sorted = (times) => times.sort((a, b) => a - b);
  return { first: sorted(first), repeat: sorted(repeat) };
}

function median(times) {
  return `median ${times[times.length >> 1].toFixed(0)} ms of ${times.map((t) => t.toFixed(0)).join(', ')}`;
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
  // The server compresses each file on its first request: done before anything is timed.
  for (const name of size.files) await fetch(`${site.url}${name.split(' ')[0]}`, { headers: { 'Accept-Encoding': 'gzip' } });
  const banner = await bannerMs(site, kRuns, false);
  console.log(`banner on screen, first visit: ${median(banner.first)} (target 1000)`);
  console.log(`banner on screen, repeat visit from the service worker: ${median(banner.repeat)}`);
  const slow = await bannerMs(site, kSlowRuns, true);
  console.log(`banner on screen, CPU 4x slower and slow 4G, first visit: ${median(slow.first)}`);
  console.log(`banner on screen, CPU 4x slower and slow 4G, repeat visit: ${median(slow.repeat)}`);
  const cache = await glyphCacheFigures(site);
  console.log(`intro's first 6 s on a phone, glyph cache: ${cache.glyphs} glyphs written in ${cache.totalMs.toFixed(1)} ms, `
    + `the worst frame ${cache.worstFrameMs.toFixed(1)} ms`);
  const ticks = await tickFigures(site);
  for (const figure of ticks.fields) {
    console.log(`tick + present, ${figure.field}: ${figure.microsPerTick} us over ${figure.ticks} ticks, ${figure.bytesPerTick} bytes per tick (target 1000 us)`);
  }
  console.log(`xterm.js parsing those frames: ${ticks.parseMicros.toFixed(1)} us per frame (drawing follows once per display frame)`);
} finally {
  await site.close();
}
