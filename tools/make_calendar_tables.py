#!/usr/bin/python3
"""Makes Moonfold's calendar tables, 1645-2100, and writes them.

A calendar of a past year is the one that was issued for it.

  * 1645-1911, the Qing court's calendar (时宪历), cannot be computed: its
    months and term days came from the court's own reckoning.  They are
    taken from the record (tools/data/record-months-1645-1911.csv and
    record-terms-1645-1911.csv; their source is tools/data/qing-record.md),
    and the tool fails if its tables and the record differ anywhere.  The
    record gives days; the minute of a term of these years can only be
    today's reckoning, and where the issued day differs from today's
    reckoning the tables put the term at the minute of its issued day
    nearest the reckoning (00:00 when the reckoning falls the day before,
    23:59 when it falls the day after), so that everything counting from
    the term counts from its issued day.
  * From 1912 the calendar is reckoned as GB/T 33661-2017 sets it out, in
    Beijing time (UTC+8), from the new moons and the apparent solar
    longitudes of tools/calendar_astronomy.py (ERFA's Sun, PyEphem's Moon,
    one ΔT for both): a lunar month begins on the Beijing date of its new
    moon; the solar terms are the instants at which the sun's apparent
    longitude reaches a multiple of 15 degrees, the twelve at multiples of
    30 the principal terms (中气); the month that holds the winter solstice
    (冬至) is the eleventh; when thirteen months run from one eleventh month
    to the next, the first without a principal term is the leap month,
    numbered as the month before it.  Where the issued calendars depart
    from that rule, the record decides: tools/data/issued-months.tsv and
    issued-terms.tsv, each row with its source, and nothing else is
    decided.

After the last year of observed ΔT the days are only predicted.  A term or a
new moon is *uncertain* when its Beijing day is not the same for every ΔT
within U = 10 s + 1.5 s for each year after 2025 of the tables' ΔT.  The
tool lists them, and fails unless they are the six of UNCERTAIN.

The result is checked against second, independent engines:

  * lunar-javascript's days and terms (tests/data/calendar_reference.tsv and
    solar_term_reference.tsv, written by tools/make_reference.js): each
    difference must be a decision of the record or an uncertain day;
  * PyEphem's Sun, the terms found again with the same ΔT;
  * astronomy-engine's phases of the moon (tests/data/moon_phase_reference.tsv,
    written by tools/make_moon_reference.js with the tables' ΔT, which this
    tool writes to tests/data/delta_t.tsv): within two minutes.

Writes:
  lunar/lunar_year_data.h     the months of the lunar years 1645-2100
  cycles/solar_term_data.h    the instant of every solar term 1645-2100
  lunar/moon_phase_data.h     the instant of every principal phase 1644-2101
  tests/data/delta_t.tsv      the tables' ΔT, monthly, for the second engine

Usage (from the project root, after `npm run reference` in tools/):
  tools/make_calendar_tables.py [--out DIR]

With --out the files are written below DIR instead of the project (the test
suite does so to prove that the tool still makes the checked-in tables).
"""

import argparse
import bisect
import csv
import datetime
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import calendar_astronomy as sky  # noqa: E402
import cxx_format  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DATA = os.path.join(ROOT, 'tools', 'data')
# The first lunar year and the first year of terms; the last year of the
# record, whose lunar year ends in 1912; the last year of the tables.
FIRST_YEAR, RECORD_LAST_YEAR, LAST_YEAR = 1645, 1911, 2100
WINTER_SOLSTICE = 23  # term index of 冬至; index 0 is 小寒, at 285 degrees

# The last year of observed ΔT, and the margin of the predicted ΔT after it.
LAST_OBSERVED_YEAR = 2025
MARGIN_SECONDS, MARGIN_SECONDS_PER_YEAR = 10.0, 1.5
# The terms (year, index) and new moons (their Beijing day) whose day the
# prediction cannot settle.
UNCERTAIN = {
    ('term', (2051, 5)), ('moon', datetime.date(2057, 9, 29)), ('term', (2083, 2)),
    ('term', (2084, 5)), ('moon', datetime.date(2089, 9, 4)), ('moon', datetime.date(2097, 8, 8)),
}


def data_rows(name):
    """The tab-separated rows of a file of tools/data, '#' lines skipped."""
    with open(os.path.join(DATA, name), encoding='utf-8') as f:
        return [line.rstrip('\n').split('\t') for line in f if line.strip() and line[0] != '#']


def read_decisions():
    """The record's decisions of 1912-2100: terms (year, index) -> (the
    issued Beijing minute, why), and months: the rule's first day -> (the
    issued first day, why)."""
    terms = {(int(y), int(i)): (datetime.datetime.fromisoformat(when), why)
             for y, i, when, why in data_rows('issued-terms.tsv')}
    months = {datetime.date.fromisoformat(rule): (datetime.date.fromisoformat(issued), why)
              for rule, issued, _name, why in data_rows('issued-months.tsv')}
    return terms, months


def read_record():
    """The record of 1645-1911: its months (first day, lunar year, month,
    leap) in order, and the issued day of each term (year, index)."""
    with open(os.path.join(DATA, 'record-months-1645-1911.csv'), encoding='utf-8') as f:
        months = [(datetime.date.fromisoformat(r['gregorian_start']), int(r['lunar_year']),
                   int(r['month']), r['leap'] == '1') for r in csv.DictReader(f)]
    with open(os.path.join(DATA, 'record-terms-1645-1911.csv'), encoding='utf-8') as f:
        terms = {(int(r['year']), int(r['term_index'])): datetime.date.fromisoformat(r['issued_date'])
                 for r in csv.DictReader(f)}
    if len(terms) != 24 * (RECORD_LAST_YEAR - FIRST_YEAR + 1):
        sys.exit(f'the record holds {len(terms)} terms, not every term of '
                 f'{FIRST_YEAR}-{RECORD_LAST_YEAR}')
    return months, terms


def margin(moment):
    """How far ΔT may lie from the tables' at a Beijing datetime, in seconds:
    nothing up to the end of the observations."""
    years = (moment - datetime.datetime(LAST_OBSERVED_YEAR + 1, 1, 1)).days / 365.25
    return MARGIN_SECONDS + MARGIN_SECONDS_PER_YEAR * years if years > 0 else 0.0


def day_in_doubt(moment):
    """Whether a Beijing datetime's date moves within the margin of ΔT."""
    spread = datetime.timedelta(seconds=margin(moment))
    return (moment - spread).date() != (moment + spread).date()


def whole_seconds(moment):
    return moment.replace(microsecond=0)


def nearest_on(day, instant):
    """The minute of `day` nearest `instant`, which lies on another day."""
    if instant.date() < day:
        return datetime.datetime.combine(day, datetime.time(0, 0))
    return datetime.datetime.combine(day, datetime.time(23, 59))


def compute_terms(record_terms, decided_terms, differences):
    """The terms of 1644..2101 (the calendar needs the neighbours of the
    range): their TT Julian dates, today's reckoning in Beijing time, and
    the instants the tables show — the record's days before 1912, the
    decisions of the record after."""
    tts, reckoned = {}, {}
    for year in range(FIRST_YEAR - 1, LAST_YEAR + 2):
        for index in range(24):
            tt = sky.term_tt(year, index)
            instant = sky.beijing(tt)
            if instant.year != year:
                sys.exit(f'term {index} of {year} computed in {instant.year}')
            tts[(year, index)], reckoned[(year, index)] = tt, instant
    shown = dict(reckoned)
    departures = {}
    for key, issued in record_terms.items():
        if reckoned[key].date() != issued:
            shown[key] = nearest_on(issued, reckoned[key])
            departures[key] = reckoned[key]
    if any(key[0] >= 1900 for key in departures):
        sys.exit('the record of 1900-1911 departs from today\'s reckoning: it should not')
    for key, (issued, why) in decided_terms.items():
        rule = reckoned[key]
        if rule.date() == issued.date() or abs((rule - issued).total_seconds()) > 3600:
            sys.exit(f'{key[0]} term {key[1]}: the issued {issued} decides nothing against {rule}')
        differences.append((f'{key[0]} term {key[1]}', f'{rule:%Y-%m-%d %H:%M:%S}',
                            f'{issued:%Y-%m-%d %H:%M} as issued', why))
        shown[key] = issued
        departures[key] = rule
    return tts, reckoned, shown, departures


def month_starts(new_moons, decided_months, differences):
    """The Beijing dates on which the months begin by the rule, from the new
    moons' Beijing instants, with the decisions of 1912-2100 applied."""
    starts = []
    for instant in new_moons:
        day = instant.date()
        decided = decided_months.get(day)
        if decided is not None:
            differences.append((f'month starting {decided[0]}',
                                f'{day} (new moon {instant:%H:%M:%S})', str(decided[0]),
                                decided[1]))
            day = decided[0]
        starts.append(day)
    return starts


def number_months(starts, terms, first_year):
    """Numbers every month by the rule from the eleventh month of lunar
    `first_year` on: month index -> (lunar year, month, leap)."""
    principal_dates = sorted(terms[(y, i)].date() for (y, i) in terms if i % 2 == 1)
    solstices = {y: terms[(y, WINTER_SOLSTICE)].date() for y in range(first_year, LAST_YEAR + 2)}

    def month_holding(day):
        return bisect.bisect_right(starts, day) - 1

    def has_principal_term(i):
        at = bisect.bisect_left(principal_dates, starts[i])
        return at < len(principal_dates) and principal_dates[at] < starts[i + 1]

    numbered = {}
    for year in range(first_year, LAST_YEAR + 1):
        first = month_holding(solstices[year])
        last = month_holding(solstices[year + 1])
        leap_at = None
        if last - first == 13:
            leap_at = next(i for i in range(first + 1, last) if not has_principal_term(i))
        elif last - first != 12:
            sys.exit(f'{last - first} months between the solstices of {year} and {year + 1}')
        number, lunar_year = 11, year
        for i in range(first, last):
            if i == leap_at:
                numbered[i] = (lunar_year, number, True)
                continue
            if i != first:
                number += 1
                if number == 13:
                    number, lunar_year = 1, lunar_year + 1
            numbered[i] = (lunar_year, number, False)
    return numbered


def rule_months(starts, reckoned_terms):
    """Every month by the rule from lunar 1645 on, as (lunar year, month,
    leap, first day, days)."""
    numbered = number_months(starts, reckoned_terms, FIRST_YEAR - 1)
    return [numbered[i] + (starts[i], (starts[i + 1] - starts[i]).days)
            for i in sorted(numbered) if numbered[i][0] >= FIRST_YEAR]


def join_months(record_months, by_rule):
    """The tables' months: the record's to lunar 1911, then the rule's; the
    record's last month ends where the rule's lunar 1912 begins."""
    after = [m for m in by_rule if m[0] > RECORD_LAST_YEAR]
    months = []
    for k, (first, year, number, leap) in enumerate(record_months):
        end = record_months[k + 1][0] if k + 1 < len(record_months) else after[0][3]
        months.append((year, number, leap, first, (end - first).days))
    return months + after


def check_record(months, by_rule, record_months, record_terms, shown, departures):
    """Fails unless the tables are the record wherever it speaks, and the
    rule is the record from 1900 on; prints where the rule departs from it."""
    table = {(m[0], m[1], m[2]): m[3] for m in months}
    for first, year, number, leap in record_months:
        if table.get((year, number, leap)) != first:
            sys.exit(f'the tables and the record differ at lunar {year}-{number}{"L" * leap}')
    for key, issued in record_terms.items():
        if shown[key].date() != issued:
            sys.exit(f'the tables and the record differ at term {key}')
    rule = {(m[0], m[1], m[2]): m[3] for m in by_rule if m[0] <= RECORD_LAST_YEAR}
    record = {(year, number, leap): first for first, year, number, leap in record_months}
    apart = sorted(set(k for k in set(rule) | set(record) if rule.get(k) != record.get(k)))
    if any(k[0] >= 1900 for k in apart):
        sys.exit('today\'s reckoning of 1900-1911 departs from the record: it should not')
    years = sorted({k[0] for k in apart})
    term_days = sum(1 for key in record_terms if key in departures)
    print(f'Today\'s reckoning departs from the record of the Qing calendars in '
          f'{sum(1 for k in apart if k in record)} months of {len(years)} lunar years '
          f'({", ".join(map(str, years))}), and in {term_days} term days '
          f'({sum(1 for k in record_terms if k in departures and k[0] >= 1734)} from 1734); '
          f'the record stands.')


def compute():
    """Everything the tables hold:

      months       (lunar year, month, leap, first day, days), lunar 1645-2100
      terms        (year, index) -> the Beijing instant the tables show
      reckoned     (year, index) -> today's reckoning of it, to the microsecond
      departures   (year, index) -> today's reckoning of the terms whose
                   tables' day is another (the record's days)
      term_tts     (year, index) -> its Julian date (TT)
      phases       the Beijing instants of the principal phases, from the
                   first new moon after 1644-12-01 to January 2101
      moon_of_start  the new moon of each month start from 1912
      differences  (what, rule, tables, why): the decisions of 1912-2100
    """
    differences = []
    decided_terms, decided_months = read_decisions()
    record_months, record_terms = read_record()
    term_tts, reckoned, terms, departures = compute_terms(record_terms, decided_terms,
                                                          differences)
    phase_tts = sky.moon_phases_tt(sky.ephem.Date('1643/9/1'), sky.ephem.Date('2102/3/1'))
    all_phases = [sky.beijing(tt) for tt in phase_tts]
    new_moons = all_phases[0::4]
    starts = month_starts(new_moons, decided_months, differences)
    by_rule = rule_months(starts, reckoned)
    months = join_months(record_months, by_rule)
    check_record(months, by_rule, record_months, record_terms, terms, departures)
    moon_of_start = {starts[i]: new_moons[i] for i in range(len(starts))
                     if starts[i].year > RECORD_LAST_YEAR}
    first = next(k for k, t in enumerate(all_phases)
                 if k % 4 == 0 and t >= datetime.datetime(FIRST_YEAR - 1, 12, 1))
    phases = [t for t in all_phases[first:] if t < datetime.datetime(LAST_YEAR + 1, 2, 1)]
    return {'months': months, 'terms': terms, 'reckoned': reckoned, 'departures': departures,
            'term_tts': term_tts, 'phases': phases, 'moon_of_start': moon_of_start,
            'differences': differences, 'decided_terms': decided_terms}


def find_uncertain(tables):
    """The terms and month starts whose Beijing day the margin of ΔT leaves
    in doubt, as (kind, key, instant), in time order; exits unless they are
    the ones UNCERTAIN lists."""
    found = []
    for key, instant in tables['reckoned'].items():
        if RECORD_LAST_YEAR < key[0] <= LAST_YEAR and day_in_doubt(instant):
            found.append(('term', key, instant))
    for start, instant in tables['moon_of_start'].items():
        if start.year <= LAST_YEAR and day_in_doubt(instant):
            found.append(('moon', start, instant))
    found.sort(key=lambda f: f[2])
    print(f'Uncertain days, which a ΔT within {MARGIN_SECONDS:.0f} s + {MARGIN_SECONDS_PER_YEAR} s '
          f'a year after {LAST_OBSERVED_YEAR} of the tables\' would move:')
    for kind, key, instant in found:
        what = f'{key[0]} term {key[1]}' if kind == 'term' else f'the new moon of {key}'
        print(f'  {what}: {instant:%Y-%m-%d %H:%M:%S}, ± {margin(instant):.0f} s')
    if {(kind, key) for kind, key, _ in found} != UNCERTAIN:
        sys.exit('the uncertain days are not the ones the tool lists in UNCERTAIN')
    return found


def uncertain_days(months, found):
    """The Gregorian days whose lunar date is uncertain: every day of a
    month whose first day is, and the last day of the month before it."""
    starts = {key for kind, key, _ in found if kind == 'moon'}
    days = set()
    for year, number, leap, first, length in months:
        if first in starts:
            days.add(first - datetime.timedelta(days=1))
            days.update(first + datetime.timedelta(days=k) for k in range(length))
    return days


def pack_years(months):
    """Month bits and leap month of each lunar year 1645..2100, as the
    tables hold them, with its first day."""
    years = {}
    for year, number, leap, first, days in months:
        years.setdefault(year, []).append((number, leap, first, days))
    packed = []
    for year in range(FIRST_YEAR, LAST_YEAR + 1):
        ms = years[year]
        if len(ms) not in (12, 13) or [m[0] for m in ms if not m[1]] != list(range(1, 13)):
            sys.exit(f'lunar {year}: months {[(m[0], m[1]) for m in ms]}')
        bits, leap_month = 0, 0
        for position, (number, leap, first, days) in enumerate(ms):
            if days == 30:
                bits |= 1 << (15 - position)
            elif days != 29:
                sys.exit(f'lunar {year}-{number}: {days} days')
            if leap:
                leap_month = number
        packed.append((year, bits, leap_month, ms[0][2]))
    return packed


def read_reference():
    days = {}
    with open(os.path.join(ROOT, 'tests/data/calendar_reference.tsv'), encoding='utf-8') as f:
        for line in f:
            if line.startswith('#'):
                continue
            date, y, m, d, leap, _term, _cycle = line.rstrip('\n').split('\t')
            days[datetime.date.fromisoformat(date)] = (int(y), int(m), int(d), leap == '1')
    terms = {}
    with open(os.path.join(ROOT, 'tests/data/solar_term_reference.tsv'), encoding='utf-8') as f:
        for line in f:
            if line.startswith('#'):
                continue
            y, i, name, when = line.rstrip('\n').split('\t')
            terms[(int(y), int(i))] = (name, datetime.datetime.fromisoformat(when))
    return days, terms


def check(tables, found, ref_days, ref_terms):
    """Prints every difference from the rule and from the second engines;
    returns the number that no decision or uncertain day explains."""
    print('The plain rule and the tables differ where the record decides, 1912-2100:')
    for what, rule, shown, why in tables['differences']:
        print(f'  {what}: rule {rule}, tables {shown} — {why}')
    first_day = tables['months'][0][3]
    expected_days = (datetime.date(LAST_YEAR, 12, 31) - first_day).days + 1
    if len(ref_days) != expected_days or len(ref_terms) != 24 * (LAST_YEAR - FIRST_YEAR + 1):
        sys.exit('the reference files are incomplete: run `npm run reference` in tools/')
    doubtful = uncertain_days(tables['months'], found)
    uncertain_terms = {key for kind, key, _ in found if kind == 'term'}
    unexplained = 0
    print('The tables and the second engine (lunar-javascript) differ:')
    by_day = {}
    for year, number, leap, first, days in tables['months']:
        for k in range(days):
            by_day[first + datetime.timedelta(days=k)] = (year, number, k + 1, leap)
    apart = sorted(day for day, expected in ref_days.items() if by_day.get(day) != expected)
    for day in apart:
        if day not in doubtful:
            print(f'  {day}: tables {by_day.get(day)}, lunar-javascript {ref_days[day]}')
            unexplained += 1
    if apart:
        print(f'  {len(apart) - unexplained} lunar dates of {apart[0]} … {apart[-1]}: '
              'uncertain days (lunar-javascript keeps an older ΔT)')
    return unexplained + check_reference_terms(tables, ref_terms, uncertain_terms)


def check_reference_terms(tables, ref_terms, uncertain_terms):
    """The terms against lunar-javascript's: today's reckoning within two
    minutes from 1912 (five before, where the two ΔTs part more), and a day
    apart only where the record or an uncertain day says so."""
    worst, unexplained, record_days = {True: 0, False: 0}, 0, 0
    for key, (name, expected) in sorted(ref_terms.items()):
        old = key[0] <= RECORD_LAST_YEAR
        reckoned = tables['reckoned'][key].replace(second=0, microsecond=0)
        seconds = abs((reckoned - expected).total_seconds())
        if seconds > (300 if old else 120) and key not in tables['decided_terms'] and \
                key not in uncertain_terms:
            print(f'  {key[0]} {name}: reckoned {reckoned:%Y-%m-%d %H:%M}, lunar-javascript '
                  f'{expected:%Y-%m-%d %H:%M} — UNEXPLAINED')
            unexplained += 1
            continue
        worst[old] = max(worst[old], seconds)
        shown = tables['terms'][key]
        if shown.date() == expected.date():
            continue
        # Before 1912 the day is the record's (check_record holds it so),
        # whatever either reckoning says.
        if old:
            record_days += 1
            continue
        why = ('decided by the record' if key in tables['decided_terms']
               else 'an uncertain day' if key in uncertain_terms else None)
        print(f'  {key[0]} {name}: tables {shown:%Y-%m-%d %H:%M}, lunar-javascript '
              f'{expected:%Y-%m-%d %H:%M} — {why or "UNEXPLAINED"}')
        unexplained += why is None
    print(f'  {record_days} term days of {FIRST_YEAR}-{RECORD_LAST_YEAR}: the record of the issued '
          f'calendars gives the day, lunar-javascript reckons it')
    print(f'Today\'s reckonings of the terms agree with lunar-javascript\'s within '
          f'{worst[False]:.0f} s from 1912, {worst[True]:.0f} s before.')
    return unexplained


def check_second_sun(tables):
    """The largest difference, in seconds, between ERFA's terms and PyEphem's
    Sun found again in the same time scale; exits past 40 seconds (ERFA's
    Earth is fitted to 1900-2100 and holds within that centuries away)."""
    worst = 0.0
    for key, tt in tables['term_tts'].items():
        if FIRST_YEAR <= key[0] <= LAST_YEAR:
            worst = max(worst, abs(sky.ephem_term_tt(key[1], tt) - tt) * 86400)
    print(f'ERFA\'s and PyEphem\'s Suns give every term within {worst:.1f} s.')
    if worst > 40:
        sys.exit('the two Suns differ by more than 40 s')
    return worst


HEADER = '''\
// Generated by tools/make_calendar_tables.py from the record of the calendars
// as issued and, from 1912, ERFA's Sun and PyEphem's Moon with Skyfield's ΔT
// (Beijing time, UTC+8); checked against lunar-javascript, PyEphem's Sun
// and astronomy-engine.  Do not edit: change the data or the tool and run it
// again.
'''


def write_header(out, path, text):
    cxx_format.write(out, path, text)


def write_lunar_years(packed, found, out):
    rows = []
    for i in range(0, len(packed), 8):
        chunk = packed[i:i + 8]
        rows.append('    ' + ' '.join(f'0x{bits:04X},' for _, bits, _, _ in chunk) +
                    f'  // {chunk[0][0]}')
    leaps = []
    for i in range(0, len(packed), 20):
        chunk = packed[i:i + 20]
        leaps.append('    ' + ' '.join(f'{leap},' for _, _, leap, _ in chunk) +
                     f'  // {chunk[0][0]}')
    first_new_year = packed[0][3]
    starts = [f'    {{{{{key.year}, {key.month}, {key.day}}}}},  // new moon {instant:%Y-%m-%d %H:%M:%S}'
              for kind, key, instant in found if kind == 'moon']
    text = HEADER + f'''//
// The months of the lunar years {FIRST_YEAR} to {LAST_YEAR}: to {RECORD_LAST_YEAR} the record of the Qing
// calendars (tools/data/record-months-{FIRST_YEAR}-{RECORD_LAST_YEAR}.csv), then the rule.
#pragma once

#include <array>
#include <cstdint>

namespace moonfold {{

inline constexpr int kFirstLunarDataYear = {FIRST_YEAR};
inline constexpr int kLastLunarDataYear = {LAST_YEAR};

// Lunar {FIRST_YEAR} began on {first_new_year}, the first day of the calendar.
inline constexpr int kFirstLunarNewYear[3] = {{{first_new_year.year}, {first_new_year.month}, {first_new_year.day}}};

// One word per lunar year, entry (year - {FIRST_YEAR}).  Each month of the year,
// in calendar order with the leap month right after the month it follows,
// owns one bit from bit 15 downwards; a set bit is a month of 30 days, a
// clear one a month of 29.  Unused low bits are zero.
inline constexpr std::array<std::uint16_t, {len(packed)}> LunarYearMonthBits{{
{chr(10).join(rows)}
}};

// The month (1..12) that each year's leap month follows, or 0.
inline constexpr std::array<std::uint8_t, {len(packed)}> LunarYearLeapMonths{{
{chr(10).join(leaps)}
}};

// The first days of the months whose new moon lies so near midnight that
// the predicted ΔT cannot settle its day: the month may begin a day
// earlier or later.  Every day of such a month, and the day before it, has
// an uncertain lunar date.
inline constexpr std::array<std::array<int, 3>, {len(starts)}> kUncertainMonthStarts{{{{
{chr(10).join(starts)}
}}}};

}}  // namespace moonfold
'''
    write_header(out, 'lunar/lunar_year_data.h', text)


# A twenty-fourth of the mean tropical year, in thousandths of a minute:
# integers, so that every compiler and processor places a term alike.
MEAN_TERM_MILLIMINUTES = 21914532


def mean_pace_corrections(instants, epoch, mean_milliminutes, what):
    """The whole minutes from `epoch` to the first instant, and each instant's
    minutes from its place at the mean pace: k mean steps after the first,
    rounded as the C++ side rounds. The differences must fit 16 bits."""
    minutes = [int((t - epoch).total_seconds() // 60) for t in instants]
    base = minutes[0]
    offsets = [m - base - (k * mean_milliminutes + 500) // 1000 for k, m in enumerate(minutes)]
    if max(map(abs, offsets)) > 32767:
        sys.exit(f'a {what} lies too far from its mean place for 16 bits')
    return base, offsets


def mean_pace_declarations(first, mean, table, base, mean_milliminutes, offsets, rows):
    """The C++ declarations of a table stored as mean-pace corrections: the
    first instant's minute, the mean step and the corrections, `rows` being
    the corrections as source lines."""
    return (f'inline constexpr std::int32_t {first} = {base};\n'
            f'inline constexpr std::int64_t {mean} = {mean_milliminutes};\n'
            f'inline constexpr std::array<std::int16_t, {len(offsets)}> {table}{{\n'
            + '\n'.join(rows) + '\n};\n')


def departure_rows(tables, names, epoch):
    """kTermDepartures: every term whose tables' day is not today's
    reckoning's, with today's reckoning in minutes from `epoch`."""
    terms, rows = tables['terms'], []
    for key in sorted(tables['departures']):
        reckoned = tables['departures'][key]
        minute = int((reckoned - epoch).total_seconds() // 60)
        number = 24 * (key[0] - FIRST_YEAR) + key[1]
        if key[0] <= RECORD_LAST_YEAR:
            why = f'issued on {terms[key]:%Y-%m-%d}'
        else:
            why = f'issued {terms[key]:%Y-%m-%d %H:%M}; {tables["decided_terms"][key][1]}'
        rows.append(f'    {{{{{number}, {minute}}}}},  // {key[0]} {names[key]}: {why}, reckoned '
                    f'{reckoned:%Y-%m-%d %H:%M:%S}')
    return rows


def write_solar_terms(tables, found, names, out):
    terms = tables['terms']
    eve = terms[(FIRST_YEAR - 1, WINTER_SOLSTICE)]
    epoch = datetime.datetime(FIRST_YEAR, 1, 1)
    base, offsets = mean_pace_corrections(
        [terms[(y, i)] for y in range(FIRST_YEAR, LAST_YEAR + 1) for i in range(24)],
        epoch, MEAN_TERM_MILLIMINUTES, 'term')
    rows = []
    for i in range(0, len(offsets), 12):
        chunk = offsets[i:i + 12]
        comment = f'  // {FIRST_YEAR + i // 24}' if i % 24 == 0 else ''
        rows.append('    ' + ' '.join(f'{o},' for o in chunk) + comment)
    departures = departure_rows(tables, names, epoch)

    def number(key):
        return 24 * (key[0] - FIRST_YEAR) + key[1]

    uncertain = [f'    {number(key)},  // {key[0]} {names[key]}: {instant:%Y-%m-%d %H:%M:%S}'
                 for kind, key, instant in found if kind == 'term']
    text = HEADER + f'''//
// The instants of the 24 solar terms of every Gregorian year {FIRST_YEAR} to
// {LAST_YEAR}, in whole minutes of Beijing time (UTC+8), rounded down.
#pragma once

#include <array>
#include <cstdint>

namespace moonfold {{

inline constexpr int kFirstTermYear = {FIRST_YEAR};
inline constexpr int kLastTermYear = {LAST_YEAR};

// The last year whose terms the record of the Qing calendars gives by day
// only: the minute of each of its terms is today's reckoning.
inline constexpr int kLastReckonedMinuteYear = {RECORD_LAST_YEAR};

// The last term before the tables, {FIRST_YEAR - 1}'s 冬至, fell on this day by today's
// reckoning: the days of {FIRST_YEAR} before its 小寒 count from it (the nines, the
// pentads).
inline constexpr int kEveWinterSolsticeDate[3] = {{{eve.year}, {eve.month}, {eve.day}}};

// Term k (k = 24 * (year - {FIRST_YEAR}) + index, index 0 = 小寒 .. 23 = 冬至) falls
// kFirstTermMinute + (k * kMeanTermMilliminutes + 500) / 1000 +
// SolarTermCorrections[k] minutes after {FIRST_YEAR}-01-01 00:00 Beijing time:
// its place at the mean pace of the sun, a twenty-fourth of the tropical
// year apart, corrected for the sun's unequal pace (a few days at most).
{mean_pace_declarations('kFirstTermMinute', 'kMeanTermMilliminutes', 'SolarTermCorrections',
                        base, MEAN_TERM_MILLIMINUTES, offsets, rows)}
// The terms whose day in the tables, the issued calendar's, is not the day
// of today's reckoning, in the order of their numbers: the term number, and
// today's reckoning in minutes after {FIRST_YEAR}-01-01 00:00 Beijing time.  To
// {RECORD_LAST_YEAR} the record gives the day, and the minute above is the one
// of that day nearest the reckoning; from 1912 the minute above is the
// issued one (tools/data/issued-terms.tsv).
inline constexpr std::array<std::array<std::int32_t, 2>, {len(departures)}> kTermDepartures{{{{
{chr(10).join(departures)}
}}}};

// The term numbers whose Beijing day the predicted ΔT cannot settle: the
// term may fall a day earlier or later.
inline constexpr std::array<std::int32_t, {len(uncertain)}> kUncertainTerms{{
{chr(10).join(uncertain)}
}};
}}  // namespace moonfold
'''
    write_header(out, 'cycles/solar_term_data.h', text)


# A quarter of the mean synodic month (29.530588853 days), in thousandths
# of a minute.
MEAN_QUARTER_MILLIMINUTES = 10631012


def check_moon(phases):
    """The largest difference from astronomy-engine, in seconds; exits when
    the two lists of phases do not pair up."""
    reference = []
    with open(os.path.join(ROOT, 'tests/data/moon_phase_reference.tsv'), encoding='utf-8') as f:
        for line in f:
            if not line.startswith('#'):
                quarter, when = line.rstrip('\n').split('\t')
                reference.append((int(quarter), datetime.datetime.fromisoformat(when)))
    if len(reference) != len(phases):
        sys.exit(f'{len(phases)} phases, the second engine {len(reference)}: run `npm run moon-reference`')
    worst = 0
    for k, (ours, (quarter, theirs)) in enumerate(zip(phases, reference)):
        if quarter != k % 4:
            sys.exit(f'phase {k}: the second engine has quarter {quarter}')
        worst = max(worst, abs((ours - theirs).total_seconds()))
    print(f'{len(phases)} moon phases agree with astronomy-engine within {worst:.0f} s.')
    if worst > 120:
        sys.exit('the moon phases differ by more than two minutes')
    return worst


def write_moon_phases(phases, out):
    epoch = datetime.datetime(FIRST_YEAR - 1, 12, 1)
    base, offsets = mean_pace_corrections(phases, epoch, MEAN_QUARTER_MILLIMINUTES, 'phase')
    # The library finds a day's phase among the one at the mean pace and
    # its two neighbours, which holds while no phase strays half a quarter.
    if max(map(abs, offsets)) * 2000 >= MEAN_QUARTER_MILLIMINUTES:
        sys.exit('a phase lies more than half a quarter from its mean place')
    rows = ['    ' + ' '.join(f'{o},' for o in offsets[i:i + 12]) for i in range(0, len(offsets), 12)]
    text = HEADER + f'''//
// The principal phases of the moon from the first new moon after
// {epoch:%Y-%m-%d} to January {LAST_YEAR + 1}, in whole minutes of Beijing time
// (UTC+8), rounded down.
#pragma once

#include <array>
#include <cstdint>

namespace moonfold {{

// The day the phases are counted from, 00:00 Beijing time.
inline constexpr int kMoonPhaseEpochDate[3] = {{{epoch.year}, {epoch.month}, {epoch.day}}};

// Phase k (0 the first new moon; k mod 4: 0 new, 1 first quarter, 2 full,
// 3 last quarter) falls kFirstPhaseMinute + (k * kMeanQuarterMilliminutes +
// 500) / 1000 + MoonPhaseCorrections[k] minutes after the epoch: its place
// at the mean pace of the moon, a quarter of the mean synodic month apart,
// corrected for the moon's unequal pace.
{mean_pace_declarations('kFirstPhaseMinute', 'kMeanQuarterMilliminutes', 'MoonPhaseCorrections',
                        base, MEAN_QUARTER_MILLIMINUTES, offsets, rows)}
}}  // namespace moonfold
'''
    write_header(out, 'lunar/moon_phase_data.h', text)


def write_delta_t(out):
    """The tables' ΔT on the first of every month, for the second engine of
    the moon (tools/make_moon_reference.js), which interpolates it."""
    lines = ['# month\tdelta_t_seconds (TT - UT, as tools/calendar_astronomy.py has it)']
    for year in range(FIRST_YEAR - 2, LAST_YEAR + 3):
        for month in range(1, 13):
            tt = sky.julian_date(datetime.datetime(year, month, 1))
            lines.append(f'{year}-{month:02d}\t{sky.delta_t(tt):.3f}')
    with open(os.path.join(out, 'tests/data/delta_t.tsv'), 'w', encoding='utf-8') as f:
        f.write('\n'.join(lines) + '\n')


def main():
    parser = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    parser.add_argument('--out', default=ROOT, help='write the files below this folder')
    parser.add_argument('--no-reference', action='store_true',
                        help='write the tables without the second engines (to make their files)')
    args = parser.parse_args()
    out = args.out
    for folder in ('lunar', 'cycles', 'tests/data'):
        os.makedirs(os.path.join(out, folder), exist_ok=True)
    tables = compute()
    found = find_uncertain(tables)
    packed = pack_years(tables['months'])
    term_names = [row[2] for row in data_rows('terms.tsv')]
    names = {key: term_names[key[1]] for key in tables['terms']}
    unexplained = 0
    if not args.no_reference:
        ref_days, ref_terms = read_reference()
        unexplained = check(tables, found, ref_days, ref_terms)
        check_moon([whole_seconds(t) for t in tables['phases']])
    check_second_sun(tables)
    write_lunar_years(packed, found, out)
    write_solar_terms(tables, found, names, out)
    write_moon_phases([whole_seconds(t) for t in tables['phases']], out)
    write_delta_t(out)
    print(f'wrote lunar/lunar_year_data.h, cycles/solar_term_data.h, lunar/moon_phase_data.h '
          f'and tests/data/delta_t.tsv below {out}')
    if unexplained:
        sys.exit(f'{unexplained} differences that no decision or uncertain day explains')


if __name__ == '__main__':
    main()
