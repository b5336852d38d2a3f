// The build's changes to xterm.js's canvas renderer: made on the pinned version, and refused,
// leaving the file as it was, on a renderer they do not fit.
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { copyFile, mkdtemp, readFile, rm, writeFile } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before, test } from 'node:test';
import { fileURLToPath } from 'node:url';

const script = fileURLToPath(new URL('../../tools/web/patch-canvas-renderer.mjs', import.meta.url));
const pinned = fileURLToPath(new URL('../../web/node_modules/@xterm/addon-canvas/lib/addon-canvas.js', import.meta.url));

let scratch;
before(async () => { scratch = await mkdtemp(join(tmpdir(), 'vexamor-patch-')); });
after(() => rm(scratch, { recursive: true, force: true }));

function patch(file) {
  return spawnSync(process.execPath, [script, file], { encoding: 'utf8' });
}

test('the pinned renderer is changed and still parses', async () => {
  const file = join(scratch, 'addon-canvas.js');
  await copyFile(pinned, file);
  const result = patch(file);
  assert.equal(result.status, 0, result.stderr);
  const text = await readFile(file, 'utf8');
  assert.match(text, /for\(let t=87;t<88;t\+\+\)/);
  assert.match(text, /this\._cacheGlyph\(e,t,i\)/);
  const check = spawnSync(process.execPath, ['--check', file], { encoding: 'utf8' });
  assert.equal(check.status, 0, check.stderr);
});

test('a renderer without the expected text, or with it twice, fails and is left as it was', async () => {
  const original = await readFile(pinned, 'utf8');
  const drawForeground = '_drawForeground(e,t){this._forEachCell(e,t,((e,t,i)=>this._drawChars(e,t,i)))}';
  const cases = {
    missing: original.replace(drawForeground, '_drawForeground(e,t){}'),
    twice: `${original}\n${drawForeground}`,
  };
  for (const [name, text] of Object.entries(cases)) {
    const file = join(scratch, `${name}.js`);
    await writeFile(file, text);
    const result = patch(file);
    assert.equal(result.status, 1, name);
    assert.match(result.stderr, /expected "_drawForeground/, name);
    assert.equal(await readFile(file, 'utf8'), text, name);
  }
});
