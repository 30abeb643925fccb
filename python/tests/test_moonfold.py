"""The Python module as a script uses it: dates both ways on every day,
facts against the command's --json, events, holiday files, and every
refusal naming its input.  Run with Debian's pytest; MOONFOLD_LIBRARY
names the library under test and MOONFOLD_COMMAND the command whose JSON
the facts are held to."""

import datetime as dt
import json
import os
import pathlib
import subprocess

import pytest

import moonfold

FIRST, LAST = moonfold.range()
COMMAND = os.environ.get('MOONFOLD_COMMAND')


def days(first, last, step=1):
    day = first
    while day <= last:
        yield day
        day += dt.timedelta(days=step)


def test_lunar_dates_both_ways_on_every_day():
    count = 0
    for day in days(FIRST, LAST):
        lunar = moonfold.to_lunar(day)
        assert moonfold.from_lunar(*lunar) == day
        count += 1
    assert count == (LAST - FIRST).days + 1
    assert moonfold.to_lunar(dt.date(2023, 3, 22)) == moonfold.LunarDate(2023, 2, 1, True)
    assert moonfold.to_lunar(dt.datetime(2026, 2, 17, 23, 30)) == (2026, 1, 1, False)


@pytest.mark.parametrize('call, error, words', [
    (lambda: moonfold.to_lunar(FIRST - dt.timedelta(days=1)), moonfold.RangeError,
     (FIRST - dt.timedelta(days=1)).isoformat()),
    (lambda: moonfold.to_lunar(LAST + dt.timedelta(days=1)), moonfold.RangeError, 'range'),
    (lambda: moonfold.from_lunar(2024, 4, 1, leap=True), moonfold.DateError, 'lunar 2024-闰4-1'),
    (lambda: moonfold.from_lunar(2025, 8, 30), moonfold.DateError, '2025-8-30'),
    (lambda: moonfold.from_lunar(2026, 13, 1), moonfold.DateError, '2026-13-1'),
    (lambda: moonfold.from_lunar(2**40, 1, 1), moonfold.RangeError, str(2**40)),
    (lambda: moonfold.from_lunar(LAST.year + 1, 1, 1), moonfold.RangeError, 'range'),
    (lambda: moonfold.workday(dt.date(LAST.year, 1, 2)), moonfold.UnannouncedYear,
     f'{LAST.year}-01-02'),
    (lambda: moonfold.facts(dt.date(1645, 1, 27)), moonfold.RangeError, '1645-01-27T00:00'),
    (lambda: moonfold.text('NOPE', dt.date(2026, 1, 1)), ValueError, "'NOPE' is no keyword"),
    (lambda: moonfold.text('LUNAR\0DAY', dt.date(2026, 1, 1)), ValueError, 'no keyword'),
    (lambda: moonfold.text('LUNARDAY', dt.date(2026, 1, 1), script='latin'), ValueError, 'latin'),
    (lambda: moonfold.events(2026, kinds='term,stars'), ValueError, "'stars' is no kind"),
    (lambda: moonfold.events(2027, 2026), moonfold.RangeError, '2027:2026'),
    (lambda: moonfold.events(-2**40), moonfold.RangeError, str(-2**40)),
    (lambda: moonfold.Holidays.read('2027\t元宵\t2027-01-01\t2027-01-01\t\n', name='h.tsv'),
     moonfold.HolidayFileError, 'h.tsv:1 — 元宵 is no holiday'),
    (lambda: moonfold.Holidays.open('/nonexistent/h.tsv'), moonfold.HolidayFileError,
     '/nonexistent/h.tsv — cannot be read'),
    (lambda: moonfold.Holidays.open('/dev/zero'), moonfold.HolidayFileError,
     'is not a regular file'),
])
def test_refusals_name_their_input(call, error, words):
    with pytest.raises(error) as raised:
        call()
    assert isinstance(raised.value, ValueError)
    assert words in str(raised.value)


@pytest.mark.parametrize('call', [
    lambda: moonfold.to_lunar('2026-01-01'),
    lambda: moonfold.facts(20260101),
    lambda: moonfold.from_lunar(2026, 1.5, 1),
    lambda: moonfold.text(None, dt.date(2026, 1, 1)),
    lambda: moonfold.events('2026'),
])
def test_other_types_are_type_errors(call):
    with pytest.raises(TypeError):
        call()


def test_facts_of_the_new_year_in_both_scripts():
    f = moonfold.facts(dt.datetime(2026, 2, 17, 12, 0))
    assert f.lunar == (2026, 1, 1, False) and f.lunar_name == '正月初一'
    assert (f.year_cycle.name, f.month_cycle.name, f.zodiac.name) == ('丙午', '庚寅', '马')
    assert [p.name for p in f.pillars] == ['丙午', '庚寅', '壬戌', '丙午']
    assert f.official == 'off' and f.holiday.name == '春节' and f.working_day is False
    assert [x.name for x in f.lunar_festivals] == ['春节']
    assert f.next_festival.name == '元宵节' and f.next_festival_date == dt.date(2026, 3, 3)
    assert f.next_term.name == '雨水' and f.next_term.time == dt.datetime(2026, 2, 18, 23, 51)
    assert f.moon_phase.name == '新月' and f.moon_time.date() == dt.date(2026, 2, 17)
    assert (f.duty.name, f.day_god.name, f.day_god_yellow) == ('成', '司命', True)
    t = moonfold.facts(dt.datetime(2026, 2, 17, 12, 0), script='hant')
    assert (t.zodiac.name, t.holiday.name, t.lunar_festivals[0].name) == ('馬', '春節', '春節')
    assert t.year_cycle == f.year_cycle
    # An aware datetime is read at its Beijing wall time.
    utc = dt.datetime(2026, 2, 17, 4, 0, tzinfo=dt.timezone.utc)
    assert moonfold.facts(utc).when == dt.datetime(2026, 2, 17, 12, 0)
    # A date is its midnight, the 子 hour.
    assert moonfold.facts(dt.date(2026, 2, 17)).hour_branch.name == '子'
    # The issued minute of 1912 小雪, with today's reckoning beside it.
    term = moonfold.facts(dt.date(1912, 11, 23)).solar_term
    assert term.name == '小雪' and term.time == dt.datetime(1912, 11, 23, 0, 39)
    assert term.reckoned == dt.datetime(1912, 11, 22, 23, 48)


def command_json(day, script):
    done = subprocess.run([COMMAND, '--json', '--script', script, '--date', day.isoformat()],
                          capture_output=True, text=True, check=True)
    return json.loads(done.stdout)


def texts_of(f):
    """The keywords' texts that are names alone, from the facts."""
    join = lambda named: ' '.join(n.name for n in named)  # noqa: E731
    return {
        'DATE': f.when.date().isoformat(),
        'LUNARDAY': f.lunar_name.split('月', 1)[1],
        'HEYEAR': f.year_cycle.name, 'HEMONTH': f.month_cycle.name, 'HEDAY': f.day_cycle.name,
        'HEHOUR': f.hour_branch.name, 'WEEKDAY': f.weekday.name,
        'SOLAR': f.solar_term.name if f.solar_term else '',
        'CONSTELLATION': f.star_sign.name, 'TWELVEANIMALS': f.zodiac.name,
        'FEASTS': join(f.fixed_festivals), 'FWEEKDAY': join(f.weekday_festivals),
        'FLASTWEEK': join(f.last_week_festivals), 'FLUNARS': join(f.lunar_festivals),
        'HOLIDAY': f.holiday.name if f.official == 'off' else '',
        'PENTAD': f.pentad.name, 'PILLARS': join(f.pillars), 'MOONPHASE': f.moon_phase.name,
        'DUTY': f.duty.name, 'MANSION': f.mansion.name, 'LUCKYHOURS': join(f.lucky_hours),
    }


@pytest.mark.skipif(not COMMAND, reason='MOONFOLD_COMMAND names no command')
@pytest.mark.parametrize('script', ['hans', 'hant'])
def test_facts_are_the_commands_json(script):
    # Every day of two years, and a day in every 61 across the range.
    sample = sorted(set(days(dt.date(2026, 1, 1), dt.date(2027, 12, 31), 3 if script == 'hant' else 1))
                    | set(days(FIRST, LAST, 61)) | {FIRST, LAST})
    for day in sample:
        expected = command_json(day, script)
        got = texts_of(moonfold.facts(day, script=script))
        for key, text in got.items():
            assert expected[key] == text, (day, key)
        assert moonfold.text('COUNTDOWN', day, script=script) == expected['COUNTDOWN']


def test_events_of_a_year():
    year = moonfold.events(2026)
    assert [e.date for e in year] == sorted(e.date for e in year)
    assert {e.kind for e in year} == {'term', 'lunar', 'off', 'work'}
    terms = [e for e in year if e.kind == 'term']
    assert len(terms) == 24 and terms[0].name == '小寒' and terms[0].time.date() == dt.date(2026, 1, 5)
    off = [e for e in year if e.kind == 'off' and e.name == '春节']
    assert off[0].first_off == dt.date(2026, 2, 15) and off[0].last_off == dt.date(2026, 2, 23)
    moons = moonfold.events(2026, kinds=['moon'], script='hant')
    assert {e.name for e in moons} == {'新月', '滿月'}
    assert all(e.time.date() == e.date for e in moons)
    assert len(moonfold.events(LAST.year, LAST.year + 5, kinds='term')) == 24


def test_holiday_files_as_the_command_reads_them(tmp_path):
    notice = '2027\t元旦\t2027-01-01\t2027-01-03\t\n'
    with moonfold.Holidays.read(notice, name='h.tsv') as h:
        assert moonfold.workday(dt.date(2027, 1, 1), holidays=h) is False
        assert moonfold.workday(dt.date(2027, 1, 4), holidays=h) is True
        assert moonfold.facts(dt.date(2027, 1, 2), holidays=h).holiday.name == '元旦'
        assert moonfold.text('DAYOFF', dt.date(2027, 1, 2), holidays=h) == '休'
        assert len(moonfold.events(2027, kinds='off', holidays=h)) == 3
        assert h.warnings == ('h.tsv: 2027 has no 春节, 清明节, 劳动节, 端午节, 中秋节, 国庆节 of the seven '
                              'statutory holidays',)
    with pytest.raises(ValueError, match='closed'):
        moonfold.workday(dt.date(2027, 1, 1), holidays=h)
    path = tmp_path / 'h.tsv'
    path.write_text('2026\t春节\t2026-02-15\t2026-02-23\t2026-02-14,2026-02-28\n', encoding='utf-8')
    assert moonfold.workday(dt.date(2026, 10, 1), holidays=path) is True
    assert moonfold.workday(dt.date(2026, 10, 1), holidays=str(path)) is True
    with moonfold.Holidays.open(path) as h:
        assert h.warnings[0].startswith(f'{path}: 2026 has no 元旦, 清明节')
    assert moonfold.workday(dt.date(2026, 10, 1)) is False


def test_the_package_says_it_is_typed():
    assert (pathlib.Path(moonfold.__file__).parent / 'py.typed').exists()
    assert moonfold.__version__ == moonfold.library_version()


def test_the_years_as_people_wrote_them():
    boxer = moonfold.facts(dt.date(1900, 6, 20))
    assert (boxer.era.name, boxer.era_year, boxer.republic_year) == ('光绪', 26, None)
    assert moonfold.text('ERA', dt.date(1900, 6, 20)) == '光绪二十六年'
    today = moonfold.facts(dt.date(2026, 12, 9), script='hant')
    assert (today.era, today.era_year, today.republic_year) == (None, None, 115)
    assert moonfold.text('ROCYEAR', dt.date(2026, 12, 9), script='hant') == '民國115年'
    assert moonfold.name(moonfold.NAME_ERA, 10) == '民国'
    assert moonfold.range()[0] == dt.date(1645, 1, 28)


def test_the_minutes_of_the_qing_calendar():
    assert moonfold.facts(dt.date(1899, 1, 5)).solar_term.minute == 'reckoned'
    day_only = moonfold.facts(dt.date(1899, 6, 22)).solar_term
    assert (day_only.minute, day_only.reckoned) == ('none', dt.datetime(1899, 6, 21, 23, 45))
    assert moonfold.facts(dt.date(2026, 12, 22)).solar_term.minute == 'issued'
    terms = moonfold.events(1899, kinds='term')
    assert {e.minute for e in terms} == {'reckoned', 'none'}
    assert all((e.time is None) == (e.minute == 'none') for e in terms)


def test_the_constants_are_the_headers():
    """The bindings' copies of the header's numbers: each one the header's."""
    header = pathlib.Path(__file__).resolve().parents[2] / 'api' / 'include' / 'moonfold' / 'moonfold.h'
    if not header.exists():
        pytest.skip('the header is not beside the tests')
    import re
    from moonfold import _native
    defines = dict(re.findall(r'^#define MOONFOLD_(\w+) \(?(-?\d+)\)?', header.read_text(), re.M))
    checked = 0
    for name, value in defines.items():
        if hasattr(_native, name):
            assert getattr(_native, name) == int(value), name
            checked += 1
    assert checked >= 45
    assert _native.NAME_ERA + 1 == int(defines['NAME_KIND_COUNT'])
    assert _native.VERSION_NEEDED <= int(defines['VERSION_MAJOR']) * 1000000 + int(
        defines['VERSION_MINOR']) * 1000
