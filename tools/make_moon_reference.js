#!/usr/bin/env node
// Writes tests/data/moon_phase_reference.tsv: every principal phase of the
// moon (new, first quarter, full, last quarter) from December 1899 to
// January 2101, in Beijing time (UTC+8) to the second, as astronomy-engine
// computes them: the second engine that tools/make_calendar_tables.py holds
// its PyEphem phases against.
//
// Columns, tab-separated: quarter (0 new, 1 first quarter, 2 full, 3 last
// quarter), Beijing date and time.
//
// Usage: npm install && npm run moon-reference   (from tools/)
'use strict';
const fs = require('fs');
const Astronomy = require('astronomy-engine');

const out = process.argv[2];
if (!out) {
  console.error('usage: make_moon_reference.js PHASES.tsv');
  process.exit(2);
}
const pad = (n) => String(n).padStart(2, '0');
const beijing = (date) => {
  const d = new Date(date.getTime() + 8 * 3600 * 1000 + 500);  // to the nearest second
  return `${d.getUTCFullYear()}-${pad(d.getUTCMonth() + 1)}-${pad(d.getUTCDate())} ` +
         `${pad(d.getUTCHours())}:${pad(d.getUTCMinutes())}:${pad(d.getUTCSeconds())}`;
};
const lines = ['# quarter\tbeijingTime'];
const end = new Date(Date.UTC(2101, 1, 1));
let q = Astronomy.SearchMoonQuarter(new Date(Date.UTC(1899, 11, 1)));
while (q.quarter !== 0) q = Astronomy.NextMoonQuarter(q);
while (q.time.date < end) {
  lines.push(`${q.quarter}\t${beijing(q.time.date)}`);
  q = Astronomy.NextMoonQuarter(q);
}
fs.writeFileSync(out, lines.join('\n') + '\n');
console.log(`wrote ${lines.length - 1} phases to ${out}`);
