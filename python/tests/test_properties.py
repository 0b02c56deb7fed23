"""Property tests: every wrapper, in every mode, against the C library's
single-value functions, through one table and one test body."""

import re
from typing import Any, Callable, List, NamedTuple, Tuple

import numpy as np
import pytest
import sec1996
from conftest import EPOCH_POSIX, LAST, LEAP, coerced
from hypothesis import given, settings
from hypothesis import strategies as st
from sec1996 import _ext as C

OK = 0
OUT_OF_SPAN = int(sec1996.Sec1996ParseStatus.OUT_OF_SPAN)
NAT = np.datetime64("NaT", "s")

# Counts around the scale's ends and its leap second, and anywhere.
counts = st.one_of(
    st.integers(-(2**40), 2**40),
    st.integers(-3, 3),
    st.integers(LEAP - 3, LEAP + 3),
    st.integers(LAST - 3, LAST + 3),
)


def on_scale(reference: Callable[[int], Any], fallback: Any) -> Callable[[int], Tuple[Any, int]]:
    """The reference of a count-in function: the library's value on the
    scale, the fixed value and OUT_OF_SPAN off it."""
    return lambda c: (reference(c), OK) if 0 <= c <= LAST else (fallback, OUT_OF_SPAN)


def checked(reference: Callable[..., Tuple[int, int]]) -> Callable[..., Tuple[int, int]]:
    """The reference of a checked door: (count, status), count 0 if refused."""

    def call(*args: Any) -> Tuple[int, int]:
        status, count = reference(*args)
        return (count if status == OK else 0), status

    return call


def iso_texts() -> st.SearchStrategy[str]:
    """Texts of the scale with one character changed, dropped or added."""
    alphabet = "0123456789-T:Z z+\u00e9"

    def mutate(args: Tuple[int, int, int, str]) -> str:
        count, kind, i, c = args
        text = C.stringDate1996_iso(count).decode()
        return [text, text[:i] + c + text[i + 1 :], text[:i] + text[i + 1 :], text + c][kind]

    return st.tuples(
        st.integers(0, LAST), st.integers(0, 3), st.integers(0, 20), st.sampled_from(alphabet)
    ).map(mutate)


def iso_reference(text: str) -> Tuple[int, int]:
    status, count, _ = C.parseDate1996_iso(text.encode())
    return (count if status == OK else 0), status


fields = st.tuples(
    st.integers(1990, 2140),
    st.integers(-1, 14),
    st.integers(-1, 32),
    st.integers(-1, 25),
    st.integers(-1, 61),
    st.integers(-1, 61),
)


class Row(NamedTuple):
    name: str
    elements: st.SearchStrategy[Any]
    call: Callable[..., Any]  # the wrapper over a list of elements
    reference: Callable[..., Tuple[Any, int]]  # one element -> (value, status)


def counts_in(function: Callable[..., Any]) -> Callable[..., Any]:
    return lambda elements, **kw: function(np.array(elements, np.int64), **kw)


TABLE = [
    Row(
        "to_datetime64",
        counts,
        counts_in(sec1996.to_datetime64),
        on_scale(lambda c: np.datetime64(C.cvtFromSec1996_posix(c), "s"), NAT),
    ),
    Row(
        "is_leap_second",
        counts,
        counts_in(sec1996.is_leap_second),
        on_scale(C.isLeapSecond1996, False),
    ),
    Row("to_iso", counts, counts_in(sec1996.to_iso), on_scale(C.stringDate1996_iso, b"")),
    Row("to_text", counts, counts_in(sec1996.to_text), on_scale(C.stringDate1996_r, b"")),
    Row(
        "to_fields",
        counts,
        counts_in(sec1996.to_fields),
        on_scale(C.cvtFromSec1996_lossless, (0,) * 6),
    ),
    Row(
        "from_datetime64",
        st.integers(EPOCH_POSIX - 2**20, EPOCH_POSIX + LAST + 2**20),
        lambda e, **kw: sec1996.from_datetime64(np.array(e, "M8[s]"), **kw),
        checked(C.cvtToSec1996_posix_checked),
    ),
    Row(
        "from_iso",
        iso_texts(),
        lambda e, **kw: sec1996.from_iso(np.array(e, "U"), **kw),
        iso_reference,
    ),
    Row(
        "from_fields strict",
        fields,
        lambda e, **kw: sec1996.from_fields(
            *np.array(e, np.int64).reshape(-1, 6).T, strict=True, **kw
        ),
        checked(C.cvtToSec1996_checked),
    ),
    Row(
        "from_year_day strict",
        st.tuples(st.integers(1994, 2134), st.floats(-2.0, 368.0)),
        lambda e, **kw: sec1996.from_year_day(
            np.array([y for y, _ in e], np.int64), np.array([d for _, d in e]), strict=True, **kw
        ),
        lambda y, d: checked(C.cvtToSec1996_yd_checked)(d, y),
    ),
]


def as_list(values: Any) -> List[Any]:
    if values.dtype.names:
        return [tuple(int(x) for x in record) for record in values]
    return values.tolist()


@pytest.mark.parametrize("row", TABLE, ids=[row.name for row in TABLE])
@settings(max_examples=150, deadline=None, database=None)
@given(data=st.data())
def test_every_mode_agrees_with_the_library(row: Row, data: st.DataObject) -> None:
    elements = data.draw(st.lists(row.elements, max_size=40))
    expected = [
        row.reference(*e)
        if isinstance(e, tuple) and row.name.startswith("from")
        else row.reference(e)
        for e in elements
    ]
    values, status = row.call(elements, errors="status")
    assert status.tolist() == [s for _, s in expected]
    wanted = [v for v, _ in expected]
    if values.dtype.kind == "M":
        assert [str(v) for v in values] == [str(v) for v in wanted]
    else:
        assert as_list(values) == wanted
    _, valid = coerced(row.call(elements, errors="coerce"))
    assert valid.tolist() == [s == OK for _, s in expected]
    bad = [i for i, (_, s) in enumerate(expected) if s != OK]
    if bad:
        with pytest.raises(ValueError, match=re.escape(f"at index {bad[0]} (")):
            row.call(elements)
    else:
        assert as_list(np.asarray(row.call(elements))) == as_list(values)
