// moonfold: the traditional Chinese calendar as it was issued, 1645–2100,
// in WebAssembly.  The module is the same C library that the command and
// the desktop plug-in are made of; this file turns its C interface into
// JavaScript: dates in, plain objects out, errors thrown.
//
// Call `await init()` once; every other call is synchronous.  A date is an
// ISO string ("2026-02-17", "2026-02-17T08:30", read as written, as Beijing
// wall time, the time the calendar is reckoned in) or a Date (read by its
// local fields, as the command reads the local clock).
import { constants, readMoonfoldDate, readMoonfoldEvent, readMoonfoldFacts, readMoonfoldLunarDate, sizes } from './layout.js';
import createMoonfold from './moonfold.js';

export { constants };

let module = null;
let loading = null;

// One block of the module's memory, taken at init and reused by every
// call, so that a call allocates nothing unless its text or input is long.
const FACTS = 0; // a moonfold_facts_t
const INTS = 512; // a few ints out
const TEXT = 1024; // a text out
const TEXT_SIZE = 4096;
const INPUT = TEXT + TEXT_SIZE; // a keyword in
const INPUT_SIZE = 1024;
const SCRATCH_SIZE = INPUT + INPUT_SIZE;
let scratch = 0;

const encoder = new TextEncoder();
const decoder = new TextDecoder();

/** Loads the module; the other calls may be made once it has resolved.
 *  `options.wasm` may give the module's bytes or their URL (by default
 *  moonfold.wasm beside this file). */
export function init(options = {}) {
  loading ??= load(options).catch((error) => {
    loading = null;
    throw error;
  });
  return loading;
}

async function load(options) {
  const where = options.wasm ?? new URL('./moonfold.wasm', import.meta.url);
  const wasmBinary = where instanceof URL || typeof where === 'string' ? await bytesOf(where) : where;
  const instance = await createMoonfold({ wasmBinary });
  scratch = instance._malloc(SCRATCH_SIZE);
  if (!scratch) throw new Error('moonfold: the module has no memory for its scratch block');
  module = instance;
}

async function bytesOf(where) {
  const url = new URL(where, import.meta.url);
  if (url.protocol === 'file:') {
    const { readFile } = await import('node:fs/promises');
    return readFile(url);
  }
  const response = await fetch(url);
  if (!response.ok) throw new Error(`moonfold: cannot load ${url}: ${response.status} ${response.statusText}`);
  return new Uint8Array(await response.arrayBuffer());
}

function ready() {
  if (!module) throw new Error('moonfold: call `await init()` before any other call');
  return module;
}

// The module's memory may grow, and its views with it: read them afresh.
const i32 = () => module.HEAP32;
const u8 = () => module.HEAPU8;

// Texts are mostly a few characters: decoded by hand they are made several
// times faster than by a TextDecoder, which is kept for long ones.  The
// library writes only whole, valid UTF-8.
function readText(pointer, length) {
  const bytes = u8();
  if (length > 96) return decoder.decode(bytes.subarray(pointer, pointer + length));
  let text = '';
  for (let i = pointer, end = pointer + length; i < end; ) {
    const b = bytes[i];
    let code;
    if (b < 0x80) {
      code = b;
      i += 1;
    } else if (b < 0xe0) {
      code = ((b & 0x1f) << 6) | (bytes[i + 1] & 0x3f);
      i += 2;
    } else if (b < 0xf0) {
      code = ((b & 0x0f) << 12) | ((bytes[i + 1] & 0x3f) << 6) | (bytes[i + 2] & 0x3f);
      i += 3;
    } else {
      code = ((b & 0x07) << 18) | ((bytes[i + 1] & 0x3f) << 12) | ((bytes[i + 2] & 0x3f) << 6) | (bytes[i + 3] & 0x3f);
      i += 4;
    }
    text += String.fromCodePoint(code);
  }
  return text;
}

function cString(pointer) {
  const bytes = u8();
  let end = pointer;
  while (bytes[end] !== 0) ++end;
  return readText(pointer, end - pointer);
}

// ---- input -------------------------------------------------------------

// "YYYY-MM-DD", then maybe "THH:MM" (or "TH:MM"), then maybe ":SS" and a
// fraction, which are ignored: read by hand, for a call takes less time
// than a regular expression.
const digit = (text, i) => {
  const c = text.charCodeAt(i) - 48;
  return c >= 0 && c <= 9 ? c : -1;
};
function number(text, from, to) {
  let n = 0;
  for (let i = from; i < to; ++i) {
    const d = digit(text, i);
    if (d < 0) return -1;
    n = n * 10 + d;
  }
  return n;
}
function parseIso(text) {
  const n = text.length;
  if (n < 10 || text[4] !== '-' || text[7] !== '-') return null;
  const year = number(text, 0, 4);
  const month = number(text, 5, 7);
  const day = number(text, 8, 10);
  if (year < 0 || month < 0 || day < 0) return null;
  if (n === 10) return [year, month, day, 0, 0];
  if (text[10] !== 'T') return null;
  const colon = text[12] === ':' ? 12 : text[13] === ':' ? 13 : -1;
  if (colon < 0 || n < colon + 3) return null;
  const hour = number(text, 11, colon);
  const minute = number(text, colon + 1, colon + 3);
  if (hour < 0 || minute < 0) return null;
  let i = colon + 3;
  if (i < n) {
    const seconds = number(text, i + 1, i + 3);
    if (text[i] !== ':' || seconds < 0 || seconds > 60) return null;
    i += 3;
    if (i < n && (text[i] !== '.' || i + 1 === n || number(text, i + 1, n) < 0)) return null;
  }
  return [year, month, day, hour, minute];
}

function shown(value) {
  if (typeof value === 'string') return JSON.stringify(value.length > 80 ? `${value.slice(0, 80)}…` : value);
  if (value instanceof Date) return `Date(${Number.isNaN(value.getTime()) ? 'invalid' : value.toString()})`;
  try {
    return JSON.stringify(value) ?? String(value);
  } catch {
    return String(value);
  }
}

// Each call names itself and its input in its errors: `call` makes that
// text, only when there is an error to give.

/** [year, month, day, hour, minute] of a date argument. */
function momentOf(value, call) {
  if (typeof value === 'string') {
    const moment = parseIso(value);
    if (moment && (moment[3] > 23 || moment[4] > 59)) {
      // A day's calls take no time, but a time that is none is no input.
      throw new RangeError(`${call()}: ${shown(value)} has no such time of day (hour 0..23, minute 0..59)`);
    }
    if (moment) return moment;
    throw new TypeError(`${call()}: ${shown(value)} is not a date: write YYYY-MM-DD or YYYY-MM-DDTHH:MM`);
  }
  if (value instanceof Date) {
    if (Number.isNaN(value.getTime())) throw new TypeError(`${call()}: the Date is invalid`);
    return [value.getFullYear(), value.getMonth() + 1, value.getDate(), value.getHours(), value.getMinutes()];
  }
  throw new TypeError(`${call()}: ${shown(value)} is not a date: give "YYYY-MM-DD", "YYYY-MM-DDTHH:MM" or a Date`);
}

function scriptOf(options, call) {
  const script = options?.script ?? 'simplified';
  if (script === 'simplified' || script === constants.SCRIPT_SIMPLIFIED) return constants.SCRIPT_SIMPLIFIED;
  if (script === 'traditional' || script === constants.SCRIPT_TRADITIONAL) return constants.SCRIPT_TRADITIONAL;
  throw new TypeError(`${call()}: the script ${shown(script)} is neither "simplified" nor "traditional"`);
}

function integer(value, what, call) {
  if (!Number.isInteger(value)) throw new TypeError(`${call()}: ${what} ${shown(value)} is not an integer`);
  // The C interface takes ints: a larger number is out of any range.
  return Math.max(-0x80000000, Math.min(0x7fffffff, value));
}

// The UTF-8 of the keywords met so far: a page asks for the same few
// again and again.
const encoded = new Map();
function utf8(text) {
  let bytes = encoded.get(text);
  if (bytes === undefined) {
    bytes = encoder.encode(text);
    if (text.length <= 32 && encoded.size < 256) encoded.set(text, bytes);
  }
  return bytes;
}

/** Writes a string as a zero-ended UTF-8 text into the module, and calls
 *  `use` with its address and length: at `place` in the scratch block, or,
 *  for a text longer than its room there, in memory of its own for the
 *  call. */
function withCString(text, use, place = INPUT) {
  const bytes = utf8(text);
  const own = bytes.length >= INPUT_SIZE ? module._malloc(bytes.length + 1) : 0;
  if (bytes.length >= INPUT_SIZE && !own) throw new Error('moonfold: out of memory');
  const at = own || scratch + place;
  try {
    u8().set(bytes, at);
    u8()[at + bytes.length] = 0;
    return use(at, bytes.length);
  } finally {
    if (own) module._free(own);
  }
}

// ---- results -----------------------------------------------------------

const RANGE_ERRORS = new Set([
  constants.ERROR_RANGE,
  constants.ERROR_DATE,
  constants.ERROR_TIME,
  constants.ERROR_UNANNOUNCED,
]);

function check(code, call) {
  if (code >= 0) return code;
  const reason = cString(module._moonfold_strerror(code));
  if (RANGE_ERRORS.has(code)) throw new RangeError(`${call()}: ${reason}`);
  if (code === constants.ERROR_MEMORY) throw new Error(`${call()}: ${reason}`);
  throw new TypeError(`${call()}: ${reason}`);
}

const pad = (n, width = 2) => String(n).padStart(width, '0');
const isoDate = ({ year, month, day }) => `${pad(year, 4)}-${pad(month)}-${pad(day)}`;

// ---- holiday files -----------------------------------------------------

// The arrangement of the holiday file last given, kept while the same
// text comes again (as it does call after call), freed when another does.
let arrangement = { text: null, pointer: 0 };

function arrangementOf(options, call) {
  const text = options?.holidays;
  if (text === undefined || text === null) return 0;
  if (typeof text !== 'string') throw new TypeError(`${call()}: holidays must be a holiday file's text, not ${shown(text)}`);
  if (text === arrangement.text) return arrangement.pointer;
  const pointer = withCString(text, (at, length) =>
    withCString('holidays', (name) => module._moonfold_arrangement_read(name, at, length, scratch + TEXT, TEXT_SIZE), INTS),
  );
  if (!pointer) throw new TypeError(`${call()}: ${cString(scratch + TEXT)}`);
  module._moonfold_arrangement_close(arrangement.pointer);
  arrangement = { text, pointer };
  return pointer;
}

// ---- the calendar ------------------------------------------------------

/** The lunar date of a day: {year, month, day, leap}. */
export function toLunar(date) {
  const call = () => `toLunar(${shown(date)})`;
  ready();
  const [year, month, day] = momentOf(date, call);
  const out = scratch + INTS;
  check(module._moonfold_to_lunar(year, month, day, out), call);
  const lunar = readMoonfoldLunarDate(i32(), out >> 2);
  lunar.leap = lunar.leap === 1;
  return lunar;
}

/** The Gregorian day ("YYYY-MM-DD") of a lunar date. */
export function fromLunar(lunar) {
  const call = () => `fromLunar(${shown(lunar)})`;
  ready();
  if (typeof lunar !== 'object' || lunar === null) throw new TypeError(`${call()}: give {year, month, day, leap}`);
  const fields = [integer(lunar.year, 'the year', call), integer(lunar.month, 'the month', call),
    integer(lunar.day, 'the day', call), lunar.leap === true || lunar.leap === 1 ? 1 : 0];
  if (lunar.leap !== undefined && typeof lunar.leap !== 'boolean' && lunar.leap !== 0 && lunar.leap !== 1) {
    throw new TypeError(`${call()}: leap ${shown(lunar.leap)} is neither true nor false`);
  }
  const input = scratch + INTS;
  // The year, month and day out stand one after another, as in a
  // moonfold_date.
  const out = input + 16;
  i32().set(fields, input >> 2);
  check(module._moonfold_from_lunar(input, out, out + 4, out + 8), call);
  return isoDate(readMoonfoldDate(i32(), out >> 2));
}

/** Every fact of a moment, as the C interface's moonfold_facts_t gives
 *  them: numbers and ids, which name() names. */
export function factsOf(dateTime, options = {}) {
  const call = () => `factsOf(${shown(dateTime)})`;
  ready();
  const moment = momentOf(dateTime, call);
  const held = arrangementOf(options, call);
  const out = scratch + FACTS;
  i32()[out >> 2] = sizes.moonfold_facts;
  check(module._moonfold_facts_with(...moment, held, out), call);
  return readMoonfoldFacts(i32(), out >> 2);
}

/** The text of a keyword at a moment, as the plug-in and the command show
 *  it ("DATE", "LUNARDAY", "PILLARS" …), in simplified or traditional
 *  characters. */
export function text(keyword, dateTime, options = {}) {
  const call = () => `text(${shown(keyword)}, ${shown(dateTime)})`;
  ready();
  if (typeof keyword !== 'string' || keyword.includes('\0')) throw new TypeError(`${call()}: ${shown(keyword)} is not a keyword`);
  const moment = momentOf(dateTime, call);
  const script = scriptOf(options, call);
  const held = arrangementOf(options, call);
  return withCString(keyword, (word) => {
    const length = check(module._moonfold_text_with(word, ...moment, script, held, scratch + TEXT, TEXT_SIZE), call);
    if (length < TEXT_SIZE) return readText(scratch + TEXT, length);
    const own = module._malloc(length + 1);
    if (!own) throw new Error(`${call()}: out of memory`);
    try {
      module._moonfold_text_with(word, ...moment, script, held, own, length + 1);
      return readText(own, length);
    } finally {
      module._free(own);
    }
  });
}

const NAME_KINDS = Object.fromEntries(
  Object.entries(constants)
    .filter(([key]) => key.startsWith('NAME_') && key !== 'NAME_KIND_COUNT')
    .map(([key, value]) => [key.slice('NAME_'.length), value]),
);

/** The name of an id of a kind of name ("SOLAR_TERM", "CYCLE" … or the
 *  constant NAME_ value), as factsOf and events give ids. */
export function name(kind, id, options = {}) {
  const call = () => `name(${shown(kind)}, ${shown(id)})`;
  ready();
  const number = typeof kind === 'string' ? NAME_KINDS[kind] : kind;
  if (!Number.isInteger(number)) throw new TypeError(`${call()}: ${shown(kind)} is not a kind of name`);
  const script = scriptOf(options, call);
  const length = check(module._moonfold_name(number, integer(id, 'the id', call), script, scratch + TEXT, TEXT_SIZE), call);
  return readText(scratch + TEXT, length);
}

const EVENT_KINDS = Object.fromEntries(
  Object.entries(constants)
    .filter(([key, value]) => key.startsWith('EVENT_') && value > 0 && (value & (value - 1)) === 0)
    .map(([key, value]) => [key.slice('EVENT_'.length).toLowerCase(), value]),
);
const EVENT_KIND_NAMES = Object.fromEntries(Object.entries(EVENT_KINDS).map(([key, value]) => [value, key]));

function kindsOf(kinds, call) {
  if (kinds === undefined) return constants.EVENT_DEFAULT;
  if (kinds === 'all') return constants.EVENT_ALL;
  if (!Array.isArray(kinds)) throw new TypeError(`${call()}: kinds must be an array of ${Object.keys(EVENT_KINDS).join(', ')}, or "all"`);
  let bits = 0;
  for (const kind of kinds) {
    if (!(kind in EVENT_KINDS)) {
      throw new TypeError(`${call()}: ${shown(kind)} is not a kind of event: ${Object.keys(EVENT_KINDS).join(', ')}`);
    }
    bits |= EVENT_KINDS[kind];
  }
  return bits;
}

/** The events of the Gregorian years firstYear … lastYear in date order:
 *  solar terms at their minute, festivals, days off and make-up days, new
 *  and full moons ({kinds: ["term", "lunar", "gregorian", "off", "work",
 *  "moon"]}; by default terms, lunar festivals, days off and make-up days,
 *  as the command's --year lists them). */
export function events(firstYear, lastYear = firstYear, options = {}) {
  const call = () => `events(${shown(firstYear)}, ${shown(lastYear)})`;
  ready();
  const first = integer(firstYear, 'the first year', call);
  const last = integer(lastYear, 'the last year', call);
  const kinds = kindsOf(options.kinds, call);
  const script = scriptOf(options, call);
  const held = arrangementOf(options, call);
  const count = check(module._moonfold_events_with(first, last, kinds, held, 0, 0), call);
  const size = sizes.moonfold_event;
  const block = module._malloc(Math.max(1, count) * size);
  if (!block) throw new Error(`${call()}: out of memory`);
  try {
    i32()[block >> 2] = size;
    check(module._moonfold_events_with(first, last, kinds, held, block, count), call);
    const list = [];
    for (let i = 0; i < count; ++i) {
      const event = readMoonfoldEvent(i32(), (block + i * size) >> 2);
      event.kind = EVENT_KIND_NAMES[event.kind];
      event.name = name(event.nameKind, event.id, { script });
      list.push(event);
    }
    return list;
  } finally {
    module._free(block);
  }
}

/** Whether a day is worked in China: true on a working day, false on a day
 *  off; a year no notice has announced throws a RangeError.  `holidays`
 *  gives a holiday file's text, over the built-in years. */
export function workday(date, options = {}) {
  const call = () => `workday(${shown(date)})`;
  ready();
  const [year, month, day] = momentOf(date, call);
  return check(module._moonfold_workday(year, month, day, arrangementOf(options, call)), call) === 0;
}

/** Whether the official days of a Gregorian year are known. */
export function yearAnnounced(year, options = {}) {
  const call = () => `yearAnnounced(${shown(year)})`;
  ready();
  return module._moonfold_year_announced(integer(year, 'the year', call), arrangementOf(options, call)) === 1;
}

/** The calendar's first and last day. */
export function range() {
  ready();
  const out = scratch + INTS;
  const last = out + sizes.moonfold_date;
  check(module._moonfold_range(out, last), () => 'range()');
  return { first: isoDate(readMoonfoldDate(i32(), out >> 2)), last: isoDate(readMoonfoldDate(i32(), last >> 2)) };
}

/** The library's version, "major.minor.patch". */
export function version() {
  return cString(ready()._moonfold_version());
}

/** Bytes of the module's memory in use: what a leak would make grow. */
export function memoryInUse() {
  return ready()._moonfold_web_heap_in_use();
}
