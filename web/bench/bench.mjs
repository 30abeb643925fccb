// The package against lunar-javascript, in one Node process, over the same
// days: Gregorian → lunar over consecutive days and over days scattered
// across 1900–2100, and every fact of a day against lunar-javascript's
// lunar date alone.
//
//   node web/bench/bench.mjs [build/wasm/package]
import { createRequire } from 'node:module';
import { resolve } from 'node:path';
import { pathToFileURL } from 'node:url';

const packageDir = resolve(process.argv[2] ?? 'build/wasm/package');
const moonfold = await import(pathToFileURL(`${packageDir}/index.js`).href);
await moonfold.init();
const requireTool = createRequire(new URL('../../tools/package.json', import.meta.url));
const { Solar } = requireTool('lunar-javascript');

const pad = (n, width = 2) => String(n).padStart(width, '0');
const days = [];
for (let t = Date.UTC(1900, 0, 1); t <= Date.UTC(2100, 11, 31); t += 86400000) {
  const d = new Date(t);
  days.push([d.getUTCFullYear(), d.getUTCMonth() + 1, d.getUTCDate()]);
}
// A fixed shuffle, the same every run.
const scattered = days.slice();
let seed = 12345;
for (let i = scattered.length - 1; i > 0; --i) {
  seed = (seed * 1103515245 + 12345) % 2 ** 31;
  const j = seed % (i + 1);
  [scattered[i], scattered[j]] = [scattered[j], scattered[i]];
}
const iso = (list) => list.map(([y, m, d]) => `${pad(y, 4)}-${pad(m)}-${pad(d)}`);

/** Nanoseconds a call, the best of five runs over `count` calls. */
function time(count, list, call) {
  let best = Infinity;
  let sink = 0;
  for (let run = 0; run < 5; ++run) {
    const start = process.hrtime.bigint();
    for (let i = 0; i < count; ++i) sink += call(list[i % list.length]) ? 1 : 0;
    best = Math.min(best, Number(process.hrtime.bigint() - start) / count);
  }
  if (sink < 0) console.log(sink);
  return best;
}

// lunar-javascript's lunar date is timed once for each order of days, and
// both of the package's calls are held to it.
const theirs = ([y, m, d]) => Solar.fromYmd(y, m, d).getLunar();
const orders = [
  { days: 'consecutive days', dates: days, isos: iso(days), theirCalls: 5_000 },
  { days: 'days scattered over 1900–2100', dates: scattered, isos: iso(scattered), theirCalls: 500 },
];
for (const order of orders) order.theirs = time(order.theirCalls, order.dates, theirs);
const rows = [];
for (const [call, calls, label] of [
  [(d) => moonfold.toLunar(d), 200_000, (days) => `toLunar, ${days}`],
  [(d) => moonfold.factsOf(d), 100_000, (days) => `factsOf against lunar-javascript's lunar date alone, ${days}`],
]) {
  for (const order of orders) {
    const ours = time(calls, order.isos, call);
    rows.push([label(order.days), ours, order.theirs, order.theirs / ours]);
  }
}

const us = (ns) => (ns >= 1000 ? `${(ns / 1000).toFixed(1)} µs` : `${ns.toFixed(0)} ns`);
console.log(`Node ${process.version}, moonfold ${moonfold.version()}, lunar-javascript ${requireTool('lunar-javascript/package.json').version}`);
console.log('| call | moonfold | lunar-javascript | ratio |');
console.log('|---|---:|---:|---:|');
for (const [what, ours, theirs, ratio] of rows) console.log(`| ${what} | ${us(ours)} | ${us(theirs)} | ${Math.round(ratio).toLocaleString('en')}× |`);
