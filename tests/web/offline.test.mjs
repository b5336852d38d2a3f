// The page as an installed app: its manifest, the service worker that keeps the build, the
// game with the network off, and a new build taking the old one's place.
import assert from 'node:assert/strict';
import { cp, mkdtemp, readFile, rm, writeFile } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before, test } from 'node:test';

import { buildDir, cellAt, chromium, chromiumOptions, openSite } from './browser.mjs';

let site;
before(async () => { site = await openSite(); });
after(async () => { await site.close(); });

const kBannerTop = '.--.  .--. .-------. .--.  .--.     .--.';

// The width and height a PNG's header gives.
function pngSize(bytes) {
  assert.equal(bytes.subarray(1, 4).toString('latin1'), 'PNG');
  return [bytes.readUInt32BE(16), bytes.readUInt32BE(20)];
}

// The build's name, as the build stamped it into the worker.
async function stampedBuild(root) {
  const worker = await readFile(join(root, 'site', 'sw.js'), 'utf8');
  return worker.match(/^const kBuild = '([^']+)';$/m)[1];
}

// Waits until the page's worker is active, then reloads so that the worker controls it.
async function visitTwice(tab) {
  await tab.page.evaluate(() => navigator.serviceWorker.ready);
  await tab.page.reload();
  await tab.page.waitForFunction(() => navigator.serviceWorker.controller !== null);
}

test('the manifest is linked and complete, its icons load, and Chromium finds the page installable', async () => {
  const tab = await site.open();
  await tab.waitForText(kBannerTop);
  const href = await tab.page.evaluate(() => document.querySelector('link[rel="manifest"]').href);
  assert.equal(href, `${site.url}manifest.webmanifest`);
  const manifest = JSON.parse(await readFile(join(buildDir, 'site', 'manifest.webmanifest'), 'utf8'));
  assert.equal(manifest.short_name, 'VEXAMOR');
  assert.match(manifest.name, /^VEXAMOR – /);
  assert.deepEqual([manifest.start_url, manifest.scope, manifest.orientation], ['./', './', 'landscape']);
  assert.ok(['fullscreen', 'standalone'].includes(manifest.display));
  const theme = await tab.page.evaluate(() => document.querySelector('meta[name="theme-color"]').content);
  assert.equal(manifest.theme_color, theme);
  const pngs = manifest.icons.filter((icon) => icon.type === 'image/png');
  for (const icon of pngs) {
    const bytes = await readFile(join(buildDir, 'site', icon.src));
    assert.equal(pngSize(bytes).join('x'), icon.sizes, icon.src);
  }
  const sizes = (purpose) => pngs.filter((icon) => icon.purpose === purpose).map((icon) => icon.sizes);
  assert.deepEqual(sizes('any'), ['192x192', '512x512']);
  assert.deepEqual(sizes('maskable'), ['192x192', '512x512']);

  tab.assertNoProblems();
  await tab.close();

  // Chromium never offers to install from a private window, which every test context is: the
  // check runs in a profile of its own.
  const profile = await mkdtemp(join(tmpdir(), 'vexamor-profile-'));
  const context = await chromium.launchPersistentContext(profile, chromiumOptions(profile));
  try {
    const page = context.pages()[0] ?? await context.newPage();
    await page.goto(site.url);
    await page.evaluate(() => navigator.serviceWorker.ready);
    const cdp = await context.newCDPSession(page);
    assert.deepEqual((await cdp.send('Page.getAppManifest')).errors, []);
    assert.deepEqual((await cdp.send('Page.getInstallabilityErrors')).installabilityErrors, []);
  } finally {
    await context.close();
    await rm(profile, { recursive: true, force: true });
  }
});

test('after one visit the worker controls the page, and with the network off a reload shows the banner and a game starts', async () => {
  const tab = await site.open();
  await tab.waitForText(kBannerTop);
  await visitTwice(tab);
  const cache = `${await stampedBuild(buildDir)}@${site.url}`;
  assert.deepEqual(await tab.page.evaluate(() => caches.keys()), [cache]);
  const worker = await readFile(join(buildDir, 'site', 'sw.js'), 'utf8');
  const files = JSON.parse(worker.match(/^const kFiles = (\[.*\]);$/m)[1].replaceAll("'", '"'));
  const kept = await tab.page.evaluate(async (name) => (await (await caches.open(name)).keys()).length, cache);
  assert.equal(kept, files.length);

  await tab.page.context().setOffline(true);
  const fromWorker = [];
  tab.page.on('response', (response) => fromWorker.push([response.url(), response.fromServiceWorker()]));
  await tab.page.reload();
  await tab.waitForText(kBannerTop);
  await tab.press('2');
  await tab.waitForScreen((rows) => cellAt(rows, 25, 23) === '±', 'the ship on (25, 23)');
  const asked = fromWorker.map(([url]) => url.slice(site.url.length));
  for (const file of ['', 'vexamor.js', 'vexamor.wasm', 'xterm.js', 'host.js']) assert.ok(asked.includes(file), `${file} was asked for`);
  assert.deepEqual(fromWorker.filter(([, worker]) => !worker), [], 'every file came from the worker');
  tab.assertNoProblems();
  await tab.close();
});

test('a new build replaces the old one and its cache on the next visit, never in the middle of a game', async () => {
  // A copy of the site, served on its own, to publish a "new build" in.
  const root = await mkdtemp(join(tmpdir(), 'vexamor-site-'));
  await cp(join(buildDir, 'site'), join(root, 'site'), { recursive: true });
  const copy = await openSite(root);
  try {
    const tab = await copy.open();
    await tab.waitForText(kBannerTop);
    await visitTwice(tab);
    const old = await stampedBuild(root);
    assert.deepEqual(await tab.page.evaluate(() => caches.keys()), [`${old}@${copy.url}`]);
    // A cache another copy of the game in another folder keeps is none of this one's.
    await tab.page.evaluate(() => caches.open('vexamor-elsewhere@http://127.0.0.1/other/'));

    // Publishes a build marked in its page, under a new cache name.
    let stamp = old;
    const publish = async (name) => {
      const index = join(root, 'site', 'index.html');
      const page = (await readFile(index, 'utf8')).replace(/<meta name="build"[^>]*>\n {2}|(?=<meta charset)/, `<meta name="build" content="${name}">\n  `);
      await writeFile(index, page);
      const worker = join(root, 'site', 'sw.js');
      await writeFile(worker, (await readFile(worker, 'utf8')).replace(stamp, name));
      stamp = name;
    };
    const pageBuild = () => tab.page.evaluate(() => document.querySelector('meta[name="build"]')?.content ?? null);
    const cachesAre = (name) => tab.page.waitForFunction(async (n) => (await caches.keys()).sort().join() === n,
      [`${name}@${copy.url}`, 'vexamor-elsewhere@http://127.0.0.1/other/'].sort().join());

    // The visit after publishing starts on the old build; its worker is replaced, and the
    // page, untouched by the player, moves onto the new build at once.
    await publish('vexamor-new-build');
    await tab.page.reload();
    await tab.page.waitForFunction(() => document.querySelector('meta[name="build"]') !== null, null, { timeout: 20000 });
    await cachesAre('vexamor-new-build');
    await tab.waitForText(kBannerTop);

    // A player already playing is never interrupted: the page stays on its build until
    // "Jogar de novo", which loads the new one.
    await tab.press('x');
    await tab.waitForText('[ESC] PARA SAIR');
    await publish('vexamor-newer-build');
    await tab.page.evaluate(async () => (await navigator.serviceWorker.getRegistration()).update());
    await cachesAre('vexamor-newer-build');
    await tab.page.waitForFunction(() => window.vexamorPage.newBuild === true);
    assert.equal(await pageBuild(), 'vexamor-new-build');
    await tab.press('Escape');
    await tab.page.waitForSelector('#ended:not([hidden])');
    await tab.page.click('#restart');
    await tab.page.waitForFunction(() => document.querySelector('meta[name="build"]')?.content === 'vexamor-newer-build');
    await tab.waitForText(kBannerTop);
    tab.assertNoProblems();
    await tab.close();
  } finally {
    await copy.close();
    await rm(root, { recursive: true, force: true });
  }
});
