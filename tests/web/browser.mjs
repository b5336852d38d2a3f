// Headless Chromium (Debian's) driven by playwright-core, against the built site served on a
// free loopback port from a subfolder, as a static host would serve it.
import assert from 'node:assert/strict';
import { mkdir, mkdtemp, rm } from 'node:fs/promises';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { fileURLToPath } from 'node:url';

import { serve } from '../../tools/web/serve.mjs';

const require = createRequire(new URL('../../web/package.json', import.meta.url));
const { chromium } = require('playwright-core');

export const sourceDir = fileURLToPath(new URL('../..', import.meta.url));
export const buildDir = process.env.VEXAMOR_WEB_BUILD ?? join(sourceDir, 'build-web');

// Sound may start without a gesture, so a test can follow the tones on the audio clock.
const kChromiumFlags = [
  '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync',
  '--autoplay-policy=no-user-gesture-required',
];

export { chromium };

// How the tests start Debian's Chromium, with its temporary files in scratch.
export function chromiumOptions(scratch) {
  return {
    executablePath: process.env.VEXAMOR_CHROMIUM ?? '/usr/bin/chromium',
    headless: true,
    args: [...kChromiumFlags, `--disk-cache-dir=${scratch}`],
    env: { ...process.env, TMPDIR: scratch },
  };
}

// The site is served from build-web/ (or another root holding a site/ folder), so the page
// lives at /site/, a subfolder.
export async function openSite(root = buildDir) {
  const server = await serve(root, 0);
  const origin = `http://127.0.0.1:${server.address().port}`;
  // Playwright makes a fresh profile folder of its own; this one holds the browser's
  // temporary files, so parallel runs never share anything.
  const scratch = await mkdtemp(join(tmpdir(), 'vexamor-chromium-'));
  const browser = await chromium.launch(chromiumOptions(scratch));
  const screenshots = join(buildDir, 'test-screens');
  await mkdir(screenshots, { recursive: true });
  return {
    origin,
    url: `${origin}/site/`,
    screenshots,
    browser,
    // initScript, when given, runs in the page before any of the page's own scripts; the
    // page is handed over once its terminal exists, unless waitForTerminal is false.
    async open(query = '', contextOptions = {}, initScript = undefined, { waitForTerminal = true } = {}) {
      const context = await browser.newContext({ viewport: { width: 1280, height: 800 }, ...contextOptions });
      if (initScript) await context.addInitScript(initScript);
      return watch(await context.newPage(), `${origin}/site/${query}`, origin, waitForTerminal);
    },
    async close() {
      await browser.close();
      server.close();
      await rm(scratch, { recursive: true, force: true });
    },
  };
}

// Phones held both ways, touch and mobile emulated. Headless Chromium mis-sizes xterm's canvas
// at an emulated device pixel ratio of 2, so these keep a ratio of 1 (sharp.test.mjs starts
// Chromium at real ratios of 2 and 3).
const kPhone = { deviceScaleFactor: 1, isMobile: true, hasTouch: true };
export const phones = {
  landscape: { ...kPhone, viewport: { width: 844, height: 390 } },
  portrait: { ...kPhone, viewport: { width: 390, height: 844 } },
  smallLandscape: { ...kPhone, viewport: { width: 667, height: 375 } },
};

// The terminal's screen of a page as text, read through evaluate (a function that runs a
// function in the page, in whichever browser), and waits on it.
export function screenReader(evaluate) {
  return {
    // Blank rows until the terminal exists (on a reload, say).
    rows: () => evaluate(() => {
      if (window.term === undefined) return Array(25).fill('');
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
        await new Promise((done) => { setTimeout(done, 15); });
      }
      assert.fail(`screen never showed ${what}:\n${rows.join('\n')}`);
    },
    waitForText(text, timeoutMs) {
      return this.waitForScreen((rows) => rows.some((row) => row.includes(text)), `"${text}"`, timeoutMs);
    },
  };
}

// A page with every error it shows kept: uncaught exceptions, console errors, failed
// requests and any request that leaves the site's origin.
export async function watch(page, url, origin, waitForTerminal = true) {
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
  // The page fetches the game's scripts once it has painted, which may be after its load event.
  if (waitForTerminal) await page.waitForFunction(() => window.term !== undefined);
  return {
    page,
    problems,
    ...screenReader((script) => page.evaluate(script)),
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

// An init script that starts the page's sound the moment sound.js offers to, before the
// program's first tone (headless Chromium lets audio start without a gesture).
export function startSoundAtOnce() {
  let page;
  Object.defineProperty(window, 'vexamorPage', {
    configurable: true,
    get: () => page,
    set: (value) => {
      page = value;
      let startAudio;
      Object.defineProperty(page, 'startAudio', {
        enumerable: true,
        get: () => startAudio,
        set: (start) => { startAudio = start; start(); },
      });
    },
  });
}

// Checks recorded tones ([frequency, length, start ms on the timeline, start s on the audio
// clock or null]) against the starts the table gives, in ms after the first tone: on the
// program's timeline within toleranceMs, and on the audio clock within audioToleranceMs.
// The audio clock may only fall behind the table (never overlap a tone) when no tolerance
// is given for it: a page stalled longer than the program runs ahead plays on late.
export function assertOnTable(tones, startsMs, toleranceMs, audioToleranceMs = undefined) {
  for (let i = 0; i < tones.length; ++i) {
    const onTimeline = tones[i][2] - tones[0][2];
    assert.ok(Math.abs(onTimeline - startsMs[i]) <= toleranceMs, `tone ${i} is at ${onTimeline} ms on the timeline, not ${startsMs[i]}`);
    assert.equal(typeof tones[i][3], 'number', `tone ${i} was not played`);
    if (i === 0) continue;
    const heard = (tones[i][3] - tones[0][3]) * 1000;
    if (audioToleranceMs === undefined) {
      const gap = (tones[i][3] - tones[i - 1][3]) * 1000;
      assert.ok(gap >= startsMs[i] - startsMs[i - 1] - 0.001, `tone ${i} is heard ${gap} ms after the one before`);
    } else {
      assert.ok(Math.abs(heard - startsMs[i]) <= audioToleranceMs, `tone ${i} is heard at ${heard} ms, not ${startsMs[i]}`);
    }
  }
}

// An init script that makes the page's AudioContext behave as WebKit's does (headless
// Chromium here lets any context run): a context starts suspended and runs only once resume()
// is called while the page handles a touch's or a click's end or a key press (WebKit's
// gestures for audio; a pointerdown does not count). window.audioCalls records
// each context made and each resume, with the event being handled then (window.event).
// window.testAudio.interrupt() reports the newest context interrupted, as iOS does during a
// call, until a resume; testAudio.freeze() stops its clock while it says it runs.
export function scriptedAudio() {
  const Real = window.AudioContext;
  const contexts = [];
  window.audioCalls = [];
  const note = (what) => window.audioCalls.push({ what, event: window.event ? window.event.type : null });
  window.AudioContext = class extends Real {
    constructor(...options) {
      super(...options);
      this.shownState = 'suspended';
      this.frozenAt = null;
      contexts.push(this);
      note('new');
    }
    get state() { return this.shownState === 'running' ? super.state : this.shownState; }
    get currentTime() { return this.frozenAt ?? super.currentTime; }
    resume() {
      note('resume');
      const gesture = window.event && window.event.isTrusted && ['touchend', 'mouseup', 'click', 'keydown'].includes(window.event.type);
      if (gesture && this.shownState !== 'running') {
        this.shownState = 'running';
        this.dispatchEvent(new Event('statechange'));
      }
      return super.resume();
    }
  };
  const newest = () => contexts[contexts.length - 1];
  window.testAudio = {
    contexts: () => contexts.length,
    state: () => (newest() ? newest().state : null),
    interrupt() {
      newest().shownState = 'interrupted';
      newest().dispatchEvent(new Event('statechange'));
    },
    freeze() { newest().frozenAt = newest().currentTime; },
  };
}
