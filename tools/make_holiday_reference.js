#!/usr/bin/env node
// Writes tests/data/holiday_reference.tsv: every official day off and every
// make-up working day of 2006-2026 as lunar-javascript's HolidayUtil holds
// them, the second source that tools/make_holiday_table.py checks the
// transcribed notices (tools/data/cn-holidays.tsv) against.
//
// Columns, tab-separated: date (YYYY-MM-DD), off or work, the library's
// name of the holiday.
//
// Usage: npm install && npm run holiday-reference   (from tools/)
'use strict';
const fs = require('fs');
const { HolidayUtil } = require('lunar-javascript');

const out = process.argv[2];
if (!out) {
  console.error('usage: make_holiday_reference.js HOLIDAYS.tsv');
  process.exit(2);
}
const lines = ['# date\tkind\tname'];
const seen = new Set();
for (let year = 2005; year <= 2027; ++year) {
  for (const h of HolidayUtil.getHolidays(year)) {
    const day = h.getDay();
    if (seen.has(day) || day < '2005-12-01' || day > '2026-12-31') continue;
    seen.add(day);
    lines.push([day, h.isWork() ? 'work' : 'off', h.getName()].join('\t'));
  }
}
lines.sort();
fs.writeFileSync(out, lines.join('\n') + '\n');
console.log(`wrote ${lines.length - 1} days to ${out}`);
