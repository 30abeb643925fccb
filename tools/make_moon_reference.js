#!/usr/bin/env node
// Writes tests/data/moon_phase_reference.tsv: every principal phase of the
// moon (new, first quarter, full, last quarter) from the tables' epoch to
// the January after their last year, in Beijing time (UTC+8) to the second, as astronomy-engine
// computes them: the second engine that tools/make_calendar_tables.py holds
// its PyEphem phases against.  The engine's Moon is its own; its ΔT is the
// tables' (tests/data/delta_t.tsv, which the calendar tool writes, taken
// between its monthly values), so that the two engines differ only in
// their Moons.
//
// Columns, tab-separated: quarter (0 new, 1 first quarter, 2 full, 3 last
// quarter), Beijing date and time.
//
// Usage: npm install && npm run moon-reference   (from tools/)
'use strict';
const fs = require('fs');
const Astronomy = require('astronomy-engine');
const range = require('./calendar_range');

const out = process.argv[2];
const deltaTFile = process.argv[3];
if (!out || !deltaTFile) {
  console.error('usage: make_moon_reference.js PHASES.tsv DELTA_T.tsv');
  process.exit(2);
}
// The tables' ΔT: days since J2000 (UT) of the first of each month, and
// seconds, taken linearly between them.
const J2000 = Date.UTC(2000, 0, 1, 12);
const deltaT = fs.readFileSync(deltaTFile, 'utf8').split('\n')
  .filter((line) => /^\d/.test(line))
  .map((line) => {
    const [month, seconds] = line.split('\t');
    const [y, m] = month.split('-').map(Number);
    return [(Date.UTC(y, m - 1, 1) - J2000) / 86400000, Number(seconds)];
  });
Astronomy.SetDeltaTFunction((ut) => {
  let i = deltaT.findIndex(([day]) => day > ut);
  if (i <= 0) throw new Error(`no ΔT for ${ut}`);
  const [d0, s0] = deltaT[i - 1], [d1, s1] = deltaT[i];
  return s0 + (s1 - s0) * (ut - d0) / (d1 - d0);
});
const pad = (n) => String(n).padStart(2, '0');
const beijing = (date) => {
  const d = new Date(date.getTime() + 8 * 3600 * 1000 + 500);  // to the nearest second
  return `${d.getUTCFullYear()}-${pad(d.getUTCMonth() + 1)}-${pad(d.getUTCDate())} ` +
         `${pad(d.getUTCHours())}:${pad(d.getUTCMinutes())}:${pad(d.getUTCSeconds())}`;
};
const lines = ['# quarter\tbeijingTime'];
const end = new Date(Date.UTC(range.lastYear + 1, 1, 1) - 8 * 3600 * 1000);
const [ey, em, ed] = range.moonEpoch;  // 00:00 Beijing time is 16:00 UTC the day before
let q = Astronomy.SearchMoonQuarter(new Date(Date.UTC(ey, em - 1, ed) - 8 * 3600 * 1000));
while (q.quarter !== 0) q = Astronomy.NextMoonQuarter(q);
while (q.time.date < end) {
  lines.push(`${q.quarter}\t${beijing(q.time.date)}`);
  q = Astronomy.NextMoonQuarter(q);
}
fs.writeFileSync(out, lines.join('\n') + '\n');
console.log(`wrote ${lines.length - 1} phases to ${out}`);
