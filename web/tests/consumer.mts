// A TypeScript program of a user's, against the package's types under
// strict checking: each call's arguments and results as index.d.ts and the
// generated layout.d.ts give them.
import * as moonfold from 'moonfold';
import type { Facts, LunarDate, MoonfoldEvent } from 'moonfold';

await moonfold.init();
const lunar: LunarDate = moonfold.toLunar('2026-02-17');
const leap: boolean = lunar.leap;
const day: string = moonfold.fromLunar({ year: 2025, month: 6, day: 1, leap: true });
const facts: Facts = moonfold.factsOf(new Date(), { holidays: '' });
const numbers: number =
  facts.lunar.year + facts.pillarHour + facts.solarTermTime.minute + facts.fixedFestivals.ids[0] + facts.eraYear;
const events: MoonfoldEvent[] = moonfold.events(2026, 2026, { kinds: ['term', 'moon'], script: 'traditional' });
const words: string =
  events[0].kind + events[0].name + moonfold.text('LUNARDAY', '2026-02-17') + moonfold.name('CYCLE', facts.yearCycle);
const worked: boolean = moonfold.workday('2026-02-14') && moonfold.yearAnnounced(2026);
const off: number = moonfold.constants.DAY_OFF;
const range: { first: string; last: string } = moonfold.range();
console.log(leap, day, numbers, words, worked, off, range, moonfold.version(), moonfold.memoryInUse());
