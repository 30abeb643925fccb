// The npm package as a user meets it: installed offline from its tarball
// into an empty project, its README's calls, its errors, its inputs, its
// size, and its memory over a million calls.
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { test } from 'node:test';
import { gzipSync } from 'node:zlib';

import { installProject, installed } from './installed.mjs';

const { moonfold, project } = await installed();
const packageDir = join(project, 'node_modules', 'moonfold');

test('the module is small and needs nothing but the JavaScript engine', () => {
  const wasm = readFileSync(join(packageDir, 'moonfold.wasm'));
  assert.ok(wasm.length <= 256 * 1024, `moonfold.wasm is ${wasm.length} bytes`);
  const gzipped = gzipSync(wasm, { level: 9 }).length;
  assert.ok(gzipped <= 120 * 1024, `moonfold.wasm is ${gzipped} bytes gzipped`);
  const glue = readFileSync(join(packageDir, 'moonfold.js'), 'utf8');
  for (const reach of ['require(', '__dirname', 'process["on"]']) {
    assert.ok(!glue.includes(reach), `moonfold.js reaches for ${reach}`);
  }
});

test("each of the README's calls returns what the README shows", () => {
  const readme = readFileSync(join(packageDir, 'README.md'), 'utf8');
  const calls = [...readme.matchAll(/^(moonfold\..+)\n\/\/ → (.+)$/gm)];
  assert.ok(calls.length >= 10, `the README shows ${calls.length} calls`);
  for (const [, call, shown] of calls) {
    let got;
    try {
      got = JSON.stringify(new Function('moonfold', `return (${call});`)(moonfold));
    } catch (error) {
      got = `throws ${error.name}: ${error.message}`;
    }
    assert.equal(got, shown, call);
  }
});

test('a wrong argument is an error that names the call and its input', () => {
  const cases = [
    [() => moonfold.toLunar('2026-02-30'), RangeError, /toLunar\("2026-02-30"\): a date that does not exist/],
    [() => moonfold.toLunar('1645-01-27'), RangeError, /"1645-01-27".*range, 1645-01-28 … 2100-12-31/],
    [() => moonfold.toLunar('2101-01-01'), RangeError, /"2101-01-01".*range/],
    [() => moonfold.toLunar('20260217'), TypeError, /"20260217" is not a date/],
    [() => moonfold.toLunar(20260217), TypeError, /20260217 is not a date/],
    [() => moonfold.toLunar(new Date(Number.NaN)), TypeError, /the Date is invalid/],
    [() => moonfold.toLunar('2026-02-17\n'), TypeError, /is not a date/],
    [() => moonfold.fromLunar({ year: 2024, month: 4, day: 1, leap: true }), RangeError, /does not exist/],
    [() => moonfold.fromLunar({ year: 2026, month: 1.5, day: 1 }), TypeError, /the month 1.5 is not an integer/],
    [() => moonfold.fromLunar({ year: 2026, month: 1, day: 1, leap: 'yes' }), TypeError, /leap "yes"/],
    [() => moonfold.fromLunar(null), TypeError, /give \{year, month, day, leap\}/],
    [() => moonfold.fromLunar({ year: 2 ** 40, month: 1, day: 1 }), RangeError, /range/],
    [() => moonfold.factsOf('2026-02-17T24:00'), RangeError, /"2026-02-17T24:00".*time of day/],
    [() => moonfold.toLunar('2026-02-17T23:60'), RangeError, /"2026-02-17T23:60" has no such time of day/],
    [() => moonfold.workday('2026-02-17T99:00'), RangeError, /no such time of day/],
    [() => moonfold.toLunar('2026-02-17T08:30:61'), TypeError, /is not a date/],
    [() => moonfold.toLunar('2026-02-17T08:30.5'), TypeError, /is not a date/],
    [() => moonfold.toLunar('2026-02-17T8'), TypeError, /is not a date/],
    [() => moonfold.text('NOPE', '2026-01-01'), TypeError, /text\("NOPE", "2026-01-01"\): not a keyword/],
    [() => moonfold.text('LUNAR\0DAY', '2026-01-01'), TypeError, /is not a keyword/],
    [() => moonfold.text('x'.repeat(5000), '2026-01-01'), TypeError, /"x{80}…".*not a keyword/],
    [() => moonfold.text('LUNARDAY', '2026-01-01', { script: 'cyrillic' }), TypeError, /the script "cyrillic"/],
    [() => moonfold.name('NOPE', 0), TypeError, /"NOPE" is not a kind of name/],
    [() => moonfold.name('SOLAR_TERM', 24), TypeError, /name\("SOLAR_TERM", 24\)/],
    [() => moonfold.events(2027, 2026), RangeError, /events\(2027, 2026\)/],
    [() => moonfold.events(2026, 2026, { kinds: ['terms'] }), TypeError, /"terms" is not a kind of event/],
    [() => moonfold.workday('2035-01-01'), RangeError, /workday\("2035-01-01"\): no notice has announced/],
    [() => moonfold.workday('2026-01-01', { holidays: 'garbage\n' }), TypeError, /holidays:1 — /],
    [() => moonfold.workday('2026-01-01', { holidays: 7 }), TypeError, /holidays must be a holiday file's text/],
  ];
  for (const [call, kind, message] of cases) assert.throws(call, (error) => error instanceof kind && message.test(error.message), String(call));
});

test('a Date is read by its local fields, an ISO string as written', () => {
  const local = new Date(2026, 1, 17, 8, 30, 59);
  assert.deepEqual(moonfold.factsOf(local), moonfold.factsOf('2026-02-17T08:30'));
  assert.deepEqual(moonfold.factsOf('2026-02-17T08:30:59.5'), moonfold.factsOf('2026-02-17T08:30'));
  assert.deepEqual(moonfold.factsOf('2026-02-17'), moonfold.factsOf('2026-02-17T00:00'));
  assert.equal(moonfold.text('HEHOUR', '2026-02-17T7:30'), moonfold.text('HEHOUR', '2026-02-17T07:30'));
});

test('the facts are the C interface’s, by name', () => {
  const facts = moonfold.factsOf('2026-02-17T08:30');
  assert.deepEqual(facts.lunar, { year: 2026, month: 1, day: 1, leap: 0 });
  assert.equal(facts.official, moonfold.constants.DAY_OFF);
  assert.equal(moonfold.name('HOLIDAY', facts.holiday), '春节');
  assert.equal(moonfold.name('CYCLE', facts.pillarHour), '甲辰');
  assert.deepEqual(facts.lunarFestivals.ids.slice(0, facts.lunarFestivals.count).map((id) => moonfold.name('LUNAR_FESTIVAL', id)), ['春节']);
  // A term the record puts on another day than today's reckoning.
  const issued = moonfold.factsOf('1912-11-23');
  assert.equal(moonfold.name('SOLAR_TERM', issued.solarTerm), '小雪');
  assert.equal(issued.solarTermIssued, 1);
});

test('a holiday file given as text replaces its years', () => {
  const file = 'year\tname\toff_from\toff_to\twork_days\n2035\t春节\t2035-02-07\t2035-02-13\t2035-02-04,2035-02-17\n';
  assert.equal(moonfold.yearAnnounced(2035), false);
  assert.equal(moonfold.yearAnnounced(2035, { holidays: file }), true);
  assert.equal(moonfold.workday('2035-02-08', { holidays: file }), false);
  assert.equal(moonfold.workday('2035-02-04', { holidays: file }), true);
  assert.equal(moonfold.workday('2035-03-05', { holidays: file }), true);
  const days = moonfold.events(2035, 2035, { kinds: ['off', 'work'], holidays: file });
  assert.deepEqual(days.map((e) => e.kind), ['work', 'off', 'off', 'off', 'off', 'off', 'off', 'off', 'work']);
});

test('events come in date order, with names in the script asked for', () => {
  const terms = moonfold.events(2026, 2026, { kinds: ['term'], script: 'traditional' });
  assert.equal(terms.length, 24);
  assert.deepEqual(terms.slice(0, 3).map((e) => e.name), ['小寒', '大寒', '立春']);
  assert.equal(terms[23].name, '冬至');
  assert.deepEqual(terms[2].time, { year: 2026, month: 2, day: 4, hour: 4, minute: 2 });
  const moons = moonfold.events(2057, 2057, { kinds: ['moon'] });
  assert.ok(moons.some((e) => e.uncertain === 1), 'a new moon of 2057 is marked uncertain');
  // Every year of the range has its 24 terms, in order; the range opens
  // on 1645-01-28, after that year's 小寒 and 大寒.
  const all = moonfold.events(1645, 2100, { kinds: ['term'] });
  assert.equal(all.length, 24 * (2100 - 1645 + 1) - 2);
  assert.equal(all[0].name, '立春');
  const key = ({ date }) => date.year * 10000 + date.month * 100 + date.day;
  assert.ok(all.every((e, i) => i === 0 || key(all[i - 1]) < key(e)), 'the terms are in date order');
});

test('a million calls leave no memory of the module behind', () => {
  const file = '2035\t春节\t2035-02-07\t2035-02-13\t\n';
  // The package keeps the arrangement of the last holiday file it read:
  // it holds the same one before and after.
  moonfold.workday('2035-02-08', { holidays: file });
  const before = moonfold.memoryInUse();
  for (let i = 0; i < 1_000_000; ++i) {
    const day = `20${10 + (i % 80)}-0${1 + (i % 9)}-1${i % 10}`;
    try {
      switch (i % 6) {
        case 0: moonfold.toLunar(day); break;
        case 1: moonfold.factsOf(`${day}T12:${10 + (i % 50)}`); break;
        case 2: moonfold.text(i % 4 ? 'FEASTS' : 'COUNTDOWN', day, { script: 'traditional' }); break;
        case 3: moonfold.workday(day, { holidays: i % 7 ? file : `${file}#${i}\n` }); break;
        case 4: moonfold.text(i % 1000 ? 'NOPE' : 'x'.repeat(5000), day); break;
        default: if (i % 10000 === 5) moonfold.events(2026, 2027, { kinds: 'all' }); else moonfold.fromLunar({ year: 2026, month: 1 + (i % 12), day: 1 });
      }
    } catch (error) {
      if (!(error instanceof RangeError || error instanceof TypeError)) throw error;
    }
  }
  moonfold.workday('2035-02-08', { holidays: file });
  // The allocator's count of bytes in use may shrink as blocks are merged;
  // a leak of even a byte a call would be a megabyte here.
  const after = moonfold.memoryInUse();
  assert.ok(after <= before, `${after - before} bytes more in use after a million calls`);
});

test('a call before init() says so', async () => {
  const fresh = await import(`${pathToFileURL(join(installProject(), 'use.mjs')).href}`);
  assert.throws(() => fresh.toLunar('2026-02-17'), /call `await init\(\)` before any other call/);
  await Promise.all([fresh.init(), fresh.init()]);
  assert.deepEqual(fresh.toLunar('2026-02-17'), { year: 2026, month: 1, day: 1, leap: false });
});
