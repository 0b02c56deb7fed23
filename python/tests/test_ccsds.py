"""The CCSDS time codes: octets packed here by struct from the layouts of
CCSDS 301.0-B-4 and the instants of numpy's calendar, the refusals of the
library's decoders and encoders, and what the package makes of numpy's S
dtype, its containers and its error modes."""

import struct
import warnings
from pathlib import Path

import dask.array as da
import numpy as np
import pandas as pd
import pytest
import sec1996
import xarray as xr
from conftest import LAST, LEAP, posix_of
from sec1996 import LeapListExpiredWarning, ufunc

S = sec1996.Sec1996ParseStatus
DAY_1958 = np.datetime64("1958-01-01", "D")
# The instants of the vectors: the epoch, the leap second and its neighbours,
# 1998-12-31T23:59:59 (a UTC leap second follows that the scale does not
# count), the end of the scale, and two more.
INSTANTS = [0, LEAP - 1, LEAP, LEAP + 1, 94780800, 123456789, 3000000000, LAST]
DATA = Path(__file__).resolve().parents[2] / "tests" / "data"
PINNED = sec1996.LeapList.from_file(DATA / "leap-seconds.list")
LEVEL_1 = {"level": 1, "leap_list": PINNED}
# (NTP seconds from which, TAI-UTC) of the pinned list, read here from its text.
TAI_UTC = [tuple(int(v) for v in line.split()[:2])
           for line in (DATA / "leap-seconds.list").read_text().splitlines()
           if line.strip() and not line.startswith("#")]
NTP_1900 = np.datetime64("1900-01-01", "D")


def utc(count: int):
    """(day, second of the day, calendar text) of a count by numpy: the leap
    second is second 86400 of 1997-06-30."""
    leap = count == LEAP
    when = np.datetime64(int(posix_of(np.array([count]))[0]), "s")
    day = when.astype("datetime64[D]")
    second = int((when - day).astype(int)) + leap
    text = str(when).replace("-", "").replace("T", "").replace(":", "")
    return day, second, text[:-2] + ("60" if leap else text[-2:])


def cuc_pfield(coarse: int, fine: int) -> bytes:
    if coarse <= 4 and fine <= 3:
        return bytes([0x20 | (coarse - 1) << 2 | fine])
    first = 0xA0 | (min(coarse, 4) - 1) << 2 | min(fine, 3)
    return bytes([first, max(coarse - 4, 0) << 5 | max(fine - 3, 0) << 2])


def cuc(count: int, fraction: int, coarse: int = 4, fine: int = 2) -> bytes:
    t = count.to_bytes(coarse, "big") + (fraction >> (64 - 8 * fine)).to_bytes(fine, "big")
    return cuc_pfield(coarse, fine) + t


def tai_1958(count: int) -> int:
    """TAI seconds since 1958-01-01 by numpy's calendar and the pinned list:
    the UTC day and second, plus TAI-UTC in force at 00:00 of that day (a
    leap second, second 86400, still has the value before it)."""
    day, second, _ = utc(count)
    ntp = int((day - NTP_1900).astype(int)) * 86400
    offset = [tai_utc for start, tai_utc in TAI_UTC if start <= ntp][-1]
    return int((day - DAY_1958).astype(int)) * 86400 + int(second) + offset


def cuc_tai(count: int, fraction: int, coarse: int = 4, fine: int = 2) -> bytes:
    """A level-1 CUC: time code id 001, the coarse time TAI seconds."""
    p = cuc_pfield(coarse, fine)
    t = tai_1958(count).to_bytes(coarse, "big") + (fraction >> 64 - 8 * fine).to_bytes(fine, "big")
    return bytes([p[0] & 0x8F | 0x10]) + p[1:] + t


def cds(count: int, picoseconds: int, sub: str = "us") -> bytes:
    day, second, _ = utc(count)
    ms = second * 1000 + picoseconds // 10**9
    t = struct.pack(">HI", int((day - DAY_1958).astype(int)), ms)
    if sub == "us":
        t += struct.pack(">H", picoseconds // 10**6 % 1000)
    return bytes([0x41 if sub == "us" else 0x40]) + t


def ccs(count: int, picoseconds: int, octets: int = 3, day_of_year: bool = False) -> bytes:
    day, _, text = utc(count)
    if day_of_year:
        year = day.astype("datetime64[Y]")
        text = text[:4] + "0%03d" % ((day - year).astype(int) + 1) + text[8:]
    digits = text + ("%012d" % picoseconds)[: 2 * octets]
    return bytes([0x50 | day_of_year << 3 | octets]) + bytes.fromhex(digits)


def test_codes_are_the_octets_of_their_layouts():
    rng = np.random.default_rng(58)
    picoseconds = [int(p) for p in rng.integers(0, 10**12, len(INSTANTS))]
    binary = [int(f) for f in rng.integers(0, 2**64, len(INSTANTS), dtype=np.uint64)]
    cases = [
        (sec1996.to_cuc, sec1996.from_cuc, {}, binary, lambda c, f: cuc(c, f), 16),
        (sec1996.to_cuc, sec1996.from_cuc, {"coarse": 5, "fine": 4}, binary,
         lambda c, f: cuc(c, f, 5, 4), 32),
        (sec1996.to_cds, sec1996.from_cds, {}, picoseconds, lambda c, p: cds(c, p), 10**6),
        (sec1996.to_cds, sec1996.from_cds, {"sub_ms": "none"}, picoseconds,
         lambda c, p: cds(c, p, "none"), 10**9),
        (sec1996.to_ccs, sec1996.from_ccs, {}, picoseconds, lambda c, p: ccs(c, p), 10**6),
        (sec1996.to_ccs, sec1996.from_ccs, {"day_of_year": True, "sub_second_octets": 6},
         picoseconds, lambda c, p: ccs(c, p, 6, True), 1),
    ]
    for encode, decode, layout, fractions, expected, unit in cases:
        codes = encode(INSTANTS, fractions, **layout)
        want = [expected(c, f) for c, f in zip(INSTANTS, fractions)]
        assert [bytes(code) for code in codes] == want, (encode.__name__, layout)
        counts, back = decode(want, **layout)
        assert counts.tolist() == INSTANTS, (decode.__name__, layout)
        if encode is sec1996.to_cuc:  # binary: truncated to the fine octets
            kept = [f >> (64 - 8 * layout.get("fine", 2)) << (64 - 8 * layout.get("fine", 2))
                    for f in fractions]
        else:
            kept = [f // unit * unit for f in fractions]
        assert back.tolist() == kept, (decode.__name__, layout)


def test_the_leap_second_in_each_code():
    assert bytes(sec1996.to_cuc(LEAP)) == bytes.fromhex("2e02d124800000")
    # Day 1997-06-30 of the 1958 epoch, and millisecond 86,400,000 of it.
    day = int((np.datetime64("1997-06-30") - DAY_1958).astype(int))
    code = bytes([0x41]) + struct.pack(">HIH", day, 86_400_000, 0)
    assert bytes(sec1996.to_cds(LEAP)) == code
    assert sec1996.from_cds(code) == (LEAP, 0)
    last = bytes([0x41]) + struct.pack(">HIH", day, 86_400_999, 999)
    assert sec1996.from_cds(last) == (LEAP, 999_999_000_000)
    assert sec1996.from_ccs(bytes.fromhex("5319970630235960000000")) == (LEAP, 0)


def test_every_layout_round_trips_random_counts():
    rng = np.random.default_rng(301)
    counts = rng.integers(0, 2**32, 2000, dtype=np.uint32)
    binary = rng.integers(0, 2**64, 2000, dtype=np.uint64)
    picoseconds = rng.integers(0, 10**12, 2000, dtype=np.uint64)
    layouts = [("cuc", {"coarse": c, "fine": f, "p_field": p}, binary, c)
               for c in range(1, 8) for f in range(9) for p in (True, False)]
    layouts += [("cds", {"day_octets": d, "sub_ms": s, "epoch": e, "p_field": p}, picoseconds, 0)
                for d in (2, 3) for s in ("none", "us", "ps") for e in (1958, "1996-01-01")
                for p in (True, False)]
    layouts += [("ccs", {"day_of_year": y, "sub_second_octets": o, "p_field": p}, picoseconds, 0)
                for y in (False, True) for o in range(7) for p in (True, False)]
    for name, layout, fractions, coarse in layouts:
        encode, decode = getattr(sec1996, "to_" + name), getattr(sec1996, "from_" + name)
        these = counts % (1 << 8 * coarse) if 0 < coarse < 4 else counts
        codes, status = encode(these, fractions, errors="status", **layout)
        # 2137-06-06 ends the 16-bit day from 1958: every count fits.
        assert not status.any(), (name, layout)
        (back, kept), status = decode(codes, errors="status", **layout)
        assert not status.any() and np.array_equal(back, these), (name, layout)
        again = encode(back, kept, **layout)
        assert again.tobytes() == codes.tobytes(), (name, layout)
        assert (kept <= fractions).all(), (name, layout)


# Across 1998-12-31T23:59:60 and 2016-12-31T23:59:60, which the scale does
# not count, the coarse time steps by 2.
TAI_INSTANTS = [0, LEAP - 1, LEAP, LEAP + 1, 94780800, 94780801, 662774400, 662774401,
                990000000]


def test_cuc_level_1_is_tai_seconds_since_1958():
    assert tai_1958(0) == 0x4779829E and tai_1958(LEAP) == tai_1958(LEAP - 1) + 1
    rng = np.random.default_rng(1958)
    fractions = [int(f) for f in rng.integers(0, 2**64, len(TAI_INSTANTS), dtype=np.uint64)]
    for coarse, fine, p_field in [(4, 2, True), (5, 3, True), (4, 5, True), (6, 0, False)]:
        layout = {**LEVEL_1, "coarse": coarse, "fine": fine, "p_field": p_field}
        want = [cuc_tai(c, f, coarse, fine)[0 if p_field else len(cuc_pfield(coarse, fine)):]
                for c, f in zip(TAI_INSTANTS, fractions)]
        codes = sec1996.to_cuc(TAI_INSTANTS, fractions, **layout)
        assert [bytes(code) for code in codes] == want, layout
        counts, kept = sec1996.from_cuc(want, **layout)
        assert counts.tolist() == TAI_INSTANTS, layout
        shift = 64 - 8 * fine
        assert kept.tolist() == [f >> shift << shift if fine else 0 for f in fractions], layout
    # Random counts before the pinned list's expiry, 2027-06-28, round trip.
    counts = rng.integers(0, 990000000, 2000, dtype=np.uint32)
    binary = rng.integers(0, 2**64, 2000, dtype=np.uint64)
    with warnings.catch_warnings():
        warnings.simplefilter("error")
        codes = sec1996.to_cuc(counts, binary, fine=8, **LEVEL_1)
        back, kept = sec1996.from_cuc(codes, fine=8, **LEVEL_1)
    assert np.array_equal(back, counts) and np.array_equal(kept, binary)


def test_cuc_level_1_refuses_or_maps_the_leap_second_the_scale_lacks():
    code = cuc_tai(662774400, 1 << 63)[:-6] + (tai_1958(662774400) + 1).to_bytes(4, "big") + \
        b"\x80\x00"  # 2016-12-31T23:59:60.5
    codes = [cuc_tai(662774400, 0), code, cuc_tai(662774401, 0)]
    with pytest.raises(ValueError, match=r"at index 1 \(1E6EFAA5248000\) .*map_leap=True"):
        sec1996.from_cuc(codes, **LEVEL_1)
    mapped = sec1996.from_cuc(codes, map_leap=True, **LEVEL_1)
    assert mapped[0].tolist() == [662774400] * 2 + [662774401] and mapped[1][1] == 1 << 63
    (counts, _), status = sec1996.from_cuc(codes, map_leap=[False, True, False],
                                           errors="status", **LEVEL_1)
    assert counts.tolist() == mapped[0].tolist() and status.tolist() == [0, 15, 0]
    masked, _ = sec1996.from_cuc(np.array(codes, "V7"), map_leap=[True, False, True],
                                 errors="coerce", **LEVEL_1)
    assert masked.mask.tolist() == [False, True, False]


def test_cuc_level_1_past_the_expiry_converts_with_a_warning_and_status_16():
    expired = sec1996.LeapList.from_file(DATA / "leap-seconds-expired.list")
    june2020 = sec1996.from_iso("2020-06-28T00:00:00")
    counts = [june2020 - 1, june2020, june2020 + 1]
    for errors in ["raise", "coerce"]:
        with pytest.warns(LeapListExpiredWarning, match="to_cuc: 2 value.*2020-06-28") as w:
            codes = sec1996.to_cuc(counts, level=1, leap_list=expired, errors=errors)
        assert len(w) == 1 and w[0].filename == __file__
        assert [bytes(c) for c in np.ma.getdata(codes)] == [cuc_tai(c, 0) for c in counts]
        with pytest.warns(LeapListExpiredWarning, match="from_cuc: 2 value"):
            back, _ = sec1996.from_cuc(codes, level=1, leap_list=expired, errors=errors)
        assert back.tolist() == counts and not np.ma.getmaskarray(back).any()
    with warnings.catch_warnings():
        warnings.simplefilter("error")
        codes, status = sec1996.to_cuc(counts, level=1, leap_list=expired, errors="status")
        assert status.tolist() == [0, S.LIST_EXPIRED, S.LIST_EXPIRED]
        assert [bytes(c) for c in codes] == [cuc_tai(c, 0) for c in counts]
        (back, _), status = sec1996.from_cuc(codes, level=1, leap_list=expired, errors="status")
        assert back.tolist() == counts and status.tolist() == [0, 16, 16]


def test_the_level_1_gufuncs_refuse_an_unknown_list_id_without_crashing():
    ids = np.array([0, PINNED.id, -1, 10**6, 2**62])
    codes, status = ufunc.to_cuc_tai(0, 0, [1, 4, 2], ids, out=(np.zeros((5, 7), np.uint8), None))
    assert status.tolist() == [0, 0, 21, 21, 21] and not codes[2:].any()
    assert codes[1].tobytes() == cuc_tai(0, 0)
    octets = np.frombuffer(cuc_tai(1, 0), np.uint8)
    counts, _, status = ufunc.from_cuc_tai(octets, [1, 4, 2], False, ids, True)
    assert counts.tolist() == [1, 1, 0, 0, 0] and status.tolist() == [0, 0, 21, 21, 21]
    objects = np.array([cuc_tai(1, 0)], object)
    status = ufunc.from_cuc_tai_object(objects, [1, 4, 2], ids, False)[2]
    assert status.tolist() == [0, 0, 21, 21, 21]


def day_ms(date: str, ms: int, sub=b"\x00\x00") -> bytes:
    day = int((np.datetime64(date) - DAY_1958).astype(int))
    return bytes([0x41]) + struct.pack(">HI", day, ms) + sub


# (decoder, layout, code, the status of the C library)
DECODER_REFUSALS = [
    (sec1996.from_cuc, {}, bytes.fromhex("2e02d124"), S.TRUNCATED),
    (sec1996.from_cuc, {}, day_ms("1997-06-30", 0)[:7], S.WRONG_CODE),  # a CDS P-field
    (sec1996.from_cuc, {}, bytes.fromhex("1e02d124800000"), S.WRONG_CODE),  # CUC level 1
    (sec1996.from_cuc, {}, bytes.fromhex("0e02d124800000"), S.RESERVED),  # time code id 000
    (sec1996.from_cuc, {}, bytes.fromhex("2b02d124800000"), S.OTHER_LAYOUT),  # CUC 3+3
    (sec1996.from_cuc, {"coarse": 5}, bytes.fromhex("ae20ffffffffff0000"), S.OUT_OF_SPAN),
    (sec1996.from_cuc, LEVEL_1, bytes.fromhex("2e02d124800000"), S.WRONG_CODE),  # level 2
    (sec1996.from_cuc, LEVEL_1, bytes.fromhex("1e4779829d0000"), S.OUT_OF_SPAN),  # before 0
    (sec1996.from_cuc, LEVEL_1, bytes.fromhex("1e6efaa5240000"), S.LEAP_NOT_ON_SCALE),
    (sec1996.from_cuc, LEVEL_1, bytes.fromhex("1b4a4aa71e0000"), S.OTHER_LAYOUT),  # CUC 3+3
    (sec1996.from_ccs, {}, bytes.fromhex("531a970630235959000000"), S.BAD_DIGIT),
    (sec1996.from_ccs, {}, bytes.fromhex("5319971301000000000000"), S.FIELD_RANGE),  # month 13
    (sec1996.from_ccs, {}, bytes.fromhex("5319970632000000000000"), S.FIELD_RANGE),  # day 32
    (sec1996.from_ccs, {}, bytes.fromhex("5319970630240000000000"), S.FIELD_RANGE),  # hour 24
    (sec1996.from_ccs, {}, bytes.fromhex("5319970229000000000000"), S.NO_SUCH_DATE),
    (sec1996.from_ccs, {}, bytes.fromhex("5319981231235960000000"), S.NOT_LEAP_SECOND),
    (sec1996.from_ccs, {}, bytes.fromhex("5319951231235959000000"), S.OUT_OF_SPAN),
    (sec1996.from_cds, {}, day_ms("1998-12-31", 86_400_000), S.NOT_LEAP_SECOND),
    (sec1996.from_cds, {}, day_ms("1997-06-29", 86_400_000), S.NOT_LEAP_SECOND),
    (sec1996.from_cds, {}, day_ms("1997-06-30", 86_401_000), S.FIELD_RANGE),
    (sec1996.from_cds, {}, day_ms("1997-06-30", 0, b"\x03\xe8"), S.FIELD_RANGE),  # 1000 us
    (sec1996.from_cds, {}, day_ms("1995-12-31", 86_399_999), S.OUT_OF_SPAN),
    (sec1996.from_cds, {}, bytes([0xC1]) + day_ms("1997-06-30", 0)[1:], S.RESERVED),  # extended
    (sec1996.from_cds, {}, day_ms("1997-06-30", 0) + b"\x00", S.OTHER_LAYOUT),  # too long
    (sec1996.from_cds, {}, None, S.NOT_A_NUMBER),
    (sec1996.from_cds, {}, 5, S.SYNTAX),
]


@pytest.mark.parametrize("decode, layout, code, status", DECODER_REFUSALS)
def test_decoders_refuse_as_the_library_does(decode, layout, code, status):
    good = bytes(sec1996.to_cds(LEAP) if decode is sec1996.from_cds else
                 getattr(sec1996, "to_" + decode.__name__[5:])(LEAP, **layout))
    codes = np.array([good, code], dtype=object)
    (counts, fractions), got = decode(codes, errors="status", **layout)
    assert got.tolist() == [0, status] and counts.tolist() == [LEAP, 0] and fractions[1] == 0
    with pytest.raises(ValueError, match=rf"^sec1996.{decode.__name__}: code at index 1 "):
        decode(codes, **layout)
    if isinstance(code, bytes):  # the same through a V array and a uint8 array
        if len(code) == len(good):
            v = np.array([good, code], dtype=object).astype(f"V{len(good)}")
            assert decode(v, errors="status", **layout)[1].tolist() == [0, status]
            rows = np.frombuffer(good + code, np.uint8).reshape(2, -1)
            assert decode(rows, errors="status", **layout)[1].tolist() == [0, status]


@pytest.mark.parametrize(
    "encode, args, layout, status, words",
    [
        (sec1996.to_cuc, (np.array([5, 1 << 24], np.uint32),), {"coarse": 3}, S.OUT_OF_SPAN,
         "more than 3 coarse"),  # uint32 counts: the array form reads them in place
        (sec1996.to_cuc, ([5, -1],), {}, S.OUT_OF_SPAN, "a count is 0 to 4294967295"),
        (sec1996.to_cuc, ([5, 2.5],), {}, S.FRACTION, "a fraction of a second"),
        (sec1996.to_cds, ([5, 6], [0, 10**12]), {}, S.FIELD_RANGE, "10**12 - 1 (picoseconds)"),
        (sec1996.to_ccs, ([5, 6], [0, -1]), {}, S.FIELD_RANGE, "a fraction is 0"),
        (sec1996.to_cds, ([126230401, 5],), {"epoch": "2000-01-01"}, S.OUT_OF_SPAN, "before the"),
        (sec1996.to_cuc, (np.array([5, LAST], np.uint32),), LEVEL_1, S.OUT_OF_SPAN,
         "its TAI needs more than 4 coarse octets"),  # from 2094-02-06
    ],
)
def test_encoders_refuse_as_the_library_does(encode, args, layout, status, words):
    codes, got = encode(*args, errors="status", **layout)
    assert got.tolist() == [0, status] and not codes[1].tobytes().strip(b"\x00")
    with pytest.raises(ValueError, match=r"at index 1 \(") as error:
        encode(*args, **layout)
    assert words in str(error.value)


def test_s_arrays_keep_codes_that_end_in_zero_octets():
    count = 47260800  # 2E 02 D1 24 80 00 00: the last two octets are zero
    s = sec1996.to_cuc([count], dtype=bytes)
    assert s.dtype == "S7" and len(s[0]) == 5  # numpy drops the zeros when read back
    v = sec1996.to_cuc([count])
    assert v.dtype == "V7" and bytes(v[0]) == cuc(count, 0)
    assert sec1996.from_cuc(s)[0].tolist() == [count]
    shortened = np.array([s[0]])  # S5, as the elements read back make it
    assert shortened.dtype == "S5" and sec1996.from_cuc(shortened)[0].tolist() == [count]
    assert sec1996.from_cuc(np.array([cuc(count, 0) + b"\x00"]))[0].tolist() == [count]
    assert sec1996.from_cuc([s[0]])[0].tolist() == [count]  # an S element, read back
    # Only S pads: the same octets as bytes or V are a code of another length.
    _, status = sec1996.from_cuc([bytes(s[0])], errors="status")
    assert status.tolist() == [S.TRUNCATED]
    _, status = sec1996.from_cuc(np.array([cuc(count, 0) + b"\x01"]), errors="status")
    assert status.tolist() == [S.OTHER_LAYOUT]


def test_error_modes_and_containers():
    counts = [LEAP, -1, 1]
    masked = sec1996.to_cds(counts, errors="coerce")
    assert masked.mask.tolist() == [False, True, False] and masked.dtype == "V9"
    codes = np.ma.getdata(masked)
    (back, ps), status = sec1996.from_cds(codes, errors="status")
    # A refused element's code is all zeros: P-field time code id 000, reserved.
    assert back.tolist() == [LEAP, 0, 1] and status.tolist() == [0, S.RESERVED, 0]
    c, f = sec1996.from_cds(codes, errors="coerce")
    assert c.mask.tolist() == f.mask.tolist() == [False, True, False]
    series = pd.Series([LEAP, 1], index=["x", "y"])
    column = sec1996.to_ccs(series)
    assert column.index.tolist() == ["x", "y"] and isinstance(column["x"], bytes)
    got, fractions = sec1996.from_ccs(column)
    assert got.tolist() == [LEAP, 1] and got.index.tolist() == ["x", "y"]
    out = np.zeros(2, "V7")  # where=: the refused count is left alone, not converted
    assert sec1996.to_cuc([1, -1], out=out, where=[True, False]) is out
    assert bytes(out[0]) == cuc(1, 0) and bytes(out[1]) == bytes(7)
    lazy = sec1996.to_cds(da.arange(LEAP - 2, LEAP + 2, chunks=2, dtype=np.uint32))
    assert isinstance(lazy, da.Array) and lazy.dtype == "V9"
    (counts, ps), status = sec1996.from_cds(lazy, errors="status")
    assert counts.compute().tolist() == list(range(LEAP - 2, LEAP + 2)) and not status.any()
    stations = xr.DataArray([[LEAP]], dims=("station", "obs"), coords={"station": ["a"]})
    assert sec1996.from_ccs(sec1996.to_ccs(stations))[0].dims == ("station", "obs")
    lazy = sec1996.to_cuc(da.from_array(np.array([LEAP, 662774400], np.uint32), chunks=1),
                          **LEVEL_1)
    assert [bytes(c) for c in lazy.compute()] == [cuc_tai(LEAP, 0), cuc_tai(662774400, 0)]
    counts, _ = sec1996.from_cuc(lazy, map_leap=da.from_array([True, False], chunks=1), **LEVEL_1)
    assert counts.compute().tolist() == [LEAP, 662774400]
    rows = sec1996.to_cuc([[LEAP, 1]], [[0, 1 << 63]], dtype=np.uint8)
    assert rows.shape == (1, 2, 7) and rows[0, 1].tobytes() == cuc(1, 1 << 63)
    assert sec1996.from_cuc(rows)[1].tolist() == [[0, 1 << 63]]


@pytest.mark.parametrize(
    "function, layout, error, words",
    [
        (sec1996.to_cuc, {"coarse": 0}, ValueError, "coarse must be 1 to 7, not 0"),
        (sec1996.from_cuc, {"fine": 9}, ValueError, "fine must be 0 to 8, not 9"),
        (sec1996.to_cuc, {"coarse": 4.0}, TypeError, "coarse must be an integer"),
        (sec1996.from_cuc, {"level": 3}, ValueError, "level must be 1 .* or 2"),
        (sec1996.to_cuc, {"leap_list": PINNED}, ValueError, "leap_list is for level=1"),
        (sec1996.from_cuc, {"map_leap": True}, ValueError, "map_leap is for level=1"),
        (sec1996.from_cuc, {"level": 1, "map_leap": 1}, TypeError, "map_leap must be bool"),
        (sec1996.to_cuc, {"level": 1, "leap_list": 0}, TypeError, "leap_list must be a"),
        (sec1996.to_cds, {"day_octets": 4}, ValueError, "day_octets must be 2 or 3"),
        (sec1996.to_cds, {"sub_ms": "ns"}, ValueError, "sub_ms must be 'none', 'us' or 'ps'"),
        (sec1996.from_cds, {"epoch": "1997-02-29"}, ValueError, "epoch must be 1958"),
        (sec1996.from_cds, {"epoch": 1996}, ValueError, "epoch must be 1958"),
        (sec1996.to_ccs, {"sub_second_octets": 7}, ValueError, "must be 0 to 6"),
        (sec1996.from_ccs, {"day_of_year": 1}, TypeError, "day_of_year must be True or False"),
        (sec1996.to_ccs, {"p_field": None}, TypeError, "p_field must be True or False"),
    ],
)
def test_bad_layouts_are_refused_by_name(function, layout, error, words):
    with pytest.raises(error, match=words.replace("(", r"\(")):
        function(b"" if function.__name__.startswith("from") else 0, **layout)
