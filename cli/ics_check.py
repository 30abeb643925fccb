#!/usr/bin/python3
"""Reads `moonfold --ics 2025:2030` with a real iCalendar parser (Debian's
python3-icalendar) and holds it against `moonfold --year --json` for each
of those years: the same events on the same dates, each a well-formed
all-day event.  Every event keeps the UID it had when the file was first
published (tests/data/ics_uids_2025_2030.tsv), so that a calendar which
imported an older file updates its events rather than doubling them.

Usage: ics_check.py MOONFOLD
"""

import collections
import datetime
import json
import os
import subprocess
import sys

import icalendar

FIRST, LAST = 2025, 2030
UID_LIST = os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))),
                        'tests', 'data', 'ics_uids_2025_2030.tsv')


def published_uids(gregorian):
    """UID -> summary of the events as first published."""
    uids = {}
    with open(UID_LIST, encoding='utf-8') as f:
        for line in f:
            if line.startswith('#'):
                continue
            uid, summary = line.rstrip('\n').split('\t')
            if gregorian or '-gregorian-' not in uid:
                uids[uid] = summary
    if len(uids) < 280:
        sys.exit(f'{UID_LIST} is missing or short')
    return uids


def run(*args):
    return subprocess.run([sys.argv[1], *args], check=True, capture_output=True).stdout


def check_traditional():
    """`--ics --script hant`: the same events and UIDs in traditional
    characters (節氣, 春節)."""
    failures = []
    simplified = icalendar.Calendar.from_ical(run('--ics', '2026'))
    traditional = icalendar.Calendar.from_ical(run('--ics', '2026', '--script', 'hant'))
    uids = [[str(e['UID']) for e in c.walk('VEVENT')] for c in (simplified, traditional)]
    if uids[0] != uids[1]:
        failures.append('--script hant: the UIDs are not those of the simplified file')
    summaries = {str(e['SUMMARY']) for e in traditional.walk('VEVENT')}
    categories = {str(e['CATEGORIES'].cats[0]) for e in traditional.walk('VEVENT')}
    for name in ('春節', '驚蟄', '春節 放假', '臘八節'):
        if name not in summaries:
            failures.append(f'--script hant: no event {name}')
    if '節氣' not in categories or '节气' in categories:
        failures.append(f'--script hant: categories {sorted(categories)}')
    print(f'--ics 2026 --script hant: {len(uids[1])} events, traditional summaries, the same UIDs')
    return failures


def check_anniversaries():
    """`--every L04-10 --ics`: an all-day event for each lunar year, the day
    --every --json lists, under the name asked for, with UIDs that the next
    run gives again."""
    failures = []
    args = ['--every', 'L04-10', '--from', '2020', '--to', '2030']
    runs = [icalendar.Calendar.from_ical(run(*args, '--ics', '--name', '奶奶的生日'))
            for _ in range(2)]
    listed = json.loads(run(*args, '--json'))
    events = list(runs[0].walk('VEVENT'))
    if [e.decoded('DTSTART').isoformat() for e in events] != [d['date'] for d in listed]:
        failures.append('--every --ics: the events are not the days --every lists')
    for event, day in zip(events, listed):
        if str(event['SUMMARY']) != '奶奶的生日':
            failures.append(f'--every --ics: summary {event["SUMMARY"]}')
        if event.decoded('DTEND') != event.decoded('DTSTART') + datetime.timedelta(days=1):
            failures.append(f'--every --ics: {event["UID"]} is not one whole day')
        if day['note'] and day['note'] not in str(event['DESCRIPTION']):
            failures.append(f'--every --ics: {event["UID"]} does not say {day["note"]}')
    uids = [[str(e['UID']) for e in r.walk('VEVENT')] for r in runs]
    if uids[0] != uids[1] or len(set(uids[0])) != len(uids[0]) or len(uids[0]) != 11:
        failures.append(f'--every --ics: UIDs not stable and distinct: {uids[0][:3]}')
    print(f'--every L04-10 --ics: {len(events)} events parsed, the days --every lists')
    return failures


def main():
    failures = []
    for extra in ([], ['--gregorian']):
        raw = run('--ics', f'{FIRST}:{LAST}', *extra)
        calendar = icalendar.Calendar.from_ical(raw)
        for key in ('VERSION', 'PRODID'):
            if key not in calendar:
                failures.append(f'no {key}')
        seen = collections.Counter()
        uids = set()
        summaries = {}
        for event in calendar.walk('VEVENT'):
            start = event.decoded('DTSTART')
            end = event.decoded('DTEND')
            if type(start) is not datetime.date or type(end) is not datetime.date:
                failures.append(f'{event["UID"]}: not an all-day event')
            if end != start + datetime.timedelta(days=1) and '-off-' not in str(event['UID']):
                failures.append(f'{event["UID"]}: ends {end}, starts {start}')
            for key in ('UID', 'DTSTAMP', 'SUMMARY'):
                if key not in event:
                    failures.append(f'an event without {key}')
            if str(event['UID']) in uids:
                failures.append(f'{event["UID"]} twice')
            uids.add(str(event['UID']))
            summaries[str(event['UID'])] = str(event['SUMMARY'])
            uid = str(event['UID'])
            if '-off-' in uid or '-work-' in uid:
                # A holiday's days off are one event over their span; each
                # stands for the days --year lists one by one.
                name, what = str(event['SUMMARY']).rsplit(' ', 1)
                kind = 'off' if what == '放假' else 'work'
                if ('-off-' in uid) != (kind == 'off'):
                    failures.append(f'{uid}: summary {event["SUMMARY"]}')
                day = start
                while day < end:
                    seen[(day.isoformat(), name, kind)] += 1
                    day += datetime.timedelta(days=1)
                summaries.pop(uid)
                continue
            seen[(start.isoformat(), str(event['SUMMARY']), None)] += 1
        expected = collections.Counter()
        for year in range(FIRST, LAST + 1):
            for entry in json.loads(run('--year', str(year), '--json', *extra)):
                kind = entry['kind'] if entry['kind'] in ('off', 'work') else None
                expected[(entry['date'], entry['name'], kind)] += 1
        if seen != expected:
            failures.append(f'{" ".join(extra)}: events differ from --year: '
                            f'{sorted((seen - expected).items())[:5]} '
                            f'{sorted((expected - seen).items())[:5]}')
        published = published_uids(bool(extra))
        if summaries != published:
            changed = sorted(set(summaries.items()) ^ set(published.items()))
            failures.append(f'{" ".join(extra)}: UIDs differ from those published: {changed[:5]}')
        print(f'--ics {FIRST}:{LAST} {" ".join(extra)}: {sum(seen.values())} events parsed, '
              f'{len(uids)} UIDs, the same as --year lists and as first published')
    failures += check_anniversaries()
    failures += check_traditional()
    for failure in failures:
        print('FAILED:', failure)
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
