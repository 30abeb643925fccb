#!/usr/bin/python3
"""Writes Moonfold's table of China's official days off and make-up working
days from the transcribed State Council notices, tools/data/cn-holidays.tsv.

The notices are records, not a rule: each year's arrangement is announced
by its own notice (amending notices applied), so the table holds what they
say for 2006 up to the last year of the file, and nothing is guessed beyond.

The file is read by the command's own reader of a user's file, built as
moonfold_holiday_rows (dates, spans, working days on weekends only, no day
both off and working, one row per holiday and year: one set of rules and
messages for both), then held against a second source, lunar-javascript's HolidayUtil
(tests/data/holiday_reference.tsv, written by tools/make_holiday_reference.js).
Every day on which the two differ is printed, and each must be one of the
DECISIONS below, where the notices say otherwise than that library; the
tool fails on any other.

Writes festivals/holiday_data.h (below --out DIR if given).  With
--source, the notices of other files (each read by the same reader, their
rows together) and no second source: a table for a build of one's own,
such as a notice that came out after the second source was made.

Usage (from the project root, after a native build):
    tools/make_holiday_table.py [--out DIR] [--reader PATH] [--source FILE]...
"""

import argparse
import datetime
import os
import re
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import cxx_format  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SOURCE = os.path.join(ROOT, 'tools', 'data', 'cn-holidays.tsv')
REFERENCE = os.path.join(ROOT, 'tests', 'data', 'holiday_reference.tsv')

HOLIDAYS = os.path.join(ROOT, 'tools', 'data', 'holidays.tsv')
READER = os.path.join(ROOT, 'build', 'native', 'moonfold_holiday_rows')


def holiday_enumerators():
    """The Holiday enum's enumerators in the order of their ids, from the
    data file the enum itself is made of (tools/data/holidays.tsv)."""
    with open(HOLIDAYS, encoding='utf-8') as f:
        rows = [line.rstrip('\n').split('\t') for line in f if line.strip() and line[0] != '#']
    return [row[1] for row in rows]


# Where the notices differ from the second source: date -> what the notice
# makes of the day (off, work or an ordinary day).
DECISIONS = {
    datetime.date(2013, 4, 7): ('work', 'the 2013 notice: 4月7日（星期日）上班'),
    datetime.date(2013, 10, 12): ('work', 'the 2013 notice: 10月12日（星期六）上班'),
    datetime.date(2015, 9, 26): ('ordinary', 'an ordinary Saturday: no notice adds it to 中秋节'),
}


def read_source(reader, source=SOURCE):
    """Rows (year, holiday id, name, first, last, [work days]) as the
    command's own reader reads the file: its rules and messages are the
    ones a user's file meets, and a file it refuses fails here too."""
    done = subprocess.run([reader, source], capture_output=True, text=True)
    if done.returncode != 0:
        sys.exit(done.stderr.strip() or f'{reader} failed')
    rows = []
    for line in done.stdout.splitlines():
        year, holiday, name, first, last, work = line.split('\t')
        rows.append((int(year), int(holiday), name, datetime.date.fromisoformat(first),
                     datetime.date.fromisoformat(last),
                     [datetime.date.fromisoformat(d) for d in work.split(',') if d]))
    return rows


def days_of(rows):
    days = {}
    for _, _, name, first, last, work in rows:
        day = first
        while day <= last:
            days[day] = ('off', name)
            day += datetime.timedelta(days=1)
        for day in work:
            days[day] = ('work', name)
    return days


def check(rows):
    """Prints every day where the notices and the second source differ;
    returns how many no decision covers."""
    ours = days_of(rows)
    reference = {}
    with open(REFERENCE, encoding='utf-8') as f:
        for text in f:
            if text.startswith('#'):
                continue
            date, kind, _name = text.rstrip('\n').split('\t')
            day = datetime.date.fromisoformat(date)
            # The library also lists some weekdays as working days: on a
            # Monday to Friday that is an ordinary day.
            if kind == 'work' and day.weekday() < 5:
                kind = 'ordinary'
            reference[day] = kind
    if len(reference) < 700:
        sys.exit(f'{REFERENCE} is missing or short: run `npm run holiday-reference` in tools/')
    unexplained = 0
    print('The notices and the second source (lunar-javascript) differ:')
    for day in sorted(set(ours) | set(reference)):
        mine = ours[day][0] if day in ours else 'ordinary'
        theirs = reference.get(day, 'ordinary')
        if mine == theirs:
            continue
        decided = DECISIONS.get(day)
        why = decided[1] if decided and decided[0] == mine else 'NO DECISION COVERS THIS'
        print(f'  {day}: notices {mine}, lunar-javascript {theirs} — {why}')
        unexplained += why == 'NO DECISION COVERS THIS'
    return unexplained


def days_since_epoch(day):
    return (day - datetime.date(1970, 1, 1)).days


def write(rows, out, source_note='the State Council\'s yearly\n// notices (tools/data/cn-holidays.tsv), checked against lunar-javascript'):
    enumerators = holiday_enumerators()
    spans, work = [], []
    for index, (year, holiday, name, first, last, days) in enumerate(sorted(rows, key=lambda r: r[3])):
        spans.append(f'    {{{year}, Holiday::{enumerators[holiday]}, {days_since_epoch(first)}, '
                     f'{days_since_epoch(last)}}},  // {first} … {last} {name}')
        work += [(day, index, name) for day in days]
    work.sort()
    work_rows = [f'    {{{days_since_epoch(day)}, {index}}},  // {day} {name}' for day, index, name in work]
    years = sorted({r[0] for r in rows})
    text = f'''// Generated by tools/make_holiday_table.py from {source_note}.
// Do not edit: change the data or the tool and run it again.
//
// China's official days off and make-up working days, {years[0]} to {years[-1]}.
#pragma once

#include <array>

#include "festivals/official_day_types.h"

namespace moonfold {{

inline constexpr int kFirstHolidayYear = {years[0]};
inline constexpr int kLastHolidayYear = {years[-1]};

// Each holiday's days off, in date order: the year of its notice, the
// holiday, and its first and last day off as days since 1970-01-01
// (weekend days inside the span included).
inline constexpr std::array<HolidaySpan, {len(spans)}> kHolidaySpans{{{{
{chr(10).join(spans)}
}}}};

// The weekend days worked in their place, in date order: the day, and the
// row of the holiday in kHolidaySpans.
inline constexpr std::array<MakeUpDay, {len(work_rows)}> kMakeUpDays{{{{
{chr(10).join(work_rows)}
}}}};

}}  // namespace moonfold
'''
    cxx_format.write(out, os.path.join('festivals', 'holiday_data.h'), text)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    parser.add_argument('--out', default=ROOT, help='write the header below this folder')
    parser.add_argument('--reader', default=READER,
                        help="the built holiday-file reader (the native build's moonfold_holiday_rows)")
    parser.add_argument('--source', action='append',
                        help='notices of another file, unchecked (may be given more than once)')
    args = parser.parse_args()
    out = args.out
    if args.source:
        rows = [row for source in args.source for row in read_source(args.reader, source)]
        write(rows, out, 'notices of ' + ', '.join(os.path.basename(s) for s in args.source) +
              ',\n// not checked against a second source')
        print(f'wrote festivals/holiday_data.h below {out}: {len(rows)} holidays')
        return
    rows = read_source(args.reader)
    unexplained = check(rows)
    write(rows, out)
    print(f'wrote festivals/holiday_data.h below {out}: {len(rows)} holidays')
    if unexplained:
        sys.exit(f'{unexplained} differences that no decision covers')


if __name__ == '__main__':
    main()
