#!/usr/bin/python3
"""Holds the solar-term instants of the tables against ERFA's Sun.

The term tables come from PyEphem's Sun.  ERFA (Debian's python3-erfa, the
IAU's SOFA routines) gives the Sun of the IAU 2006 precession and 2000A
nutation models.  This tool finds every term of 1900-2100 again with ERFA:
the apparent geocentric longitude of the Sun, of date, corrected for
light-time and annual aberration, reaching a multiple of 15 degrees.

ERFA works in Terrestrial Time; the calendar shows Universal Time (+8 h).
The two differ by ΔT, which is measured for the past and only predicted for
the future.  The tool reports ERFA's instants twice:

  * with PyEphem's own ΔT, so that only the models of the Sun differ;
  * with Skyfield's ΔT (Debian's python3-skyfield): the IERS daily values
    from 1973 to the end of Skyfield's table (September 2023, observed to
    September 2022), before 1973 the spline of Morrison, Stephenson,
    Hohenkerk and Zawilski (2021) fitted to the historical record, and
    after the table the spline with which Skyfield joins the last year's
    trend to the long-term parabola of Stephenson, Morrison and Hohenkerk
    (2016).

For each it prints the largest difference, how many of the minutes the
tables show would change, and every term whose Beijing day would change.
A term day that moves is a change to the calendar, so the tool only
reports; it writes nothing.

Usage (from the project root):  tools/compare_sun_engines.py [--from Y] [--to Y]
"""

import argparse
import datetime
import math
import os
import sys

import ephem
import erfa
from skyfield.api import load

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import make_calendar_tables as tables  # noqa: E402

MJD_ZERO = 2400000.5
EPHEM_EPOCH_JD = 2415020.0  # PyEphem counts days from 1899-12-31 12:00
J2000 = datetime.datetime(2000, 1, 1, 12)
AU_PER_DAY = erfa.CMPS * erfa.DAYSEC / erfa.DAU  # the speed of light


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


def erfa_term_tt(year, index, near_tt):
    """The TT Julian date at which term `index` (0 = 小寒) of `year` falls,
    found by Newton steps from `near_tt`."""
    target = (285 + 15 * index) % 360
    tt = near_tt
    for _ in range(30):
        step = -((sun_longitude(tt) - target + 180) % 360 - 180) / 0.98565
        tt += step
        if abs(step) < 1e-9:
            return tt
    sys.exit(f'term {index} of {year}: no convergence')


def beijing(ut_jd):
    return J2000 + datetime.timedelta(days=ut_jd - 2451545.0) + tables.BEIJING


def minute(t):
    return t.replace(second=0, microsecond=0)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    parser.add_argument('--from', dest='first', type=int, default=tables.FIRST_YEAR)
    parser.add_argument('--to', dest='last', type=int, default=tables.LAST_YEAR)
    args = parser.parse_args()
    timescale = load.timescale(builtin=True)
    instants = tables.term_instants()
    shown = tables.compute_terms([], instants)  # the instants the tables are made from
    worst_model = 0.0
    changed = {'PyEphem ΔT': 0, 'Skyfield ΔT': 0}
    moved = []
    count = 0
    for year in range(args.first, args.last + 1):
        for index in range(24):
            ephem_date = instants[(year, index)]
            ephem_delta_t = ephem.delta_t(ephem_date)
            ut = float(ephem_date) + EPHEM_EPOCH_JD
            tt = erfa_term_tt(year, index, ut + ephem_delta_t / 86400)
            ours = shown[(year, index)]
            by_ephem_delta_t = beijing(tt - ephem_delta_t / 86400)
            by_skyfield_delta_t = beijing(tt - float(timescale.tt_jd(tt).delta_t) / 86400)
            worst_model = max(worst_model, abs((by_ephem_delta_t - tables.beijing(ephem_date))
                                               .total_seconds()))
            count += 1
            for what, t in (('PyEphem ΔT', by_ephem_delta_t), ('Skyfield ΔT', by_skyfield_delta_t)):
                if minute(t) != minute(ours):
                    changed[what] += 1
                if t.date() != ours.date():
                    moved.append((year, index, what, ours, t))
    print(f'{count} terms {args.first}-{args.last}: ERFA and PyEphem, each with PyEphem\'s ΔT, '
          f'differ by at most {worst_model:.1f} s.')
    for what, n in changed.items():
        print(f'ERFA with {what} changes {n} of the {count} minutes the tables show.')
    print('Term days ERFA would move:' if moved else 'No term day moves.')
    for year, index, what, ours, t in moved:
        print(f'  {year} term {index}: tables {ours}, ERFA with {what} {t:%Y-%m-%d %H:%M:%S}')


if __name__ == '__main__':
    main()
