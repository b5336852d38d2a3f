// Renders the installed app's icons from ../icon.svg into this folder, in Debian's headless
// Chromium (the font the icon names is the page's own monospace), then shrinks them with
// optipng when it is installed. Run by hand when the icon changes; the PNGs are kept in git.
//   node web/icons/render.mjs
import { spawnSync } from 'node:child_process';
import { readFile } from 'node:fs/promises';
import { createRequire } from 'node:module';
import { fileURLToPath } from 'node:url';

const require = createRequire(new URL('../package.json', import.meta.url));
const { chromium } = require('playwright-core');
const folder = fileURLToPath(new URL('.', import.meta.url));
const svg = await readFile(new URL('../icon.svg', import.meta.url), 'utf8');

// A maskable icon is cut to a circle or a rounded square by the system: the picture sits
// inside the middle 80 % on a black field that fills the whole square.
const kIcons = [
  { name: 'icon-192.png', size: 192, scale: 1 },
  { name: 'icon-512.png', size: 512, scale: 1 },
  { name: 'maskable-192.png', size: 192, scale: 0.72 },
  { name: 'maskable-512.png', size: 512, scale: 0.72 },
];

const browser = await chromium.launch({ executablePath: '/usr/bin/chromium', args: ['--no-sandbox'] });
try {
  for (const icon of kIcons) {
    const page = await browser.newPage({ viewport: { width: icon.size, height: icon.size } });
    const side = Math.round(icon.size * icon.scale);
    const field = icon.scale < 1 ? '#000' : 'transparent';
    await page.setContent(`<body style="margin:0;background:${field};display:grid;place-items:center;height:100vh">
      <div style="width:${side}px;height:${side}px">${svg.replace('<svg ', '<svg width="100%" height="100%" ')}</div></body>`);
    await page.screenshot({ path: `${folder}/${icon.name}`, omitBackground: icon.scale === 1 });
    await page.close();
    const optimised = spawnSync('optipng', ['-quiet', '-o7', '-strip', 'all', `${folder}/${icon.name}`]);
    if (optimised.error) console.warn(`optipng not run on ${icon.name}: ${optimised.error.message}`);
  }
} finally {
  await browser.close();
}
