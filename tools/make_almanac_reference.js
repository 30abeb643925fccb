#!/usr/bin/env node
// Writes tests/data/almanac_reference.tsv: the almanac page's items as
// lunar-javascript reckons them, the second engine that the tests hold
// Moonfold's to.  The days: every day of the years divisible by ten and of
// 2026, and in every year of the calendar each day of a 节 term (立春, 惊蛰
// … 小寒, where the almanac's month turns) with the days either side.
//
// Columns, tab-separated: date, DUTY, DAYGOD, MANSION, CLASH, PENGZU,
// DIRECTIONS, LUCKYHOURS, composed as Moonfold writes them.  Two mansions
// the library spells with a variant character (壁水獝, 胃土彘) are written
// as most almanacs print them (壁水貐, 胃土雉).
//
// Usage: npm install && npm run almanac-reference   (from tools/)
'use strict';
const fs = require('fs');
const { Solar } = require('lunar-javascript');

const out = process.argv[2];
if (!out) {
  console.error('usage: make_almanac_reference.js ALMANAC.tsv');
  process.exit(2);
}
const range = require('./calendar_range');
const FIRST_YEAR = range.firstTermYear, LAST_YEAR = range.lastYear;
const JIE = ['小寒', '立春', '惊蛰', '清明', '立夏', '芒种', '小暑', '立秋', '白露', '寒露', '立冬', '大雪'];
const SPELLING = { 壁水獝: '壁水貐', 胃土彘: '胃土雉' };
const ANIMALS = { 子: '鼠', 丑: '牛', 寅: '虎', 卯: '兔', 辰: '龙', 巳: '蛇', 午: '马', 未: '羊', 申: '猴', 酉: '鸡', 戌: '狗', 亥: '猪' };

const days = new Set();
const iso = (s) => s.toYmd();
const pad = (n) => String(n).padStart(2, '0');
const first = `${range.firstDay[0]}-${pad(range.firstDay[1])}-${pad(range.firstDay[2])}`;
for (let year = FIRST_YEAR; year <= LAST_YEAR; ++year) {
  if (year % 10 === 0 || year === 2026) {
    for (let s = Solar.fromYmd(year, 1, 1); s.getYear() === year; s = s.next(1)) {
      if (iso(s) >= first) days.add(iso(s));
    }
  }
  const table = Solar.fromYmd(year, 6, 1).getLunar().getJieQiTable();
  for (const name of JIE) {
    const term = table[name];
    if (!term || term.getYear() !== year) continue;
    for (const d of [-1, 0, 1]) {
      const s = term.next(d);
      if (iso(s) >= first && s.getYear() <= LAST_YEAR) days.add(iso(s));
    }
  }
}
const lines = ['# date\tDUTY\tDAYGOD\tMANSION\tCLASH\tPENGZU\tDIRECTIONS\tLUCKYHOURS'];
for (const day of [...days].sort()) {
  const [y, m, d] = day.split('-').map(Number);
  const l = Solar.fromYmd(y, m, d).getLunar();
  const mansion = l.getXiu() + l.getZheng() + l.getAnimal();
  const lucky = l.getTimes().slice(0, 12).filter((t) => t.getTianShenType() === '黄道').map((t) => t.getZhi());
  lines.push([
    day,
    l.getZhiXing(),
    `${l.getDayTianShen()}(${l.getDayTianShenType()})`,
    SPELLING[mansion] || mansion,
    `冲${ANIMALS[l.getDayChong()]}(${l.getDayChongGan()}${l.getDayChong()})煞${l.getDaySha()}`,
    `${l.getPengZuGan()} ${l.getPengZuZhi()}`,
    `喜神${l.getDayPositionXiDesc()} 财神${l.getDayPositionCaiDesc()}`,
    lucky.join(' '),
  ].join('\t'));
}
fs.writeFileSync(out, lines.join('\n') + '\n');
console.log(`wrote ${lines.length - 1} days to ${out}`);
