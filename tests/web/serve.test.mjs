// The static server answers as a real host does, and the site's zip holds the site.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { readdir, readFile } from 'node:fs/promises';
import { join } from 'node:path';
import { after, before, test } from 'node:test';
import { brotliDecompressSync, gunzipSync } from 'node:zlib';

import { chooseEncoding, serve } from '../../tools/web/serve.mjs';
import { buildDir } from './browser.mjs';

const site = join(buildDir, 'site');
let server;
let origin;
before(async () => {
  server = await serve(site, 0);
  origin = `http://127.0.0.1:${server.address().port}`;
});
after(() => server.close());

// A raw request (fetch would undo the compression itself).
async function get(path, headers = {}) {
  const { request } = await import('node:http');
  return new Promise((done, fail) => {
    request(`${origin}${path}`, { headers }, (response) => {
      const chunks = [];
      response.on('data', (chunk) => chunks.push(chunk));
      response.on('end', () => done({ status: response.statusCode, headers: response.headers, body: Buffer.concat(chunks) }));
    }).on('error', fail).end();
  });
}

test('text is sent compressed as the browser accepts it, with the same bytes inside', async () => {
  const plain = await readFile(join(site, 'vexamor.wasm'));
  const br = await get('/vexamor.wasm', { 'Accept-Encoding': 'gzip, deflate, br' });
  assert.equal(br.headers['content-encoding'], 'br');
  assert.equal(br.headers['content-type'], 'application/wasm');
  assert.deepEqual(brotliDecompressSync(br.body), plain);
  const gzip = await get('/vexamor.wasm', { 'Accept-Encoding': 'gzip, br;q=0' });
  assert.equal(gzip.headers['content-encoding'], 'gzip');
  assert.deepEqual(gunzipSync(gzip.body), plain);
  const none = await get('/vexamor.wasm');
  assert.equal(none.headers['content-encoding'], undefined);
  assert.deepEqual(none.body, plain);
  assert.ok(br.body.length < gzip.body.length && gzip.body.length < plain.length / 2);
  // A picture is compressed already.
  const png = await get('/icons/icon-512.png', { 'Accept-Encoding': 'gzip, br' });
  assert.equal(png.headers['content-encoding'], undefined);
  assert.equal(png.headers['content-type'], 'image/png');
  assert.equal(chooseEncoding('*', { br: 1, gzip: 1 }), 'br');
  assert.equal(chooseEncoding('identity', { br: 1, gzip: 1 }), 'identity');
});

test('every answer is revalidated: no-cache with an ETag, and 304 when it still matches', async () => {
  const first = await get('/', { 'Accept-Encoding': 'gzip' });
  assert.equal(first.status, 200);
  assert.equal(first.headers['content-type'], 'text/html; charset=utf-8');
  assert.equal(first.headers['cache-control'], 'no-cache');
  assert.equal(first.headers.vary, 'Accept-Encoding');
  const again = await get('/', { 'If-None-Match': first.headers.etag });
  assert.deepEqual([again.status, again.body.length], [304, 0]);
  const other = await get('/', { 'If-None-Match': '"stale"' });
  assert.equal(other.status, 200);
  assert.equal((await get('/manifest.webmanifest')).headers['content-type'], 'application/manifest+json');
  assert.equal((await get('/%2e%2e/CMakeCache.txt')).status, 404);
  assert.equal((await get('/no-such-file.js')).status, 404);
});

test('the zip holds every file of the site, index.html at its top', async () => {
  const version = (await readFile(join(buildDir, 'CMakeCache.txt'), 'utf8')).match(/^CMAKE_PROJECT_VERSION:STATIC=(.+)$/m)[1];
  const listed = execFileSync('cmake', ['-E', 'tar', 'tf', join(buildDir, `vexamor-${version}-web.zip`)], { encoding: 'utf8' });
  const inZip = listed.split('\n').filter((name) => name && !name.endsWith('/')).sort();
  const files = (await readdir(site, { recursive: true, withFileTypes: true }))
    .filter((entry) => entry.isFile())
    .map((entry) => join(entry.path ?? entry.parentPath, entry.name).slice(site.length + 1))
    .sort();
  assert.deepEqual(inZip, files);
  assert.ok(inZip.includes('index.html') && inZip.includes('sw.js'));
});
