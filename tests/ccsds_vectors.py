#!/usr/bin/python3
"""Writes the rows of tests/ccsds_test.cpp's vector table, apart from the library.

Each instant is a UTC date and time; astropy/ERFA give its count (TAI seconds
since 1996-01-01 less the leap seconds after 1997-07-01 that the scale does
not count), its CDS day (MJD less that of the epoch) and its day of the year.
The octets are packed with struct from the layouts of CCSDS 301.0-B-4:

    /usr/bin/python3 tests/ccsds_vectors.py > /tmp/rows.inc
"""
import random
import struct
import warnings

import erfa
from astropy.time import Time

MJD_1958 = 36204
MJD_1996 = 50083


def dtai(year, mon, day):
    return erfa.dat(year, mon, day, 0.5)


def count_of(year, mon, day, hour, minute, sec):
    """The Sec1996 count: TAI seconds from the epoch, less the uncounted leap seconds."""
    t = Time(f"{year:04d}-{mon:02d}-{day:02d}T{hour:02d}:{minute:02d}:{sec:02d}", scale="utc")
    epoch = Time("1996-01-01T00:00:00", scale="utc")
    tai_seconds = round((t.tai - epoch.tai).sec)
    uncounted = dtai(year, mon, day) - 31 if (year, mon, day) >= (1997, 7, 1) else 0
    return tai_seconds - int(uncounted)


def bcd(value):
    return ((value // 10) << 4) | (value % 10)


def rows(instant):
    year, mon, day, hour, minute, sec, ps = instant
    count = count_of(year, mon, day, hour, minute, sec)
    mjd = int(Time(f"{year:04d}-{mon:02d}-{day:02d}", scale="utc").mjd)
    doy = Time(f"{year:04d}-{mon:02d}-{day:02d}", scale="utc").yday.split(":")[1]
    ms = (hour * 3600 + minute * 60 + sec) * 1000 + ps // 10**9
    us = ps % 10**9 // 10**6
    fine16 = (ps << 16) // 10**12  # truncated binary fraction
    cuc = struct.pack(">BIH", 0x2E, count, fine16)
    cds58 = struct.pack(">BHIH", 0x41, mjd - MJD_1958, ms, us)
    cds96 = struct.pack(">B", 0x4E) + struct.pack(">I", mjd - MJD_1996)[1:] + struct.pack(
        ">II", ms, ps % 10**9)
    sub = f"{ps:012d}"[:4]
    ccs = bytes([0x52, bcd(year // 100), bcd(year % 100), bcd(mon), bcd(day), bcd(hour),
                 bcd(minute), bcd(sec), bcd(int(sub[:2])), bcd(int(sub[2:]))])
    ccs_doy = bytes([0x5A, bcd(year // 100), bcd(year % 100), int(doy) // 100,
                     bcd(int(doy) % 100)]) + ccs[5:]
    hexes = [b.hex().upper() for b in (cuc, cds58, cds96, ccs, ccs_doy)]
    label = f"{year:04d}-{mon:02d}-{day:02d}T{hour:02d}:{minute:02d}:{sec:02d}.{ps:012d}"
    return (f'    {{"{label}", {count}U, {ps}ULL, {fine16 << 48:#x}ULL,\n'
            + "".join(f'     "{h}",\n' for h in hexes)).rstrip(",\n") + "},"


INSTANTS = [
    (1996, 1, 1, 0, 0, 0, 0),  # the scale's epoch
    (1996, 1, 1, 0, 0, 1, 500000000000),
    (1997, 6, 30, 23, 59, 59, 0),  # the leap second's neighbourhood
    (1997, 6, 30, 23, 59, 60, 0),
    (1997, 6, 30, 23, 59, 60, 999000000000),
    (1997, 7, 1, 0, 0, 0, 0),
    (1998, 12, 31, 23, 59, 59, 0),  # a UTC leap day the scale does not count
    (1999, 1, 1, 0, 0, 0, 0),
    (2000, 2, 29, 12, 0, 0, 0),
    (2026, 12, 9, 12, 34, 56, 789000000000),
    (2132, 2, 7, 6, 28, 14, 999999999999),  # the last second of the scale
]


def main():
    warnings.simplefilter("ignore")
    rng = random.Random(19)
    instants = list(INSTANTS)
    for _ in range(8):
        t = Time(rng.uniform(50083, 61383 + 30000), format="mjd", scale="utc")
        y, m, d, hh, mm, ss = (int(v) for v in t.strftime("%Y %m %d %H %M %S").split())
        instants.append((y, m, d, hh, mm, ss, rng.randrange(10**12)))
    for instant in instants:
        print(rows(instant))


if __name__ == "__main__":
    main()
