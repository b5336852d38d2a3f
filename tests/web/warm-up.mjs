// Brings a cold machine's browsers up to speed before the page's tests: the first launch
// builds its profile and font caches, and the first page draws its glyphs for the first
// time, which can stall a page for seconds. Opens the site once in each engine and waits for
// the banner.
//   node tests/web/warm-up.mjs
import { serve } from '../../tools/web/serve.mjs';
import { buildDir, openSite } from './browser.mjs';
import { engines } from './engines.mjs';

const kBannerTop = '.--.  .--.';
const kColdStartMs = 60000;

const site = await openSite();
try {
  const tab = await site.open();
  await tab.waitForText(kBannerTop, kColdStartMs);
  await tab.close();
} finally {
  await site.close();
}

const server = await serve(buildDir, 0);
try {
  for (const open of Object.values(engines)) {
    const tab = await open();
    try {
      await tab.goto(`http://127.0.0.1:${server.address().port}/site/`);
      await tab.waitForText(kBannerTop, kColdStartMs);
    } finally {
      await tab.close();
    }
  }
} finally {
  server.close();
}
