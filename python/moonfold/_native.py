"""The C interface of libmoonfold as ctypes sees it: the library found and
loaded, its structs as the header (moonfold/moonfold.h) lays them out, and
each function's argument and result types.  Nothing here is public: the
package's __init__ turns these into Python's own types."""

import ctypes
import os

# The header's constants that the bindings use.
OK = 0
ERROR_RANGE = -1
ERROR_DATE = -2
ERROR_NULL = -3
ERROR_KEYWORD = -4
ERROR_SCRIPT = -5
ERROR_TIME = -6
ERROR_MEMORY = -7
ERROR_UNANNOUNCED = -8
ERROR_NAME = -9
ERROR_SIZE = -10
ERROR_KINDS = -11
ERROR_FILE = -12

DAY_UNANNOUNCED, DAY_ORDINARY, DAY_OFF, DAY_MAKE_UP = range(4)

(NAME_STEM, NAME_BRANCH, NAME_CYCLE, NAME_ANIMAL, NAME_WEEKDAY, NAME_SOLAR_TERM,
 NAME_STAR_SIGN, NAME_LUNAR_MONTH, NAME_LEAP_MONTH, NAME_LUNAR_DAY, NAME_FIXED_FESTIVAL,
 NAME_WEEKDAY_FESTIVAL, NAME_LAST_WEEK_FESTIVAL, NAME_LUNAR_FESTIVAL, NAME_COUNTDOWN_FESTIVAL,
 NAME_HOLIDAY, NAME_SEASON_PERIOD, NAME_PENTAD, NAME_MOON_PHASE, NAME_DUTY, NAME_TWELVE_GOD,
 NAME_MANSION, NAME_DIRECTION, NAME_QUARTER, NAME_PENGZU_STEM, NAME_PENGZU_BRANCH,
 NAME_ERA) = range(27)

MINUTE_ISSUED, MINUTE_RECKONED, MINUTE_NONE = range(3)

# The kinds of event, by the names the command's --kinds takes.
EVENT_KINDS = {'term': 0x01, 'lunar': 0x02, 'gregorian': 0x04, 'off': 0x08, 'work': 0x10,
               'moon': 0x20}
EVENT_DEFAULT = 0x01 | 0x02 | 0x08 | 0x10

MAX_FESTIVALS = 8

VERSION_NEEDED = 1002000  # 1.2.0, as MOONFOLD_VERSION_NUMBER counts it


class LunarDateC(ctypes.Structure):
    _fields_ = [('year', ctypes.c_int), ('month', ctypes.c_int), ('day', ctypes.c_int),
                ('leap', ctypes.c_int)]


class DateC(ctypes.Structure):
    _fields_ = [('year', ctypes.c_int), ('month', ctypes.c_int), ('day', ctypes.c_int)]


class MomentC(ctypes.Structure):
    _fields_ = [('year', ctypes.c_int), ('month', ctypes.c_int), ('day', ctypes.c_int),
                ('hour', ctypes.c_int), ('minute', ctypes.c_int)]


class FestivalListC(ctypes.Structure):
    _fields_ = [('count', ctypes.c_int), ('ids', ctypes.c_int * MAX_FESTIVALS)]


def _ints(*names):
    return [(name, ctypes.c_int) for name in names]


class FactsC(ctypes.Structure):
    _fields_ = ([('size', ctypes.c_size_t), ('time', MomentC)] + _ints('weekday') +
                [('lunar', LunarDateC)] +
                _ints('lunar_uncertain', 'year_cycle', 'month_cycle', 'day_cycle', 'hour_branch',
                      'zodiac', 'pillar_year', 'pillar_month', 'pillar_day', 'pillar_hour',
                      'solar_term') +
                [('solar_term_time', MomentC)] + _ints('solar_term_uncertain', 'solar_term_issued') +
                [('solar_term_reckoned', MomentC)] + _ints('next_term') +
                [('next_term_time', MomentC)] +
                _ints('next_term_days', 'next_term_uncertain', 'star_sign') +
                [('fixed_festivals', FestivalListC), ('weekday_festivals', FestivalListC),
                 ('last_week_festivals', FestivalListC), ('lunar_festivals', FestivalListC)] +
                _ints('next_festival') + [('next_festival_date', DateC)] +
                _ints('next_festival_days', 'official', 'holiday', 'moon_phase', 'moon_has_time') +
                [('moon_time', MomentC)] +
                _ints('moon_uncertain', 'season_period', 'season_day', 'pentad',
                      'almanac_month_branch', 'duty', 'day_god', 'day_god_yellow', 'mansion',
                      'mansion_lucky', 'clash_cycle', 'sha_quarter', 'joy_direction',
                      'wealth_direction', 'lucky_hours',
                      # since 1.2
                      'solar_term_minute', 'era', 'era_year', 'republic_year'))


class EventC(ctypes.Structure):
    _fields_ = ([('size', ctypes.c_size_t)] + _ints('kind') + [('date', DateC), ('lunar', LunarDateC)] +
                _ints('name_kind', 'id', 'has_time') + [('time', MomentC)] +
                _ints('uncertain', 'issued') +
                [('reckoned', MomentC), ('first_off', DateC), ('last_off', DateC)] +
                _ints('minute'))  # since 1.2


def _find():
    """The library: $MOONFOLD_LIBRARY, else the copy a wheel carries beside
    this module, else the system's (libmoonfold1, or a prefix install that
    ldconfig knows)."""
    named = os.environ.get('MOONFOLD_LIBRARY')
    if named:
        return named
    beside = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'libmoonfold.so.1')
    if os.path.exists(beside):
        return beside
    return 'libmoonfold.so.1'


def _load():
    path = _find()
    try:
        lib = ctypes.CDLL(path)
    except OSError as e:
        raise ImportError(f'moonfold: cannot load {path}: {e} (install libmoonfold1, or set '
                          'MOONFOLD_LIBRARY to the library\'s path)') from None
    c_int, c_char_p, c_size_t, c_uint = ctypes.c_int, ctypes.c_char_p, ctypes.c_size_t, ctypes.c_uint
    handle = ctypes.c_void_p
    buffer = ctypes.c_char_p
    signatures = {
        'moonfold_to_lunar': (c_int, [c_int, c_int, c_int, ctypes.POINTER(LunarDateC)]),
        'moonfold_from_lunar': (c_int, [ctypes.POINTER(LunarDateC), ctypes.POINTER(c_int),
                                        ctypes.POINTER(c_int), ctypes.POINTER(c_int)]),
        'moonfold_facts_with': (c_int, [c_int] * 5 + [handle, ctypes.POINTER(FactsC)]),
        'moonfold_name': (c_int, [c_int, c_int, c_int, buffer, c_size_t]),
        'moonfold_text_with': (c_int, [c_char_p] + [c_int] * 6 + [handle, buffer, c_size_t]),
        'moonfold_events_with': (c_int, [c_int, c_int, c_uint, handle, ctypes.POINTER(EventC),
                                         c_size_t]),
        'moonfold_workday': (c_int, [c_int, c_int, c_int, handle]),
        'moonfold_year_announced': (c_int, [c_int, handle]),
        'moonfold_arrangement_open': (handle, [c_char_p, buffer, c_size_t]),
        'moonfold_arrangement_read': (handle, [c_char_p, c_char_p, c_size_t, buffer, c_size_t]),
        'moonfold_arrangement_warnings': (c_int, [handle, buffer, c_size_t]),
        'moonfold_arrangement_close': (None, [handle]),
        'moonfold_range': (c_int, [ctypes.POINTER(DateC), ctypes.POINTER(DateC)]),
        'moonfold_strerror': (c_char_p, [c_int]),
        'moonfold_version': (c_char_p, []),
        'moonfold_version_number': (c_int, []),
    }
    for name, (restype, argtypes) in signatures.items():
        function = getattr(lib, name)
        function.restype = restype
        function.argtypes = argtypes
    # The structs above are 1.2's: an older library would leave their last
    # fields unset.
    if lib.moonfold_version_number() < VERSION_NEEDED:
        raise ImportError(f'moonfold: {path} is libmoonfold {lib.moonfold_version().decode()}; '
                          'this module needs 1.2 or later')
    return lib


lib = _load()


def text_of(write):
    """A text the library writes like snprintf: into a buffer, and again
    into one of the right size when it was cut.  Its result code when the
    call fails."""
    buffer = ctypes.create_string_buffer(256)
    n = write(buffer, len(buffer))
    if n < 0:
        return n
    if n >= len(buffer):
        buffer = ctypes.create_string_buffer(n + 1)
        n = write(buffer, len(buffer))
        if n < 0:
            return n
    return buffer.value.decode('utf-8')
