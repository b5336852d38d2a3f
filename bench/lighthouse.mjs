// Lighthouse's figures for the page, served as ./scripts/serve-web.sh serves it (compressed,
// with cache headers), in Debian's Chromium: the four category scores and the paint times,
// on Lighthouse's mobile profile (a slow phone on slow 4G, simulated) and on its desktop
// one. A benchmark, never a test. Targets: mobile performance 95 or more, the rest 100.
// Each profile runs several times (3 unless a count is given) and the run with the median
// performance score is shown, with the range: the scores move with the machine's load,
// which is printed too, as Lighthouse times the real page and scales its tasks up.
// Run after scripts/build-web.sh: node bench/lighthouse.mjs [RUNS]
import { loadavg } from 'node:os';
import { join } from 'node:path';

import { buildDir } from '../tests/web/browser.mjs';
import { serve } from '../tools/web/serve.mjs';

const modules = new URL('../web/node_modules/', import.meta.url);
const { default: lighthouse } = await import(new URL('lighthouse/core/index.js', modules));
const { default: desktopConfig } = await import(new URL('lighthouse/core/config/desktop-config.js', modules));
const chromeLauncher = await import(new URL('chrome-launcher/dist/index.js', modules));

const kCategories = ['performance', 'accessibility', 'best-practices', 'seo'];
const kTimes = [
  ['first-contentful-paint', 'first contentful paint'],
  ['largest-contentful-paint', 'largest contentful paint'],
  ['speed-index', 'speed index'],
  ['total-blocking-time', 'total blocking time'],
  ['cumulative-layout-shift', 'layout shift'],
];

const runs = Math.max(1, Number(process.argv[2] ?? 3));

function performance(lhr) {
  return Math.round(lhr.categories.performance.score * 100);
}

function report(name, lhr) {
  const scores = kCategories.map((id) => `${lhr.categories[id].title} ${Math.round(lhr.categories[id].score * 100)}`);
  console.log(`${name}: ${scores.join(', ')}`);
  console.log(`  ${kTimes.map(([id, label]) => `${label} ${lhr.audits[id].displayValue}`).join(', ')}`);
  const failed = Object.values(lhr.audits).filter((audit) => audit.score !== null && audit.score < 0.9
    && audit.scoreDisplayMode !== 'informative' && audit.scoreDisplayMode !== 'manual');
  if (failed.length > 0) console.log(`  below 90: ${failed.map((audit) => `${audit.id} (${audit.displayValue ?? audit.score})`).join(', ')}`);
}

const server = await serve(join(buildDir, 'site'), 0);
const url = `http://127.0.0.1:${server.address().port}/`;
const chrome = await chromeLauncher.launch({
  chromePath: process.env.VEXAMOR_CHROMIUM ?? '/usr/bin/chromium',
  chromeFlags: ['--headless=new', '--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-sync',
    '--disable-background-networking', '--disable-component-update'],
});
try {
  const options = { port: chrome.port, output: 'json', logLevel: 'error', onlyCategories: kCategories };
  for (const [name, config] of [['mobile', undefined], ['desktop', desktopConfig]]) {
    const results = [];
    for (let run = 0; run < runs; ++run) results.push((await lighthouse(url, options, config)).lhr);
    results.sort((a, b) => performance(a) - performance(b));
    const median = results[Math.floor((results.length - 1) / 2)];
    report(`${name} (median of ${runs}; performance ${results.map(performance).join(', ')})`, median);
  }
  console.log(`load average over the runs: ${loadavg()[1].toFixed(2)} (last 5 minutes)`);
} finally {
  await chrome.kill();
  server.close();
}
