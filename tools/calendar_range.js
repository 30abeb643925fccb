// The calendar's range as the generated tables declare it, for the
// reference writers: they cover the days the tables cover, read from the
// one place the range is declared.
'use strict';
const fs = require('fs');
const path = require('path');

const root = path.join(__dirname, '..');
const header = (file) => fs.readFileSync(path.join(root, file), 'utf8');
const number = (text, name) => Number(new RegExp(`${name} = (-?\\d+);`).exec(text)[1]);
const date = (text, name) =>
  new RegExp(`${name}\\[3\\] = \\{(\\d+), (\\d+), (\\d+)\\}`).exec(text).slice(1).map(Number);

const lunar = header('lunar/lunar_year_data.h');
const terms = header('cycles/solar_term_data.h');
const moon = header('lunar/moon_phase_data.h');

module.exports = {
  firstDay: date(lunar, 'kFirstLunarNewYear'),  // [year, month, day]
  lastYear: number(lunar, 'kLastLunarDataYear'),
  firstTermYear: number(terms, 'kFirstTermYear'),
  lastTermYear: number(terms, 'kLastTermYear'),
  moonEpoch: date(moon, 'kMoonPhaseEpochDate'),  // 00:00 Beijing time
};
