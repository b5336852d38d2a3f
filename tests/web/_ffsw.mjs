import { serve } from '../../tools/web/serve.mjs';
import { buildDir } from './browser.mjs';
import { openFirefox } from './engines.mjs';
const server = await serve(buildDir, 0);
const url = `http://127.0.0.1:${server.address().port}/site/`;
const tab = await openFirefox();
const log = (m) => console.log((performance.now()/1000).toFixed(2), m);
try {
  await tab.goto(url);
  await tab.waitForText('.--.', 60000);
  log('banner');
  await tab.evaluate(() => navigator.serviceWorker.ready.then(() => true));
  log('ready ' + JSON.stringify(tab.errors));
  await tab.reload();
  log('reloaded ' + JSON.stringify(tab.errors) + await tab.evaluate(() => [document.readyState, typeof window.term, performance.getEntriesByType('resource').length]));
  await tab.evaluate(() => caches.keys().then((k) => Promise.all(k.map((n) => caches.open(n).then((c) => c.keys()).then((r) => n + ':' + r.length))))).then((x) => log(JSON.stringify(x)));
  server.close(); server.closeAllConnections();
  await new Promise((d) => setTimeout(d, 2000));
  log('after close ' + JSON.stringify(tab.errors) + await tab.evaluate(() => typeof window.term));
  for (let i = 0; i < 3; ++i) {
    await tab.reload();
    await new Promise((d) => setTimeout(d, 1500));
    log('reload ' + i + ' ' + JSON.stringify(tab.errors) + ' ' + await tab.evaluate(() => navigator.serviceWorker.controller !== null));
    tab.errors.length = 0;
  }
} finally { await tab.close(); server.close(); }
