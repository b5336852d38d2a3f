// The same game, proven: the replay tool built as WebAssembly and run by node prints, for
// the same seed and keys, exactly the bytes the native build prints.
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { existsSync } from 'node:fs';
import { join } from 'node:path';
import { test } from 'node:test';

import { buildDir, sourceDir } from './browser.mjs';

const nativeReplay = process.env.VEXAMOR_NATIVE_REPLAY ?? join(sourceDir, 'build', 'vexamor-replay');
const webReplay = join(buildDir, 'vexamor-replay.js');

function run(command, args) {
  const result = spawnSync(command, args, { maxBuffer: 256 * 1024 * 1024 });
  return { status: result.status, stdout: result.stdout, stderr: result.stderr.toString() };
}

// A player's keys, from a small fixed generator: arrows as their two bytes, the capital
// arrow letters, fire, volley, bomb, pauses, stray bytes and quiet ticks.
function playerKeys(seed, ticks) {
  const choices = ['', '', '', '', '97', '65', '224,72', '224,80', '224,75', '224,77', 'K', 'M', '119', '101', '32', '0', '255'];
  let state = seed >>> 0;
  const items = [];
  while (items.length < ticks) {
    state = (state * 1103515245 + 12345) >>> 0;
    const choice = choices[(state >>> 16) % choices.length];
    const bytes = choice === 'K' ? '75' : choice === 'M' ? '77' : choice;
    items.push(...bytes.split(','));
  }
  return items.slice(0, ticks).join(',');
}

const cases = [
  ['seed 1, no keys', ['--seed', '1', '--ticks', '400']],
  ['seed 42, a player', ['--seed', '42', '--ticks', '1500', '--keys', playerKeys(42, 1500), '--screen']],
  ['seed 20260101, a long game to its end', ['--seed', '20260101', '--ticks', '6000', '--keys', playerKeys(7, 6000), '--screen']],
  ['seed 3, ESC at tick 60', ['--seed', '3', '--keys', `${',97'.repeat(59).slice(1)},27`, '--screen']],
  ['a malformed argument', ['--seed', 'x']],
];

test('the WebAssembly replay prints the native trace byte for byte', { skip: !existsSync(nativeReplay) && `no ${nativeReplay}` }, () => {
  assert.ok(existsSync(webReplay), `${webReplay} is missing: run scripts/build-web.sh`);
  for (const [name, args] of cases) {
    const native = run(nativeReplay, args);
    const web = run(process.execPath, [webReplay, ...args]);
    assert.equal(web.status, native.status, `${name}: exit status`);
    assert.ok(native.stdout.equals(web.stdout), `${name}: traces differ`);
    assert.equal(web.stderr, native.stderr, `${name}: error message`);
  }
});
