#!/usr/bin/env node
// Writes tests/data/calendar_reference.tsv: one line for every Gregorian day
// of the calendar's range (tools/calendar_range.js), computed by lunar-javascript, a calendar
// library that derives the Chinese calendar from its own astronomical new
// moons and solar longitudes (Beijing time, UTC+8); and
// tests/data/solar_term_reference.tsv, the instant of every solar term of
// those years to the second.  Moonfold's tables come from another engine
// (tools/make_calendar_tables.py, on PyEphem); these files are the
// independent witness that the generator and the tests hold them against.
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
// The term file: year, index 0..23 (小寒 first, 冬至 last), name, and the
// Beijing date and time of the term.
//
// Usage: npm install && npm run reference   (from tools/)
'use strict';
const fs = require('fs');
const { Solar } = require('lunar-javascript');
const range = require('./calendar_range');

const out = process.argv[2];
const termsOut = process.argv[3];
if (!out || !termsOut) {
  console.error('usage: make_reference.js DAYS.tsv TERMS.tsv');
  process.exit(2);
}
const FIRST_YEAR = range.firstTermYear, LAST_YEAR = range.lastYear;

const pad = (n, w) => String(n).padStart(w, '0');
const lines = ['# date\tlunarYear\tlunarMonth\tlunarDay\tleap\tterm\tdayCycle'];
const day = new Date(Date.UTC(range.firstDay[0], range.firstDay[1] - 1, range.firstDay[2]));
const last = Date.UTC(LAST_YEAR, 11, 31);
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

// Each lunar year's table of terms runs from the 大雪 before it; the terms
// of a Gregorian year are those whose instants fall in it.
const TERM_NAMES = ['小寒', '大寒', '立春', '雨水', '惊蛰', '春分', '清明', '谷雨', '立夏', '小满',
  '芒种', '夏至', '小暑', '大暑', '立秋', '处暑', '白露', '秋分', '寒露', '霜降', '立冬', '小雪',
  '大雪', '冬至'];
const terms = ['# year\tindex\tname\tbeijingTime'];
for (let y = FIRST_YEAR; y <= LAST_YEAR; ++y) {
  const found = new Map();
  for (const probe of [Solar.fromYmd(y, 3, 1), Solar.fromYmd(y, 12, 1)]) {
    const table = probe.getLunar().getJieQiTable();
    for (const [name, solar] of Object.entries(table)) {
      const i = TERM_NAMES.indexOf(name);
      if (i >= 0 && solar.getYear() === y) found.set(i, solar);
    }
    // The table names the terms of the next year in Latin letters.
    const latin = { XIAO_HAN: 0, DA_HAN: 1, LI_CHUN: 2, YU_SHUI: 3, JING_ZHE: 4, DONG_ZHI: 23,
      DA_XUE: 22 };
    for (const [name, i] of Object.entries(latin)) {
      const solar = table[name];
      if (solar && solar.getYear() === y) found.set(i, solar);
    }
  }
  for (let i = 0; i < 24; ++i) {
    const solar = found.get(i);
    if (!solar) throw new Error(`no ${TERM_NAMES[i]} in ${y}`);
    terms.push([y, i, TERM_NAMES[i], solar.toYmdHms()].join('\t'));
  }
}
fs.writeFileSync(termsOut, terms.join('\n') + '\n');
console.log(`wrote ${terms.length - 1} solar terms to ${termsOut}`);
