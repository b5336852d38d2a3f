// Firefox ESR and WebKitGTK (Debian's), the engines the page is tested on beside Chromium,
// each behind the same few calls: go to an address, run a function in the page, press a key,
// the browser's processes, close. Firefox is driven over WebDriver BiDi by puppeteer-core,
// which downloads no browser; WebKitGTK's MiniBrowser by its WebKitWebDriver over W3C
// WebDriver's HTTP protocol, in a virtual X display of its own.
import { spawn } from 'node:child_process';
import { createRequire } from 'node:module';
import { createServer } from 'node:net';

import { screenReader } from './browser.mjs';

const require = createRequire(new URL('../../web/package.json', import.meta.url));

const kFirefox = process.env.VEXAMOR_FIREFOX ?? '/usr/lib/firefox-esr/firefox-esr';
const kMiniBrowser = process.env.VEXAMOR_MINIBROWSER ?? '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser';
const kDriverStartMs = 20000;

function withScreen(driver) {
  return { ...driver, ...screenReader((script) => driver.evaluate(script)) };
}

export async function openFirefox() {
  const puppeteer = require('puppeteer-core');
  const browser = await puppeteer.launch({
    browser: 'firefox', executablePath: kFirefox, headless: true, protocol: 'webDriverBiDi',
    // Sound may start without a gesture, as in the Chromium tests.
    extraPrefsFirefox: { 'media.autoplay.default': 0, 'media.autoplay.block-webaudio': false },
  });
  const page = (await browser.pages())[0] ?? await browser.newPage();
  const errors = [];
  page.on('pageerror', (error) => errors.push(`page error: ${error.message}`));
  return withScreen({
    name: 'Firefox',
    // Headless, with no sound server on the machine, its audio contexts never run.
    playsSound: false,
    errors,
    goto: (url) => page.goto(url),
    reload: () => page.reload(),
    evaluate: (script, arg) => page.evaluate(script, arg),
    press: (key) => page.keyboard.press(key),
    processIds: () => [browser.process().pid],
    close: () => browser.close(),
  });
}

// A free loopback port for the driver to listen on.
function freePort() {
  return new Promise((resolve, reject) => {
    const probe = createServer();
    probe.once('error', reject);
    probe.listen(0, '127.0.0.1', () => {
      const { port } = probe.address();
      probe.close(() => resolve(port));
    });
  });
}

// The keys by WebDriver's code points for them.
const kWebDriverKeys = { ArrowLeft: '\uE012', ArrowUp: '\uE013', ArrowRight: '\uE014', ArrowDown: '\uE015', Escape: '\uE00C', Enter: '\uE007' };

export async function openWebKit() {
  const port = await freePort();
  // Its own process group, so that closing ends the display, the driver and the browser. The
  // search for a free display starts away from other X servers starting at the same moment, and
  // the server does not restart when its last client (a closed browser) leaves.
  const display = String(200 + Math.floor(Math.random() * 500));
  const driver = spawn('xvfb-run', ['-a', '-n', display, '-s', '-screen 0 1280x1024x24 -noreset', 'WebKitWebDriver', `--port=${port}`],
    { detached: true, stdio: 'ignore' });
  const exited = new Promise((resolve) => { driver.once('exit', resolve); });
  const base = `http://127.0.0.1:${port}`;
  let session = null;

  async function call(method, path, body) {
    const response = await fetch(`${base}${path}`, {
      method, headers: { 'content-type': 'application/json' }, body: body === undefined ? undefined : JSON.stringify(body),
    });
    const { value } = await response.json();
    if (!response.ok) throw new Error(`WebKitWebDriver ${method} ${path}: ${value.error}: ${value.message}`);
    return value;
  }

  const close = async () => {
    if (session) await call('DELETE', `/session/${session}`).catch(() => {});
    try { process.kill(-driver.pid, 'SIGTERM'); } catch (error) { /* already gone */ }
    await exited;
  };

  try {
    const deadline = Date.now() + kDriverStartMs;
    for (;;) {
      try {
        if ((await call('GET', '/status')).ready) break;
      } catch (error) {
        if (Date.now() > deadline) throw new Error(`WebKitWebDriver did not start: ${error.message}`);
      }
      await new Promise((done) => { setTimeout(done, 100); });
    }
    const capabilities = { 'webkitgtk:browserOptions': { binary: kMiniBrowser, args: ['--automation'] } };
    session = (await call('POST', '/session', { capabilities: { alwaysMatch: capabilities } })).sessionId;
  } catch (error) {
    await close();
    throw error;
  }
  const path = (rest) => `/session/${session}${rest}`;
  return withScreen({
    name: 'WebKitGTK',
    playsSound: true,
    errors: [],
    goto: (url) => call('POST', path('/url'), { url }),
    reload: () => call('POST', path('/refresh'), {}),
    // The function runs as an async script: its result, awaited, comes back.
    async evaluate(script, arg) {
      const body = `const done = arguments[arguments.length - 1];
        Promise.resolve().then(() => (${script})(arguments[0]))
          .then((value) => done({ value }), (error) => done({ error: String(error) }));`;
      const result = await call('POST', path('/execute/async'), { script: body, args: [arg ?? null] });
      if (result.error) throw new Error(`in the page: ${result.error}`);
      return result.value;
    },
    press(key) {
      const value = kWebDriverKeys[key] ?? key;
      return call('POST', path('/actions'), {
        actions: [{ type: 'key', id: 'keyboard', actions: [{ type: 'keyDown', value }, { type: 'keyUp', value }] }],
      });
    },
    processIds: () => [driver.pid],
    close,
  });
}

export const engines = { Firefox: openFirefox, WebKitGTK: openWebKit };
