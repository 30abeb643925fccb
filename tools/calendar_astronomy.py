"""The astronomy Moonfold's calendar tables are made from.

The Sun: ERFA (Debian's python3-erfa, the IAU's SOFA routines).  A solar
term is the instant at which the Sun's apparent geocentric ecliptic
longitude, of date, reaches a multiple of 15 degrees: the geometric place
corrected for light-time and annual aberration, carried to the true equator
and equinox of date by the IAU 2006 precession and 2000A nutation, and to
the ecliptic of date by the true obliquity.

The Moon: PyEphem's principal phases (Debian's python3-ephem).  PyEphem
reports them in Universal Time through its own ΔT; they are taken back to
Terrestrial Time with that ΔT.

One ΔT, for the Sun and the Moon alike, converts Terrestrial Time, in which
the ephemerides run, to the Universal Time the calendar is reckoned in:
Skyfield's (Debian's python3-skyfield) —

  * from 1973 to the end of its table, the IERS's observed daily values;
  * before 1973, the spline of Morrison, Stephenson, Hohenkerk and Zawilski
    (2021) fitted to the historical record;
  * after its table, the spline with which Skyfield joins the last years'
    trend to the long-term parabola of Stephenson, Morrison and Hohenkerk
    (2016).

PyEphem's Sun is kept as the second engine for the terms.
"""

import datetime
import math
import warnings

import ephem
import erfa
from skyfield.api import load

BEIJING = datetime.timedelta(hours=8)
J2000 = datetime.datetime(2000, 1, 1, 12)
J2000_JD = 2451545.0
MJD_ZERO = 2400000.5
EPHEM_EPOCH_JD = 2415020.0  # PyEphem counts days from 1899-12-31 12:00
AU_PER_DAY = erfa.CMPS * erfa.DAYSEC / erfa.DAU  # the speed of light
SOLAR_DEGREES_PER_DAY = 0.98565

# ERFA's Earth ephemeris is fitted to 1900-2100 and warns outside it; the
# terms of 1899 and 2101 that the calendar needs as neighbours lie days
# from its edges, well within its accuracy.
warnings.filterwarnings('ignore', message='.*date outside')

_TIMESCALE = load.timescale(builtin=True)


def delta_t(tt):
    """ΔT (TT - UT) in seconds at the Julian date `tt` (TT)."""
    return float(_TIMESCALE.tt_jd(tt).delta_t)


def julian_date(moment):
    """The Julian date of a naive datetime, in its own time scale."""
    return J2000_JD + (moment - J2000).total_seconds() / 86400


def beijing(tt, seconds_of_delta_t=None):
    """The Beijing time (UT + 8 h) of the Julian date `tt` (TT), as a naive
    datetime to the microsecond, with the tables' ΔT or the one given."""
    shift = delta_t(tt) if seconds_of_delta_t is None else seconds_of_delta_t
    return J2000 + datetime.timedelta(days=tt - J2000_JD, seconds=-shift) + BEIJING


def sun_longitude(tt):
    """Apparent geocentric ecliptic longitude of the Sun, of date, degrees,
    at the Julian date `tt` (TT)."""
    day = tt - MJD_ZERO
    helio, bary = erfa.epv00(MJD_ZERO, day)
    earth = bary['p']
    velocity = bary['v'] / AU_PER_DAY
    # The Sun is seen where it was when its light left it, about 8.3 min ago.
    light_time = math.sqrt((helio['p'] ** 2).sum()) / AU_PER_DAY
    helio_then, bary_then = erfa.epv00(MJD_ZERO, day - light_time)
    sun = (bary_then['p'] - helio_then['p']) - earth
    distance = math.sqrt((sun ** 2).sum())
    apparent = erfa.ab(sun / distance, velocity, distance, math.sqrt(1 - (velocity ** 2).sum()))
    # GCRS to the true equator and equinox of date, then to the ecliptic
    # of date through the true obliquity.
    x = erfa.pnm06a(MJD_ZERO, day) @ apparent
    obliquity = erfa.obl06(MJD_ZERO, day) + erfa.nut06a(MJD_ZERO, day)[1]
    return math.degrees(math.atan2(math.cos(obliquity) * x[1] + math.sin(obliquity) * x[2],
                                   x[0])) % 360


def term_longitude(index):
    """The Sun's longitude at term `index` (0 = 小寒, at 285 degrees)."""
    return (285 + 15 * index) % 360


def _newton(longitude, target, tt):
    """The Julian date near `tt` at which `longitude` reaches `target`."""
    for _ in range(50):
        step = -((longitude(tt) - target + 180) % 360 - 180) / SOLAR_DEGREES_PER_DAY
        tt += step
        if abs(step) < 1e-9:
            return tt
    raise ArithmeticError(f'no convergence towards {target} degrees')


def term_tt(year, index):
    """The Julian date (TT) of term `index` of Gregorian year `year`, by ERFA,
    from its place at the mean pace of the Sun."""
    guess = julian_date(datetime.datetime(year, 1, 6)) + index * 365.2422 / 24
    return _newton(sun_longitude, term_longitude(index), guess)


def ephem_tt(date):
    """The Julian date (TT) of a PyEphem date, through PyEphem's own ΔT."""
    return float(date) + EPHEM_EPOCH_JD + ephem.delta_t(date) / 86400


def ephem_sun_longitude(tt):
    """PyEphem's apparent geocentric ecliptic longitude of the Sun, of date,
    at the Julian date `tt` (TT): the second engine's Sun."""
    ut = ephem.Date(tt - EPHEM_EPOCH_JD)
    d = ephem.Date(tt - EPHEM_EPOCH_JD - ephem.delta_t(ut) / 86400)
    sun = ephem.Sun(d)
    equatorial = ephem.Equatorial(sun.g_ra, sun.g_dec, epoch=d)
    return math.degrees(ephem.Ecliptic(equatorial, epoch=d).lon)


def ephem_term_tt(index, near_tt):
    """The Julian date (TT) of term `index` by PyEphem's Sun, near `near_tt`."""
    return _newton(ephem_sun_longitude, term_longitude(index), near_tt)


def moon_phases_tt(first, end):
    """The Julian dates (TT) of every principal phase of the moon, by
    PyEphem, from the first new moon after the PyEphem date `first` to
    `end`, in order: new, first quarter, full, last quarter, new ..."""
    finders = [ephem.next_new_moon, ephem.next_first_quarter_moon, ephem.next_full_moon,
               ephem.next_last_quarter_moon]
    phases = []
    d = ephem.next_new_moon(first)
    while d < end:
        phases.append(ephem_tt(d))
        d = finders[len(phases) % 4](d + 0.5)
    return phases
