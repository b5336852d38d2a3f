// The picture on phones of real pixel ratios 1, 2 and 3: Chromium started with the ratio
// forced (an emulated ratio mis-sizes xterm.js's canvas, so none is emulated), a phone's
// screen and touch emulated over it. Every canvas is backed by its CSS size times the ratio,
// so nothing is drawn blurred, and the picture is whole and inside the screen.
import assert from 'node:assert/strict';
import { mkdtemp, rm } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before, test } from 'node:test';

import { serve } from '../../tools/web/serve.mjs';
import { buildDir, cellAt, chromium, chromiumOptions, picture, watch } from './browser.mjs';
import { frameGaps } from './frame.mjs';

let server;
before(async () => { server = await serve(buildDir, 0); });
after(() => { server.close(); });

const kBannerTop = '.--.  .--. .-------. .--.  .--.     .--.';
const kPhone = { width: 844, height: 390 };

async function openPhone(ratio) {
  const scratch = await mkdtemp(join(tmpdir(), 'vexamor-chromium-'));
  const options = chromiumOptions(scratch);
  options.args.push(`--force-device-scale-factor=${ratio}`);
  const browser = await chromium.launch(options);
  const context = await browser.newContext({ viewport: null, hasTouch: true });
  const page = await context.newPage();
  const cdp = await context.newCDPSession(page);
  await cdp.send('Emulation.setDeviceMetricsOverride', { ...kPhone, deviceScaleFactor: 0, mobile: true });
  await cdp.send('Emulation.setTouchEmulationEnabled', { enabled: true, maxTouchPoints: 5 });
  const origin = `http://127.0.0.1:${server.address().port}`;
  const tab = await watch(page, `${origin}/site/`, origin);
  tab.close = async () => {
    await browser.close();
    await rm(scratch, { recursive: true, force: true });
  };
  return tab;
}

for (const ratio of [1, 2, 3]) {
  test(`a phone at a pixel ratio of ${ratio}: every canvas backed at ${ratio}x its size, the picture whole`, async () => {
    const tab = await openPhone(ratio);
    try {
      await tab.waitForText(kBannerTop);
      await tab.page.tap('#touch button[data-key="2"]');
      await tab.waitForScreen((r) => cellAt(r, 80, 25) === '╝' && cellAt(r, 1, 1) === '╔', 'the frame');
      const canvases = await tab.page.evaluate(() => ({
        ratio: window.devicePixelRatio,
        sizes: [...document.querySelectorAll('#terminal canvas')].map((canvas) => ({
          width: canvas.width, height: canvas.height,
          cssWidth: parseFloat(canvas.style.width), cssHeight: parseFloat(canvas.style.height),
        })),
      }));
      assert.equal(canvases.ratio, ratio);
      assert.ok(canvases.sizes.length > 0);
      for (const size of canvases.sizes) {
        assert.ok(Math.abs(size.width - size.cssWidth * ratio) <= 1 && Math.abs(size.height - size.cssHeight * ratio) <= 1,
          `a canvas of ${size.width} x ${size.height} shown at ${size.cssWidth} x ${size.cssHeight} CSS pixels`);
      }
      const { screen, window: view } = await picture(tab.page);
      assert.ok(screen.left >= -0.5 && screen.top >= -0.5 && screen.right <= view.width + 0.5 && screen.bottom <= view.height + 0.5,
        `the picture ${JSON.stringify(screen)} leaves the screen`);
      assert.ok(screen.height >= 0.9 * view.height, `the picture is ${screen.height} of ${view.height} pixels high`);
      assert.deepEqual(await frameGaps(tab), []);
      tab.assertNoProblems();
    } finally {
      await tab.close();
    }
  });
}
