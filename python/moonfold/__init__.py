"""Moonfold: the traditional Chinese calendar, from Python.

The lunar date (闰 for a leap month), the stem-branch names of the year,
month, day and hour, the zodiac, the solar terms to the minute, the star
sign, the festivals, China's official days off, the moon, the dog days and
the nines, the pentads, the four pillars and the almanac's items, for every
day of the calendar's range (moonfold.range()).

    >>> import datetime, moonfold
    >>> moonfold.to_lunar(datetime.date(2023, 3, 22))
    LunarDate(year=2023, month=2, day=1, leap=True)
    >>> moonfold.from_lunar(2026, 1, 1)
    datetime.date(2026, 2, 17)
    >>> moonfold.text('PILLARS', datetime.datetime(2026, 12, 8, 12, 0))
    '丙午 庚子 丙辰 甲午'

Dates are `datetime.date`, moments `datetime.datetime` read by their wall
clock (the calendar is reckoned in Beijing time, UTC+8; an aware datetime
is first converted to UTC+8), to the minute.  Names come in simplified
characters (script="hans") or traditional (script="hant").  Bad input
raises a ValueError subclass that names it: RangeError, DateError,
UnannouncedYear, HolidayFileError.

The calculations are libmoonfold's, through its C interface (ctypes): the
system's libmoonfold.so.1, the copy a wheel carries, or $MOONFOLD_LIBRARY.
"""

from __future__ import annotations

import builtins
import ctypes
import dataclasses
import datetime as _dt
import os
from typing import Iterable, NamedTuple, Optional, Tuple, Union

from . import _native as _n

__all__ = [
    'LunarDate', 'Named', 'Term', 'Facts', 'Event', 'Holidays', 'MoonfoldError', 'RangeError',
    'DateError', 'UnannouncedYear', 'HolidayFileError', 'to_lunar', 'from_lunar', 'facts',
    'events', 'workday', 'text', 'name', 'range', 'library_version', '__version__',
]

__version__ = _n.lib.moonfold_version().decode()

# The kinds of name that name() takes, as the header numbers them:
# NAME_STEM, NAME_SOLAR_TERM … NAME_ERA.
globals().update({k: v for k, v in vars(_n).items() if k.startswith('NAME_')})
__all__ += [k for k in vars(_n) if k.startswith('NAME_')]

_BEIJING = _dt.timezone(_dt.timedelta(hours=8))


class MoonfoldError(ValueError):
    """A value the calendar refuses; the message names it and says why."""


class RangeError(MoonfoldError):
    """A day outside the calendar's range."""


class DateError(MoonfoldError):
    """A date that does not exist (2026-02-30, a leap month the year lacks)."""


class UnannouncedYear(MoonfoldError):
    """A year whose official days no notice has announced yet."""


class HolidayFileError(MoonfoldError):
    """A holiday file that cannot be read, or is refused (FILE:LINE — reason)."""


class LunarDate(NamedTuple):
    """A lunar date: the lunar year (the Gregorian year it began in), the
    month 1..12 (a leap month carries the number of the month before it),
    the day 1..30, and whether it is the leap month."""
    year: int
    month: int
    day: int
    leap: bool = False


class Named(NamedTuple):
    """An id of the calendar and its name in the script asked for."""
    id: int
    name: str


class Term(NamedTuple):
    """A solar term (0 = 小寒 .. 23 = 冬至) at its Beijing minute.  `uncertain`:
    its day may be a day earlier or later (decades ahead); `reckoned`:
    today's reckoning where the term's calendar puts it on another day.
    `minute`: how the minute is known — 'issued' (from 1912, the calendar's
    own), 'reckoned' (before 1912 the record gives the day only: today's
    reckoning) or 'none' (before 1912, issued on another day than that
    reckoning: `time` is the minute of the issued day nearest it)."""
    id: int
    name: str
    time: _dt.datetime
    uncertain: bool = False
    reckoned: Optional[_dt.datetime] = None
    minute: str = 'issued'


_MINUTES = {_n.MINUTE_ISSUED: 'issued', _n.MINUTE_RECKONED: 'reckoned', _n.MINUTE_NONE: 'none'}


@dataclasses.dataclass(frozen=True)
class Facts:
    """Every fact of a moment, with each id's name in one script."""
    when: _dt.datetime
    weekday: Named  # 0 = Sunday .. 6
    lunar: LunarDate
    lunar_name: str  # 闰二月初一
    lunar_uncertain: bool
    year_cycle: Named  # of the lunar year: 丙午
    month_cycle: Named  # of the lunar month
    day_cycle: Named
    hour_branch: Named  # 子 from 23:00
    zodiac: Named  # the lunar year's animal
    pillars: Tuple[Named, Named, Named, Named]  # by 立春 and the 节, to the minute
    solar_term: Optional[Term]  # that falls on the day
    next_term: Optional[Term]
    next_term_days: int
    star_sign: Named
    fixed_festivals: Tuple[Named, ...]
    weekday_festivals: Tuple[Named, ...]
    last_week_festivals: Tuple[Named, ...]
    lunar_festivals: Tuple[Named, ...]
    next_festival: Optional[Named]  # the next of the ten great festivals
    next_festival_date: Optional[_dt.date]
    next_festival_days: int
    official: str  # 'unannounced', 'ordinary', 'off' or 'make-up'
    holiday: Optional[Named]  # of a day off or a make-up day
    moon_phase: Named  # 新月, 蛾眉月 …
    moon_time: Optional[_dt.datetime]  # on a principal phase's day
    moon_uncertain: bool
    season: Optional[Named]  # 初伏 .. 末伏, 一九 .. 九九
    season_day: int
    pentad: Named
    duty: Named  # 建除十二值星
    day_god: Named  # 青龙 .. 勾陈
    day_god_yellow: bool  # of the yellow path (黄道)
    mansion: Named  # 二十八宿
    mansion_lucky: bool
    clash: Named  # the day it clashes with
    sha: Named  # the quarter of 煞
    joy_god: Named  # where the god of joy stands
    wealth_god: Named
    lucky_hours: Tuple[Named, ...]  # the branches of the yellow path's double hours
    era: Optional[Named] = None  # the reign era of the lunar year, to lunar 1911: 光绪
    era_year: Optional[int] = None  # its year, 1 for 元年
    republic_year: Optional[int] = None  # the year of the Republic (民国), from 1912

    @property
    def working_day(self) -> Optional[bool]:
        """Whether the day is worked in China; None for a year no notice
        has announced."""
        if self.official == 'unannounced':
            return None
        if self.official in ('off', 'make-up'):
            return self.official == 'make-up'
        return 1 <= self.weekday.id <= 5


class Event(NamedTuple):
    """A dated event of a year: kind is 'term', 'lunar', 'gregorian', 'off',
    'work' or 'moon'."""
    kind: str
    date: _dt.date
    lunar: LunarDate
    name: str
    id: int
    time: Optional[_dt.datetime] = None
    uncertain: bool = False
    reckoned: Optional[_dt.datetime] = None
    first_off: Optional[_dt.date] = None  # of a day off: its holiday's days off
    last_off: Optional[_dt.date] = None
    minute: Optional[str] = None  # of a term: 'issued', 'reckoned' or 'none', as Term has it


class Holidays:
    """A file of holiday arrangements read over the built-in one: each year
    the file holds replaces that year (rows of year, name, first and last
    day off, make-up days, tab-separated, as the command reads them).

        with moonfold.Holidays.open('holidays.tsv') as h:
            moonfold.workday(datetime.date(2027, 1, 1), holidays=h)
    """

    def __init__(self, handle: int):
        self._handle: Optional[int] = handle

    @classmethod
    def open(cls, path: Union[str, os.PathLike]) -> 'Holidays':
        why = ctypes.create_string_buffer(512)
        handle = _n.lib.moonfold_arrangement_open(os.fsencode(path), why, len(why))
        if not handle:
            raise HolidayFileError(why.value.decode('utf-8', 'replace'))
        return cls(handle)

    @classmethod
    def read(cls, text: str, name: str = '<string>') -> 'Holidays':
        data = text.encode('utf-8')
        why = ctypes.create_string_buffer(512)
        handle = _n.lib.moonfold_arrangement_read(name.encode('utf-8'), data, len(data), why,
                                                  len(why))
        if not handle:
            raise HolidayFileError(why.value.decode('utf-8', 'replace'))
        return cls(handle)

    @property
    def warnings(self) -> Tuple[str, ...]:
        """What the reader kept but a user should hear of: a year that
        leaves out a holiday of its built-in year."""
        text = _n.text_of(lambda b, n: _n.lib.moonfold_arrangement_warnings(self._use(), b, n))
        return tuple(line for line in text.split('\n') if line) if isinstance(text, str) else ()

    def close(self) -> None:
        if self._handle:
            _n.lib.moonfold_arrangement_close(self._handle)
            self._handle = None

    def _use(self) -> int:
        if not self._handle:
            raise ValueError('moonfold: the holiday file is closed')
        return self._handle

    def __enter__(self) -> 'Holidays':
        return self

    def __exit__(self, *exc) -> None:
        self.close()

    def __del__(self) -> None:
        self.close()


HolidaysArgument = Union[None, Holidays, str, os.PathLike]
Moment = Union[_dt.date, _dt.datetime]


def _script(script: str) -> int:
    key = script.lower() if isinstance(script, str) else script
    if key in ('hans', 'simplified', 'zh-hans'):
        return 0
    if key in ('hant', 'traditional', 'zh-hant'):
        return 1
    raise ValueError(f'moonfold: {script!r} is no script (hans or hant)')


def _raise(code: int, what: str):
    message = f'moonfold: {what} — {_n.lib.moonfold_strerror(code).decode()}'
    if code == _n.ERROR_RANGE:
        raise RangeError(message)
    if code in (_n.ERROR_DATE, _n.ERROR_TIME):
        raise DateError(message)
    if code == _n.ERROR_UNANNOUNCED:
        raise UnannouncedYear(message)
    if code == _n.ERROR_MEMORY:
        raise MemoryError(message)
    raise MoonfoldError(message)


def _check(code: int, what: str) -> int:
    if code < 0:
        _raise(code, what)
    return code


def _moment(when: Moment) -> _dt.datetime:
    if isinstance(when, _dt.datetime):
        if when.tzinfo is not None and when.utcoffset() is not None:
            when = when.astimezone(_BEIJING)
        return when.replace(second=0, microsecond=0, tzinfo=None)
    if isinstance(when, _dt.date):
        return _dt.datetime(when.year, when.month, when.day)
    raise TypeError(f'moonfold: {when!r} is no date or datetime')


def _day(when: _dt.date) -> _dt.date:
    if isinstance(when, _dt.datetime):
        return _moment(when).date()
    if isinstance(when, _dt.date):
        return when
    raise TypeError(f'moonfold: {when!r} is no date')


def _name(kind: int, id_: int, script: int) -> str:
    text = _n.text_of(lambda b, n: _n.lib.moonfold_name(kind, id_, script, b, n))
    return text if isinstance(text, str) else ''


def _named(kind: int, id_: int, script: int) -> Named:
    return Named(id_, _name(kind, id_, script))


def _time(m: _n.MomentC) -> _dt.datetime:
    return _dt.datetime(m.year, m.month, m.day, m.hour, m.minute)


def _date(d: _n.DateC) -> _dt.date:
    return _dt.date(d.year, d.month, d.day)


def _lunar(l: _n.LunarDateC) -> LunarDate:
    return LunarDate(l.year, l.month, l.day, bool(l.leap))


class _Handle:
    """A holidays argument as the library takes it, opened for the call
    when it is a path."""

    def __init__(self, holidays: HolidaysArgument):
        self._owned = None
        if holidays is None:
            self.handle = None
        elif isinstance(holidays, Holidays):
            self.handle = holidays._use()
        else:
            self._owned = Holidays.open(holidays)
            self.handle = self._owned._use()

    def __enter__(self):
        return self.handle

    def __exit__(self, *exc):
        if self._owned is not None:
            self._owned.close()


def name(kind: int, id: int, script: str = 'hans') -> str:
    """The name of an id of a kind of name (the header's MOONFOLD_NAME_*
    numbers, as moonfold._native has them)."""
    text = _n.text_of(lambda b, n: _n.lib.moonfold_name(kind, id, _script(script), b, n))
    if not isinstance(text, str):
        _raise(text, f'name {kind}/{id}')
    return text


def range() -> Tuple[_dt.date, _dt.date]:  # noqa: A001 - the calendar's range
    """The calendar's first and last day."""
    first, last = _n.DateC(), _n.DateC()
    _n.lib.moonfold_range(ctypes.byref(first), ctypes.byref(last))
    return _date(first), _date(last)


def library_version() -> str:
    """The version of the libmoonfold in use, "major.minor.patch"."""
    return _n.lib.moonfold_version().decode()


def to_lunar(day: _dt.date) -> LunarDate:
    """The lunar date of a Gregorian date (a datetime is read by its date)."""
    day = _day(day)
    out = _n.LunarDateC()
    _check(_n.lib.moonfold_to_lunar(day.year, day.month, day.day, ctypes.byref(out)),
           day.isoformat())
    return _lunar(out)


def from_lunar(year: int, month: int, day: int, leap: bool = False) -> _dt.date:
    """The Gregorian date of a lunar date; DateError for a date the lunar
    year lacks (lunar 2024 has no leap 4th month, 2025's 8th month no 30th)."""
    for value in (year, month, day):
        if not isinstance(value, int) or isinstance(value, bool):
            raise TypeError(f'moonfold: {value!r} is no whole number')
    what = f'lunar {year}-{"闰" if leap else ""}{month}-{day}'
    if not (-2**31 <= year < 2**31) or not (1 <= month <= 12) or not (1 <= day <= 30):
        raise (RangeError if not (-2**31 <= year < 2**31) else DateError)(
            f'moonfold: {what} — no such lunar date')
    date = _n.LunarDateC(year, month, day, 1 if leap else 0)
    y, m, d = ctypes.c_int(), ctypes.c_int(), ctypes.c_int()
    _check(_n.lib.moonfold_from_lunar(ctypes.byref(date), ctypes.byref(y), ctypes.byref(m),
                                      ctypes.byref(d)), what)
    return _dt.date(y.value, m.value, d.value)


def _festivals(lst: _n.FestivalListC, kind: int, script: int) -> Tuple[Named, ...]:
    return tuple(_named(kind, lst.ids[i], script) for i in builtins.range(lst.count))


_OFFICIAL = {_n.DAY_UNANNOUNCED: 'unannounced', _n.DAY_ORDINARY: 'ordinary', _n.DAY_OFF: 'off',
             _n.DAY_MAKE_UP: 'make-up'}


def _term(index: int, time: _n.MomentC, uncertain: int, script: int,
          reckoned: Optional[_n.MomentC] = None, minute: int = _n.MINUTE_ISSUED) -> Term:
    return Term(index, _name(_n.NAME_SOLAR_TERM, index, script), _time(time), bool(uncertain),
                _time(reckoned) if reckoned is not None else None, _MINUTES[minute])


def _facts_of(f: _n.FactsC, s: int) -> Facts:
    N = _n
    cycle = lambda i: _named(N.NAME_CYCLE, i, s)  # noqa: E731
    return Facts(
        when=_time(f.time), weekday=_named(N.NAME_WEEKDAY, f.weekday, s), lunar=_lunar(f.lunar),
        lunar_name=(_name(N.NAME_LEAP_MONTH if f.lunar.leap else N.NAME_LUNAR_MONTH, f.lunar.month,
                          s) + '月' + _name(N.NAME_LUNAR_DAY, f.lunar.day, s)),
        lunar_uncertain=bool(f.lunar_uncertain), year_cycle=cycle(f.year_cycle),
        month_cycle=cycle(f.month_cycle), day_cycle=cycle(f.day_cycle),
        hour_branch=_named(N.NAME_BRANCH, f.hour_branch, s), zodiac=_named(N.NAME_ANIMAL, f.zodiac, s),
        pillars=(cycle(f.pillar_year), cycle(f.pillar_month), cycle(f.pillar_day),
                 cycle(f.pillar_hour)),
        solar_term=(_term(f.solar_term, f.solar_term_time, f.solar_term_uncertain, s,
                          f.solar_term_reckoned if f.solar_term_issued else None,
                          f.solar_term_minute)
                    if f.solar_term >= 0 else None),
        next_term=(_term(f.next_term, f.next_term_time, f.next_term_uncertain, s)
                   if f.next_term >= 0 else None),
        next_term_days=f.next_term_days, star_sign=_named(N.NAME_STAR_SIGN, f.star_sign, s),
        fixed_festivals=_festivals(f.fixed_festivals, N.NAME_FIXED_FESTIVAL, s),
        weekday_festivals=_festivals(f.weekday_festivals, N.NAME_WEEKDAY_FESTIVAL, s),
        last_week_festivals=_festivals(f.last_week_festivals, N.NAME_LAST_WEEK_FESTIVAL, s),
        lunar_festivals=_festivals(f.lunar_festivals, N.NAME_LUNAR_FESTIVAL, s),
        next_festival=(_named(N.NAME_COUNTDOWN_FESTIVAL, f.next_festival, s)
                       if f.next_festival >= 0 else None),
        next_festival_date=_date(f.next_festival_date) if f.next_festival >= 0 else None,
        next_festival_days=f.next_festival_days, official=_OFFICIAL[f.official],
        holiday=_named(N.NAME_HOLIDAY, f.holiday, s) if f.holiday >= 0 else None,
        moon_phase=_named(N.NAME_MOON_PHASE, f.moon_phase, s),
        moon_time=_time(f.moon_time) if f.moon_has_time else None,
        moon_uncertain=bool(f.moon_uncertain),
        season=_named(N.NAME_SEASON_PERIOD, f.season_period, s) if f.season_period else None,
        season_day=f.season_day, pentad=_named(N.NAME_PENTAD, f.pentad, s),
        duty=_named(N.NAME_DUTY, f.duty, s), day_god=_named(N.NAME_TWELVE_GOD, f.day_god, s),
        day_god_yellow=bool(f.day_god_yellow), mansion=_named(N.NAME_MANSION, f.mansion, s),
        mansion_lucky=bool(f.mansion_lucky), clash=cycle(f.clash_cycle),
        sha=_named(N.NAME_QUARTER, f.sha_quarter, s),
        joy_god=_named(N.NAME_DIRECTION, f.joy_direction, s),
        wealth_god=_named(N.NAME_DIRECTION, f.wealth_direction, s),
        lucky_hours=tuple(_named(N.NAME_BRANCH, b, s) for b in builtins.range(12)
                          if f.lucky_hours >> b & 1),
        era=_named(N.NAME_ERA, f.era, s) if f.era >= 0 else None,
        era_year=f.era_year if f.era >= 0 else None,
        republic_year=f.republic_year or None)


def facts(when: Moment, script: str = 'hans', holidays: HolidaysArgument = None) -> Facts:
    """Every fact of a moment (a date means its 00:00, the 子 hour), the
    official days by the built-in arrangement or by `holidays` (a Holidays,
    or a file's path)."""
    moment = _moment(when)
    s = _script(script)
    out = _n.FactsC()
    out.size = ctypes.sizeof(out)
    with _Handle(holidays) as handle:
        _check(_n.lib.moonfold_facts_with(moment.year, moment.month, moment.day, moment.hour,
                                          moment.minute, handle, ctypes.byref(out)),
               moment.isoformat(timespec='minutes'))
    return _facts_of(out, s)


def text(keyword: str, when: Moment, script: str = 'hans',
         holidays: HolidaysArgument = None) -> str:
    """The text of a keyword (DATE, LUNARDAY, HEYEAR, SOLAR, PILLARS … in
    any case) at a moment, as the plug-in and the command show it."""
    if not isinstance(keyword, str):
        raise TypeError(f'moonfold: {keyword!r} is no keyword')
    moment = _moment(when)
    s = _script(script)
    word = keyword.encode('utf-8')
    if b'\0' in word:
        raise MoonfoldError(f'moonfold: {keyword!r} is no keyword')
    with _Handle(holidays) as handle:
        result = _n.text_of(lambda b, n: _n.lib.moonfold_text_with(
            word, moment.year, moment.month, moment.day, moment.hour, moment.minute, s, handle, b,
            n))
    if not isinstance(result, str):
        if result == _n.ERROR_KEYWORD:
            raise MoonfoldError(f'moonfold: {keyword!r} is no keyword')
        _raise(result, moment.isoformat(timespec='minutes'))
    return result


def _kinds(kinds: Union[None, str, Iterable[str]]) -> int:
    if kinds is None:
        return _n.EVENT_DEFAULT
    names = kinds.split(',') if isinstance(kinds, str) else list(kinds)
    bits = 0
    for kind in names:
        key = kind.strip().lower()
        if key not in _n.EVENT_KINDS:
            raise MoonfoldError(f'moonfold: {kind!r} is no kind of event '
                                f'({", ".join(_n.EVENT_KINDS)})')
        bits |= _n.EVENT_KINDS[key]
    return bits


_KIND_NAMES = {bit: name for name, bit in _n.EVENT_KINDS.items()}


def events(first_year: int, last_year: Optional[int] = None,
           kinds: Union[None, str, Iterable[str]] = None, script: str = 'hans',
           holidays: HolidaysArgument = None) -> list:
    """The events of the Gregorian years first_year..last_year (one year
    without last_year) in date order: kinds of 'term', 'lunar',
    'gregorian', 'off', 'work' and 'moon' (all but gregorian and moon by
    default), as the command's --year lists them."""
    last_year = first_year if last_year is None else last_year
    bits, s = _kinds(kinds), _script(script)
    what = f'{first_year}' if first_year == last_year else f'{first_year}:{last_year}'
    for year in (first_year, last_year):
        if not isinstance(year, int) or isinstance(year, bool):
            raise TypeError(f'moonfold: {year!r} is no year')
        if not (-2**31 <= year < 2**31):
            raise RangeError(f'moonfold: {what} — {_n.lib.moonfold_strerror(_n.ERROR_RANGE).decode()}')
    with _Handle(holidays) as handle:
        count = _check(_n.lib.moonfold_events_with(first_year, last_year, bits, handle, None, 0),
                       what)
        array = (_n.EventC * max(count, 1))()
        array[0].size = ctypes.sizeof(_n.EventC)
        _check(_n.lib.moonfold_events_with(first_year, last_year, bits, handle, array, count), what)
    found = []
    for e in array[:count]:
        found.append(Event(
            kind=_KIND_NAMES[e.kind], date=_date(e.date), lunar=_lunar(e.lunar),
            name=_name(e.name_kind, e.id, s), id=e.id,
            time=_time(e.time) if e.has_time else None, uncertain=bool(e.uncertain),
            reckoned=_time(e.reckoned) if e.issued else None,
            first_off=_date(e.first_off) if e.kind == _n.EVENT_KINDS['off'] else None,
            last_off=_date(e.last_off) if e.kind == _n.EVENT_KINDS['off'] else None,
            minute=_MINUTES[e.minute] if e.kind == _n.EVENT_KINDS['term'] else None))
    return found


def workday(day: _dt.date, holidays: HolidaysArgument = None) -> bool:
    """Whether a day is worked in China: False on an official day off, True
    on a make-up working day; else Monday to Friday.  UnannouncedYear for a
    year no notice has announced."""
    day = _day(day)
    with _Handle(holidays) as handle:
        result = _check(_n.lib.moonfold_workday(day.year, day.month, day.day, handle),
                        day.isoformat())
    return result == 0
