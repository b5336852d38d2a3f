// Brings a cold machine's Chromium up to speed before the page's tests: the first launch
// builds its profile and font caches, and the first page draws its glyphs for the first
// time, which can stall a page for seconds. Opens the site once and waits for the banner.
//   node tests/web/warm-up.mjs
import { openSite } from './browser.mjs';

const site = await openSite();
try {
  const tab = await site.open();
  await tab.waitForText('.--.  .--.', 60000);
  await tab.close();
} finally {
  await site.close();
}
