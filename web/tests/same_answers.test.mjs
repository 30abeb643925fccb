// The package answers as the native library does, on every day of
// 1900–2100 and of the Qing calendar's first year: every fact of the day
// at a time of its own, and every keyword's text in both scripts.  The
// native side is day_lines, a C program over the library's C interface;
// the keywords are the command's own list.
import assert from 'node:assert/strict';
import { execFileSync, spawn } from 'node:child_process';
import { createInterface } from 'node:readline';
import { test } from 'node:test';

import { installed } from './installed.mjs';

const native = process.env.MOONFOLD_NATIVE_BUILD;
if (!native) throw new Error('MOONFOLD_NATIVE_BUILD names the native build (build/native)');

const { moonfold } = await installed();
const keywords = execFileSync(`${native}/moonfold`, ['--keywords'], { encoding: 'utf8' }).trim().split('\n');

const pad = (n, width = 2) => String(n).padStart(width, '0');

// Every member of the facts, nested ones in order, as day_lines prints
// the struct's ints.
function flat(value, out = []) {
  if (typeof value === 'number') out.push(value);
  else for (const member of Object.values(value)) flat(member, out);
  return out;
}

function lineOf(date, step) {
  const hour = (step * 7) % 24;
  const minute = (step * 13) % 60;
  const moment = `${date}T${pad(hour)}:${pad(minute)}`;
  const fields = [moment, '0', ...flat(moonfold.factsOf(moment))];
  let line = fields.join(' ');
  for (const keyword of keywords) {
    for (const script of ['simplified', 'traditional']) line += `\t${moonfold.text(keyword, moment, { script })}`;
  }
  return line;
}

function* days(first, last) {
  for (let t = Date.UTC(...first); t <= Date.UTC(...last); t += 86400000) {
    const d = new Date(t);
    yield `${pad(d.getUTCFullYear(), 4)}-${pad(d.getUTCMonth() + 1)}-${pad(d.getUTCDate())}`;
  }
}

async function compare(first, last) {
  const child = spawn(`${native}/day_lines`, [first, last, ...keywords], { stdio: ['ignore', 'pipe', 'inherit'] });
  const lines = createInterface({ input: child.stdout, crlfDelay: Infinity });
  const split = (s) => s.split('-').map(Number).map((n, i) => (i === 1 ? n - 1 : n));
  const ours = days(split(first), split(last));
  let step = 0;
  const differences = [];
  for await (const theirs of lines) {
    const { value: date, done } = ours.next();
    assert.ok(!done, `day_lines printed more days than ${first} … ${last}`);
    const mine = lineOf(date, step++);
    if (mine !== theirs && differences.push(`native: ${theirs}\npackage: ${mine}`) >= 5) break;
  }
  child.kill();
  assert.deepEqual(differences, [], `the package and the native library differ:\n${differences.join('\n')}`);
  return step;
}

test('every day of 1900–2100 answers as the native library does', { timeout: 900_000 }, async () => {
  assert.equal(await compare('1900-01-01', '2100-12-31'), 73414);
});

test('the first years of the Qing calendar answer as the native library does', async () => {
  assert.equal(await compare(moonfold.range().first, '1650-12-31'), 2164);
});
