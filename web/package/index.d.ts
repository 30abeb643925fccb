// The types of the moonfold package: the calendar's facts as the C
// interface gives them (layout.d.ts, read from its header), and the calls.
import type { MoonfoldFacts, MoonfoldEvent as CEvent, MoonfoldLunarDate } from './layout.js';

export { constants } from './layout.js';
export type { MoonfoldFacts as Facts, MoonfoldMoment as Moment, MoonfoldDate, MoonfoldFestivalList } from './layout.js';

/** An ISO date ("2026-02-17") or date and time ("2026-02-17T08:30"), read
 *  as written, or a Date, read by its local fields. */
export type DateInput = string | Date;
export type Script = 'simplified' | 'traditional';
/** A holiday file's text (tab-separated rows: year, holiday, first and
 *  last day off, make-up days), read over the built-in years. */
export interface HolidayOptions {
  holidays?: string;
}
export interface TextOptions extends HolidayOptions {
  script?: Script;
}
export type EventKind = 'term' | 'lunar' | 'gregorian' | 'off' | 'work' | 'moon';
export interface EventOptions extends TextOptions {
  kinds?: EventKind[] | 'all';
}

export interface LunarDate {
  year: number;
  month: number;
  day: number;
  leap: boolean;
}

/** One dated event, with its name in the script asked for. */
export interface MoonfoldEvent extends Omit<CEvent, 'kind'> {
  kind: EventKind;
  name: string;
}

export type NameKind =
  | 'STEM' | 'BRANCH' | 'CYCLE' | 'ANIMAL' | 'WEEKDAY' | 'SOLAR_TERM' | 'STAR_SIGN' | 'LUNAR_MONTH'
  | 'LEAP_MONTH' | 'LUNAR_DAY' | 'FIXED_FESTIVAL' | 'WEEKDAY_FESTIVAL' | 'LAST_WEEK_FESTIVAL'
  | 'LUNAR_FESTIVAL' | 'COUNTDOWN_FESTIVAL' | 'HOLIDAY' | 'SEASON_PERIOD' | 'PENTAD' | 'MOON_PHASE'
  | 'DUTY' | 'TWELVE_GOD' | 'MANSION' | 'DIRECTION' | 'QUARTER' | 'PENGZU_STEM' | 'PENGZU_BRANCH'
  | 'ERA';

/** Loads the module; every other call may be made once it has resolved. */
export function init(options?: { wasm?: URL | string | ArrayBuffer | Uint8Array }): Promise<void>;
export function toLunar(date: DateInput): LunarDate;
export function fromLunar(date: { year: number; month: number; day: number; leap?: boolean | 0 | 1 }): string;
export function factsOf(dateTime: DateInput, options?: HolidayOptions): MoonfoldFacts;
export function text(keyword: string, dateTime: DateInput, options?: TextOptions): string;
export function name(kind: NameKind | number, id: number, options?: { script?: Script }): string;
export function events(firstYear: number, lastYear?: number, options?: EventOptions): MoonfoldEvent[];
export function workday(date: DateInput, options?: HolidayOptions): boolean;
export function yearAnnounced(year: number, options?: HolidayOptions): boolean;
export function range(): { first: string; last: string };
export function version(): string;
export function memoryInUse(): number;
export type { MoonfoldLunarDate };
