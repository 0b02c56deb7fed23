"""Shared inputs: the counts around the ends of the scale and its leap
second, a million random counts, and the facts the tests check against
independently of the library (numpy's own calendar does the rest)."""

import numpy as np
import pytest

LEAP = 47260800  # 1997-06-30T23:59:60Z
LAST = 2**32 - 1  # 2132-02-07T06:28:14Z
EPOCH_POSIX = 820454400  # 1996-01-01T00:00:00Z in POSIX seconds
EPOCH = np.datetime64("1996-01-01T00:00:00", "s")


@pytest.fixture(scope="session")
def neighbourhoods() -> np.ndarray:
    """Every count within a day's reach of a place where something changes."""
    centres = [0, LEAP, LAST, LEAP - 86400, LEAP + 86400, 126230400]  # ..., 2000-01-01 + 1 leap
    near = np.concatenate([np.arange(c - 3, c + 4) for c in centres] + [np.arange(0, LAST, 86400)])
    return np.unique(near[(near >= 0) & (near <= LAST)]).astype(np.uint32)


@pytest.fixture(scope="session")
def counts(neighbourhoods: np.ndarray) -> np.ndarray:
    """A million random counts, and the neighbourhoods."""
    rng = np.random.default_rng(1996)
    return np.concatenate([rng.integers(0, 2**32, 1_000_000, dtype=np.uint32), neighbourhoods])


def posix_of(counts: np.ndarray) -> np.ndarray:
    """POSIX seconds of counts: the leap second and everything after lose one."""
    c = counts.astype(np.int64)
    return c + EPOCH_POSIX - (c >= LEAP)


def coerced(result):
    """(values, valid) of an errors="coerce" result: a masked array's data
    and where it is not masked, or a datetime64 array and where it is not
    NaT."""
    if hasattr(result, "isna"):  # a pandas Series: NA or NaT where refused
        return result.to_numpy(), ~result.isna().to_numpy()
    if isinstance(result, np.ma.MaskedArray):
        mask = np.ma.getmaskarray(result)
        if mask.dtype.names:  # records: masked field by field, all fields alike
            mask = mask[mask.dtype.names[0]]
        return np.ma.getdata(result), ~mask
    result = np.asarray(result)  # a scalar that is not masked, or times
    if result.dtype.kind != "M":
        return result, np.ones(result.shape, bool)
    return result, ~np.isnat(result)
