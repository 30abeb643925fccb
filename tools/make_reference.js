#!/usr/bin/env node
// Writes tests/data/calendar_reference.tsv: one line for every Gregorian day
// from 1990-01-01 to 2050-12-31, computed by lunar-javascript, a calendar
// library that derives the Chinese calendar from astronomical new moons and
// solar longitudes (Beijing time, UTC+8).  Moonfold's tables are typed-in
// data; this file is the independent witness the tests compare them with.
//
// Columns, tab-separated:
//   date        Gregorian date, YYYY-MM-DD
//   lunarYear   lunar year the day belongs to (changes at the lunar new year)
//   lunarMonth  1..12; a leap month carries the number of the month it follows
//   lunarDay    1..30
//   leap        1 inside a leap month, else 0
//   term        the solar term that begins on this day, or - when none does
//   dayCycle    stem-branch name of the day
//
// Usage: npm install && npm run reference   (from tools/)
'use strict';
const fs = require('fs');
const { Solar } = require('lunar-javascript');

const out = process.argv[2];
if (!out) {
  console.error('usage: make_reference.js OUTPUT.tsv');
  process.exit(2);
}

const pad = (n, w) => String(n).padStart(w, '0');
const lines = ['# date\tlunarYear\tlunarMonth\tlunarDay\tleap\tterm\tdayCycle'];
const day = new Date(Date.UTC(1990, 0, 1));
const last = Date.UTC(2050, 11, 31);
while (day.getTime() <= last) {
  const y = day.getUTCFullYear(), m = day.getUTCMonth() + 1, d = day.getUTCDate();
  const lunar = Solar.fromYmd(y, m, d).getLunar();
  const month = lunar.getMonth();
  lines.push([
    `${pad(y, 4)}-${pad(m, 2)}-${pad(d, 2)}`,
    lunar.getYear(),
    Math.abs(month),
    lunar.getDay(),
    month < 0 ? 1 : 0,
    lunar.getJieQi() || '-',
    lunar.getDayInGanZhi(),
  ].join('\t'));
  day.setUTCDate(day.getUTCDate() + 1);
}
fs.writeFileSync(out, lines.join('\n') + '\n');
console.log(`wrote ${lines.length - 1} days to ${out}`);
