// A small static file server for the built site, on the loopback interface only.
// As a program: node web/serve.mjs ROOT [PORT] (port 0 picks a free one); it prints the address.
import { createReadStream } from 'node:fs';
import { stat } from 'node:fs/promises';
import { createServer } from 'node:http';
import { extname, join, normalize, resolve, sep } from 'node:path';
import { fileURLToPath } from 'node:url';

const kTypes = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.mjs': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.wasm': 'application/wasm',
  '.svg': 'image/svg+xml',
  '.png': 'image/png',
  '.json': 'application/json',
};

// Serves the files under root (index.html for a folder); nothing outside it is reachable.
export function serve(root, port = 0) {
  const top = resolve(root);
  const server = createServer(async (request, response) => {
    try {
      const path = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
      let file = normalize(join(top, path));
      if (file !== top && !file.startsWith(top + sep)) throw new Error('outside the site');
      if ((await stat(file)).isDirectory()) file = join(file, 'index.html');
      const size = (await stat(file)).size;
      response.writeHead(200, {
        'Content-Type': kTypes[extname(file)] ?? 'application/octet-stream',
        'Content-Length': size,
        'Cache-Control': 'no-cache',
      });
      createReadStream(file).pipe(response);
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
    console.error('usage: node web/serve.mjs ROOT [PORT]');
    process.exit(2);
  }
  const server = await serve(root, Number(port));
  console.log(`VEXAMOR: http://127.0.0.1:${server.address().port}/`);
}
