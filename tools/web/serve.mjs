// A small static file server for the built site, on the loopback interface only, that
// answers as a real static host does: text compressed with brotli or gzip when the browser
// accepts it, and every answer revalidated by its ETag (the files keep their names from
// build to build, so nothing may be kept without asking; the service worker is what makes
// a repeat visit fast).
// As a program: node tools/web/serve.mjs ROOT [PORT] (port 0 picks a free one); it prints the address.
import { readFile, stat } from 'node:fs/promises';
import { createServer } from 'node:http';
import { extname, join, normalize, resolve, sep } from 'node:path';
import { fileURLToPath } from 'node:url';
import { brotliCompressSync, constants, gzipSync } from 'node:zlib';

const kTypes = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.mjs': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.wasm': 'application/wasm',
  '.svg': 'image/svg+xml',
  '.png': 'image/png',
  '.json': 'application/json',
  '.webmanifest': 'application/manifest+json',
  '.zip': 'application/zip',
};
// PNG and zip are compressed already.
const kCompressible = new Set(['.html', '.js', '.mjs', '.css', '.wasm', '.svg', '.json', '.webmanifest']);

// Each file's bytes, compressed forms and ETag, kept until the file changes.
const cache = new Map();

async function load(file) {
  const info = await stat(file);
  const kept = cache.get(file);
  if (kept && kept.mtimeMs === info.mtimeMs && kept.size === info.size) return kept;
  const body = await readFile(file);
  const entry = {
    mtimeMs: info.mtimeMs,
    size: info.size,
    etag: `"${info.size.toString(16)}-${Math.floor(info.mtimeMs).toString(16)}"`,
    modified: info.mtime.toUTCString(),
    forms: { identity: body },
  };
  if (kCompressible.has(extname(file))) {
    entry.forms.br = brotliCompressSync(body, { params: { [constants.BROTLI_PARAM_QUALITY]: 11 } });
    entry.forms.gzip = gzipSync(body, { level: 9 });
  }
  cache.set(file, entry);
  return entry;
}

// The best encoding the request accepts among those the file has (q=0 refuses one).
export function chooseEncoding(acceptEncoding = '', forms = {}) {
  const accepted = new Set();
  for (const part of acceptEncoding.split(',')) {
    const [name, ...params] = part.trim().toLowerCase().split(';');
    const refused = params.some((param) => /^\s*q=0(\.0*)?\s*$/.test(param));
    if (name && !refused) accepted.add(name);
  }
  return ['br', 'gzip'].find((name) => forms[name] && (accepted.has(name) || accepted.has('*'))) ?? 'identity';
}

// Serves the files under root (index.html for a folder); nothing outside it is reachable.
export function serve(root, port = 0) {
  const top = resolve(root);
  const server = createServer(async (request, response) => {
    try {
      const path = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
      let file = normalize(join(top, path));
      if (file !== top && !file.startsWith(top + sep)) throw new Error('outside the site');
      if ((await stat(file)).isDirectory()) file = join(file, 'index.html');
      const entry = await load(file);
      const headers = {
        'Content-Type': kTypes[extname(file)] ?? 'application/octet-stream',
        'Cache-Control': 'no-cache',
        ETag: entry.etag,
        'Last-Modified': entry.modified,
        'X-Content-Type-Options': 'nosniff',
      };
      if (entry.forms.gzip) headers.Vary = 'Accept-Encoding';
      if (request.headers['if-none-match'] === entry.etag) {
        response.writeHead(304, headers);
        response.end();
        return;
      }
      const encoding = chooseEncoding(request.headers['accept-encoding'], entry.forms);
      if (encoding !== 'identity') headers['Content-Encoding'] = encoding;
      headers['Content-Length'] = entry.forms[encoding].length;
      response.writeHead(200, headers);
      response.end(request.method === 'HEAD' ? undefined : entry.forms[encoding]);
    } catch {
      response.writeHead(404, { 'Content-Type': 'text/plain' });
      response.end('not found\n');
    }
  });
  return new Promise((done, fail) => {
    server.once('error', fail);
    server.listen(port, '127.0.0.1', () => done(server));
  });
}

if (process.argv[1] === fileURLToPath(import.meta.url)) {
  const [root, port = '8080'] = process.argv.slice(2);
  if (!root) {
    console.error('usage: node tools/web/serve.mjs ROOT [PORT]');
    process.exit(2);
  }
  const server = await serve(root, Number(port));
  console.log(`VEXAMOR: http://127.0.0.1:${server.address().port}/`);
}
