"""The CCSDS time codes: octets packed here by struct from the layouts of
CCSDS 301.0-B-4 and the instants of numpy's calendar, the refusals of the
library's decoders and encoders, and what the package makes of numpy's S
dtype, its containers and its error modes."""

import struct

import dask.array as da
import numpy as np
import pandas as pd
import pytest
import sec1996
import xarray as xr
from conftest import LAST, LEAP, posix_of

S = sec1996.Sec1996ParseStatus
DAY_1958 = np.datetime64("1958-01-01", "D")
# The instants of the vectors: the epoch, the leap second and its neighbours,
# 1998-12-31T23:59:59 (a UTC leap second follows that the scale does not
# count), the end of the scale, and two more.
INSTANTS = [0, LEAP - 1, LEAP, LEAP + 1, 94780800, 123456789, 3000000000, LAST]


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
    rows = sec1996.to_cuc([[LEAP, 1]], [[0, 1 << 63]], dtype=np.uint8)
    assert rows.shape == (1, 2, 7) and rows[0, 1].tobytes() == cuc(1, 1 << 63)
    assert sec1996.from_cuc(rows)[1].tolist() == [[0, 1 << 63]]


@pytest.mark.parametrize(
    "function, layout, error, words",
    [
        (sec1996.to_cuc, {"coarse": 0}, ValueError, "coarse must be 1 to 7, not 0"),
        (sec1996.from_cuc, {"fine": 9}, ValueError, "fine must be 0 to 8, not 9"),
        (sec1996.to_cuc, {"coarse": 4.0}, TypeError, "coarse must be an integer"),
        (sec1996.from_cuc, {"level": 1}, ValueError, "level 1, TAI seconds since 1958"),
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
