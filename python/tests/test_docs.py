"""The examples of the docstrings (help() shows them), of the ufuncs and of
docs/python.md run as doctests."""

import doctest
import re
from pathlib import Path

import numpy as np
import pytest
import sec1996
from sec1996 import ufunc

DOCS = Path(__file__).resolve().parents[2] / "docs" / "python.md"
FLAGS = doctest.NORMALIZE_WHITESPACE | doctest.ELLIPSIS


def run(text: str, name: str) -> doctest.TestResults:
    test = doctest.DocTestParser().get_doctest(text, {"np": np, "sec1996": sec1996}, name, None, 0)
    runner = doctest.DocTestRunner(optionflags=FLAGS)
    runner.run(test)
    return runner.summarize(verbose=False)


def test_every_public_function_has_a_running_example():
    result = doctest.testmod(sec1996, extraglobs={"np": np, "sec1996": sec1996}, optionflags=FLAGS)
    assert result.failed == 0
    for name in sec1996.__all__:
        item = getattr(sec1996, name)
        if callable(item) and not isinstance(item, type):
            assert ">>> " in (item.__doc__ or ""), name


@pytest.mark.parametrize("name", ["__module__", *ufunc.__all__])
def test_every_ufunc_has_a_running_example(name):
    doc = ufunc.__doc__ if name == "__module__" else getattr(ufunc, name).__doc__
    assert ">>> " in doc, name
    result = run(doc, name)
    assert result.attempted > 0 and result.failed == 0, name


def test_the_documentation_examples_run():
    blocks = re.findall(r"^```python example\n(.*?)^```\n", DOCS.read_text(), re.M | re.S)
    assert len(blocks) >= 5
    for i, block in enumerate(blocks):
        result = run(block, f"docs/python.md block {i}")
        assert result.attempted > 0 and result.failed == 0, block
