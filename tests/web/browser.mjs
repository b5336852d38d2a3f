// Headless Chromium (Debian's) driven by playwright-core, against the built site served on a
// free loopback port from a subfolder, as a static host would serve it.
import assert from 'node:assert/strict';
import { mkdir, mkdtemp, rm } from 'node:fs/promises';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { fileURLToPath } from 'node:url';

import { serve } from '../../web/serve.mjs';

const require = createRequire(new URL('../../web/package.json', import.meta.url));
const { chromium } = require('playwright-core');

export const sourceDir = fileURLToPath(new URL('../..', import.meta.url));
export const buildDir = process.env.VEXAMOR_WEB_BUILD ?? join(sourceDir, 'build-web');

const kChromiumFlags = [
  '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync',
];

// The site is served from build-web/, so the page lives at /site/, a subfolder.
export async function openSite() {
  const server = await serve(buildDir, 0);
  const origin = `http://127.0.0.1:${server.address().port}`;
  // Playwright makes a fresh profile folder of its own; this one holds the browser's
  // temporary files, so parallel runs never share anything.
  const scratch = await mkdtemp(join(tmpdir(), 'vexamor-chromium-'));
  const browser = await chromium.launch({
    executablePath: process.env.VEXAMOR_CHROMIUM ?? '/usr/bin/chromium',
    headless: true,
    args: [...kChromiumFlags, `--disk-cache-dir=${scratch}`],
    env: { ...process.env, TMPDIR: scratch },
  });
  const screenshots = join(buildDir, 'test-screens');
  await mkdir(screenshots, { recursive: true });
  return {
    origin,
    url: `${origin}/site/`,
    screenshots,
    browser,
    // prepare(context), when given, runs before the page loads (say, to add init scripts).
    async open(query = '', contextOptions = {}, prepare = null) {
      const context = await browser.newContext({ viewport: { width: 1280, height: 800 }, ...contextOptions });
      if (prepare) await prepare(context);
      return watch(await context.newPage(), `${origin}/site/${query}`, origin);
    },
    async close() {
      await browser.close();
      server.close();
      await rm(scratch, { recursive: true, force: true });
    },
  };
}

// Phones held both ways, touch and mobile emulated. Headless Chromium mis-sizes xterm's canvas
// at an emulated device pixel ratio of 2, so these keep a ratio of 1.
const kPhone = { deviceScaleFactor: 1, isMobile: true, hasTouch: true };
export const phones = {
  landscape: { ...kPhone, viewport: { width: 844, height: 390 } },
  portrait: { ...kPhone, viewport: { width: 390, height: 844 } },
  smallLandscape: { ...kPhone, viewport: { width: 667, height: 375 } },
};

// A page with every error it shows kept: uncaught exceptions, console errors, failed
// requests and any request that leaves the site's origin.
async function watch(page, url, origin) {
  const problems = [];
  page.on('pageerror', (error) => problems.push(`page error: ${error.message}`));
  page.on('console', (message) => {
    if (message.type() === 'error') problems.push(`console error: ${message.text()}`);
  });
  page.on('requestfailed', (request) => problems.push(`request failed: ${request.url()}`));
  page.on('request', (request) => {
    if (!request.url().startsWith(origin)) problems.push(`request elsewhere: ${request.url()}`);
  });
  await page.goto(url);
  return {
    page,
    problems,
    rows: () => page.evaluate(() => {
      const buffer = window.term.buffer.active;
      return Array.from({ length: 25 }, (_, y) => buffer.getLine(y).translateToString(true));
    }),
    // Waits until the screen's rows satisfy the check; fails with the screen shown.
    async waitForScreen(check, what, timeoutMs = 8000) {
      const deadline = Date.now() + timeoutMs;
      let rows = [];
      while (Date.now() < deadline) {
        rows = await this.rows();
        if (check(rows)) return rows;
        await page.waitForTimeout(15);
      }
      assert.fail(`screen never showed ${what}:\n${rows.join('\n')}`);
    },
    waitForText(text, timeoutMs) {
      return this.waitForScreen((rows) => rows.some((row) => row.includes(text)), `"${text}"`, timeoutMs);
    },
    press: (key) => page.keyboard.press(key),
    assertNoProblems() { assert.deepEqual(problems, []); },
    close: () => page.context().close(),
  };
}

// The character in 1-based screen column x of row y, as the game counts them.
export function cellAt(rows, x, y) {
  return [...(rows[y - 1] ?? '')][x - 1] ?? ' ';
}

// Where the terminal's picture is as the player sees it (after any scaling), with the size of
// one cell, the stage it was fitted to and the window.
export function picture(page) {
  return page.evaluate(() => {
    const box = (element) => {
      const { left, top, right, bottom, width, height } = element.getBoundingClientRect();
      return { left, top, right, bottom, width, height };
    };
    const screen = box(window.term.element.querySelector('.xterm-screen'));
    return {
      screen,
      cell: { width: screen.width / 80, height: screen.height / 25 },
      stage: box(document.getElementById('stage')),
      window: { width: window.innerWidth, height: window.innerHeight },
      fontSize: window.term.options.fontSize,
      scale: window.vexamorPage.scale,
    };
  });
}
