// The same game, proven: the replay tool built as WebAssembly and run by node prints, for
// the same seed and keys, exactly the bytes the native build prints, and the recorded games'
// traces.
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { existsSync, readFileSync } from 'node:fs';
import { join } from 'node:path';
import { test } from 'node:test';

import { buildDir, sourceDir } from './browser.mjs';

const nativeReplay = process.env.VEXAMOR_NATIVE_REPLAY ?? join(sourceDir, 'build', 'vexamor-replay');
const webReplay = join(buildDir, 'vexamor-replay.js');

// Standard output is a pipe here, read by this process.
function run(command, args, input) {
  const result = spawnSync(command, args, { input, maxBuffer: 256 * 1024 * 1024 });
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
  ['a recorded game, traced', ['--recording', join(sourceDir, 'tests', 'golden', 'quiet_end.vxr'), '--screen']],
  ['a recorded game, checked', ['--recording', join(sourceDir, 'tests', 'golden', 'side_steps.vxr'), '--check']],
  ['a file that is not a recording', ['--recording', join(sourceDir, 'tests', 'golden', 'games'), '--check']],
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

// A game of 20,504 ticks that reaches level 5, its keys read from a file and from standard
// input. The output is far larger than a pipe holds: every byte must still arrive.
const longGame = ['--seed', '2033', '--ticks', '25000', '--screen'];
const longGameKeys = join(sourceDir, 'tests', 'replay', 'long_game.keys');

test('a long game from a key file reaches the pipe whole, every time', { skip: !existsSync(nativeReplay) && `no ${nativeReplay}` }, () => {
  assert.ok(existsSync(webReplay), `${webReplay} is missing: run scripts/build-web.sh`);
  const native = run(nativeReplay, [...longGame, '--keys-file', longGameKeys]);
  assert.equal(native.status, 0);
  const lines = native.stdout.toString().split('\n');
  assert.equal(lines.length, 20504 + 25 + 1);
  assert.match(lines[20503], /^\{"tick":20504,"key":27,"score":\d+,"lives":0,"level":5,/);
  for (let round = 1; round <= 3; ++round) {
    const web = run(process.execPath, [webReplay, ...longGame, '--keys-file', longGameKeys]);
    assert.equal(web.status, 0, `round ${round}: ${web.stderr}`);
    assert.ok(native.stdout.equals(web.stdout), `round ${round}: ${web.stdout.length} bytes, not ${native.stdout.length}`);
  }
  const fromInput = run(process.execPath, [webReplay, ...longGame, '--keys-file', '-'], readFileSync(longGameKeys));
  assert.equal(fromInput.status, 0, fromInput.stderr);
  assert.ok(native.stdout.equals(fromInput.stdout), 'keys from standard input');
});

test('a key file that cannot be read is refused as the native tool refuses it', { skip: !existsSync(nativeReplay) && `no ${nativeReplay}` }, () => {
  for (const args of [['--seed', '1', '--keys-file', join(sourceDir, 'no-such-file')], ['--seed', '1', '--keys', '1', '--keys-file', '-']]) {
    const native = run(nativeReplay, args);
    const web = run(process.execPath, [webReplay, ...args]);
    assert.equal(native.status, 2);
    assert.equal(web.status, 2);
    assert.equal(web.stdout.length, 0);
    assert.equal(web.stderr, native.stderr);
  }
});

// The recorded games: the trace of every target must stay the one checked in.
const goldenDir = join(sourceDir, 'tests', 'golden');
const goldenGames = readFileSync(join(goldenDir, 'games'), 'utf8').split('\n')
  .filter((line) => line.trim() && !line.startsWith('#'))
  .map((line) => line.trim().split(/\s+/));

test('the WebAssembly replay prints the recorded games\' traces', () => {
  assert.ok(existsSync(webReplay), `${webReplay} is missing: run scripts/build-web.sh`);
  assert.ok(goldenGames.length >= 3);
  for (const [name, seed, ticks] of goldenGames) {
    const keys = join(goldenDir, `${name}.keys`);
    const web = run(process.execPath, [webReplay, '--seed', seed, '--ticks', ticks, '--keys-file', keys, '--screen']);
    assert.equal(web.status, 0, `${name}: ${web.stderr}`);
    assert.ok(readFileSync(join(goldenDir, `${name}.trace`)).equals(web.stdout), `${name}: the trace differs from the recorded one`);
  }
});
