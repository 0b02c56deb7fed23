#!/usr/bin/env python3
"""Checks the documentation: README.md and docs/*.md.

  check_docs.py lint
      Every fenced block is marked (see below), the Markdown keeps the one
      style of this tree, every relative link leads to a file (and heading)
      that exists, and the options of the manual page cli/sec1996.1 are those
      of the options table in docs/cli.md.
  check_docs.py run --prefix DIR [--python PY] [--only FILE...]
      Runs every example against the library installed under DIR (the build
      and the install are scripts/check_docs.sh's part).

A fenced block's info string says what it is:
  ```c example, ```cpp example   a complete program: compiled with -Werror
                                 against the installed library through
                                 pkg-config, then run;
  ```sh example                  a bash script, run with set -euo pipefail in
                                 an empty directory, the installed bin/ first
                                 on PATH;
  ```python example              a doctest, run by PY (skipped, and said so,
                                 when no PY is given);
  ```text output                 directly after an example (with only prose
                                 between): the example's standard output,
                                 compared exactly;
  ```LANG fragment               not run here.
Any other block is an error.
"""

import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
EXAMPLE_LANGUAGES = ("c", "cpp", "sh", "python")
FENCE = re.compile(r"^(\s*)(`{3,}|~{3,})(.*)$")


class Block:
    def __init__(self, path, line, lang, kind, text):
        self.path, self.line, self.lang, self.kind, self.text = path, line, lang, kind, text
        self.output = None  # the text output block that follows an example

    def where(self):
        return f"{os.path.relpath(self.path, ROOT)}:{self.line}"


def documents():
    docs = os.path.join(ROOT, "docs")
    names = sorted(n for n in os.listdir(docs) if n.endswith(".md")) if os.path.isdir(docs) else []
    return [os.path.join(ROOT, "README.md")] + [os.path.join(docs, n) for n in names]


def parse(path, errors):
    """The fenced blocks of a file, and its lines outside them."""
    with open(path, encoding="utf-8") as f:
        lines = f.read().split("\n")
    blocks, prose = [], []
    i = 0
    while i < len(lines):
        m = FENCE.match(lines[i])
        if not m:
            prose.append((i + 1, lines[i]))
            i += 1
            continue
        indent, fence, info = m.groups()
        start = i + 1
        where = f"{os.path.relpath(path, ROOT)}:{start}"
        if indent:
            errors.append(f"{where}: an indented fence; fences start at the margin")
        if fence != "```":
            errors.append(f"{where}: fence {fence!r}; this tree fences with ``` only")
        body = []
        i += 1
        while i < len(lines) and lines[i].strip() != fence:
            body.append(lines[i])
            i += 1
        if i == len(lines):
            errors.append(f"{where}: the block is never closed")
        i += 1
        words = info.split()
        lang, kind = (words + ["", ""])[:2] if len(words) <= 2 else ("", "")
        text = "\n".join(body) + "\n"
        if (kind == "example" and lang in EXAMPLE_LANGUAGES) or (kind == "fragment" and lang) or (
            lang, kind) == ("text", "output"):
            blocks.append(Block(path, start, lang, kind, text))
        else:
            errors.append(
                f"{where}: block marked {info.strip()!r}; mark it 'c|cpp|sh|python example', "
                "'text output' after an example, or 'LANG fragment'")
            blocks.append(Block(path, start, lang, "unmarked", text))
    # An output block belongs to the block before it, which must be an example.
    for before, block in zip([None] + blocks, blocks):
        if block.kind != "output":
            continue
        if before is None or before.kind != "example" or before.output is not None:
            errors.append(f"{block.where()}: a text output block that follows no example")
        elif before.lang == "python":
            errors.append(f"{block.where()}: a python example is a doctest: its output goes after "
                          "its >>> lines, not in a text output block")
        else:
            before.output = block
    return blocks, prose


def slug(heading):
    """The anchor GitHub gives a heading: lower case, punctuation but '-' and
    '_' dropped, blanks as '-'; a link's text stands for the link."""
    text = re.sub(r"\[([^\]]*)\]\([^)]*\)", r"\1", heading.strip().lower())
    text = re.sub(r"[^\w\- ]", "", text)
    return text.replace(" ", "-")


def anchors(path):
    found = set()
    _, prose = parse(path, [])
    for _, line in prose:
        m = re.match(r"^#{1,6} (.*)$", line)
        if m:
            base, n = slug(m.group(1)), 0
            name = base
            while name in found:
                n += 1
                name = f"{base}-{n}"
            found.add(name)
    return found


LINK = re.compile(r"(?<!!)\[([^\]]*)\]\(([^)\s]*)\)|!\[[^\]]*\]\(([^)\s]*)\)")


def lint_file(path, errors):
    rel = os.path.relpath(path, ROOT)
    blocks, prose = parse(path, errors)
    headings = [(n, l) for n, l in prose if l.startswith("#")]
    if not headings or headings[0][0] != 1 or not headings[0][1].startswith("# "):
        errors.append(f"{rel}:1: the file does not open with its one '# ' title")
    previous = 0
    for n, line in prose:
        if line != line.rstrip():
            errors.append(f"{rel}:{n}: trailing blank")
        if "\t" in line:
            errors.append(f"{rel}:{n}: a tab outside a code block")
        m = re.match(r"^(#+)(.*)$", line)
        if m:
            level = len(m.group(1))
            if level > 6 or not m.group(2).startswith(" ") or m.group(2).rstrip().endswith("#"):
                errors.append(f"{rel}:{n}: headings are '#'s, a blank and the text, nothing after")
            if level == 1 and n != 1:
                errors.append(f"{rel}:{n}: a second '# ' title")
            if level > previous + 1:
                errors.append(f"{rel}:{n}: heading level {level} after level {previous}")
            previous = level
        if re.match(r"^(=+|-+)\s*$", line) and n > 1:
            before = dict(prose).get(n - 1, "")
            if before.strip():
                errors.append(f"{rel}:{n}: an underlined heading; use '#' headings")
        if re.match(r"^\s*[*+] ", line):
            errors.append(f"{rel}:{n}: list items start with '- '")
    # Links, outside code (blocks and spans).
    for n, line in prose:
        for m in LINK.finditer(re.sub(r"`[^`]*`", "", line)):
            target = m.group(2) if m.group(2) is not None else m.group(3)
            if re.match(r"^[a-z][a-z0-9+.-]*:", target):
                continue  # http:, https:, mailto:
            file_part, _, anchor = target.partition("#")
            dest = os.path.normpath(os.path.join(os.path.dirname(path), file_part)) if file_part else path
            if not os.path.exists(dest):
                errors.append(f"{rel}:{n}: dead link {target!r}: no {os.path.relpath(dest, ROOT)}")
            elif anchor and dest.endswith(".md") and anchor not in anchors(dest):
                errors.append(f"{rel}:{n}: dead link {target!r}: no heading with that anchor")
    return blocks


def man_options(page):
    """The options the manual page's OPTIONS section lists, one per .TP item."""
    with open(page, encoding="utf-8") as f:
        lines = f.read().split("\n")
    options, section = set(), None
    for i, line in enumerate(lines):
        if line.startswith(".SH"):
            section = line[3:].strip().strip('"')
        elif section == "OPTIONS" and line == ".TP" and i + 1 < len(lines):
            for opt in re.findall(r"\\-\\-[a-z](?:[a-z]|\\-[a-z])*|\\-\\-(?![a-z])|\\-[a-zA-Z](?![a-zA-Z])", lines[i + 1]):
                options.add(opt.replace("\\-", "-"))
    return options


def doc_options(page):
    """The options of the table under the heading 'Options' in docs/cli.md."""
    options, on = set(), False
    _, prose = parse(page, [])
    for _, line in prose:
        if line.startswith("#"):
            on = line.lstrip("#").strip() == "Options"
        elif on and line.startswith("|") and not line.startswith("|---") and not line.startswith("| option"):
            first = line.split("|")[1]
            for code in re.findall(r"`([^`]*)`", first):
                m = re.match(r"^(--?[a-zA-Z][a-zA-Z-]*|--)", code)
                if m:
                    options.add(m.group(1))
    return options


def lint():
    errors = []
    for path in documents():
        lint_file(path, errors)
    page, doc = os.path.join(ROOT, "cli", "sec1996.1"), os.path.join(ROOT, "docs", "cli.md")
    if os.path.exists(page) and os.path.exists(doc):
        in_man, in_doc = man_options(page), doc_options(doc)
        if not in_man:
            errors.append("cli/sec1996.1: no option found in its OPTIONS section")
        for opt in sorted(in_man - in_doc):
            errors.append(f"docs/cli.md: the manual page has option {opt}, the Options table lacks it")
        for opt in sorted(in_doc - in_man):
            errors.append(f"cli/sec1996.1: docs/cli.md's Options table has {opt}, the manual page lacks it")
    for e in errors:
        print(f"check_docs: {e}", file=sys.stderr)
    print(f"check_docs: lint: {len(documents())} files, {len(errors)} errors")
    return 1 if errors else 0


def run_examples(prefix, python, only):
    prefix = os.path.abspath(prefix)
    if python and os.sep in python:
        python = os.path.abspath(python)  # the examples run in a directory of their own
    pcs = [os.path.join(d, f) for d, _, fs in os.walk(prefix) for f in fs if f == "sec1996.pc"]
    if not pcs:
        print(f"check_docs: no sec1996.pc under {prefix}", file=sys.stderr)
        return 1
    libdir = os.path.dirname(os.path.dirname(pcs[0]))
    env = dict(os.environ)
    env["PKG_CONFIG_PATH"] = os.path.dirname(pcs[0])
    env["PATH"] = os.path.join(prefix, "bin") + os.pathsep + env["PATH"]
    env["LC_ALL"] = "C.UTF-8"
    env.pop("TZ", None)
    flags = subprocess.run(["pkg-config", "--cflags", "--libs", "sec1996"], env=env, check=True,
                           capture_output=True, text=True).stdout.split()
    rpath = [f"-Wl,-rpath,{libdir}"]
    errors = []
    blocks = []
    for path in documents():
        if only and os.path.relpath(path, ROOT) not in only:
            continue
        blocks += [b for b in parse(path, errors)[0] if b.kind == "example"]
    ran = skipped = failed = 0
    for block in blocks:
        work = tempfile.mkdtemp(prefix="sec1996-doc-")
        try:
            if block.lang in ("c", "cpp"):
                source = os.path.join(work, "example." + block.lang)
                with open(source, "w", encoding="utf-8") as f:
                    f.write(block.text)
                compiler = ["cc", "-std=c11"] if block.lang == "c" else ["c++", "-std=c++20"]
                build = subprocess.run(compiler + ["-Wall", "-Wextra", "-Wpedantic", "-Werror", source] +
                                       flags + rpath + ["-o", os.path.join(work, "example")],
                                       env=env, capture_output=True, text=True)
                if build.returncode != 0:
                    errors.append(f"{block.where()}: does not compile:\n{build.stderr}")
                    failed += 1
                    continue
                command = [os.path.join(work, "example")]
            elif block.lang == "sh":
                command = ["bash", "-c", "set -euo pipefail\n" + block.text]
            else:
                if not python:
                    print(f"check_docs: {block.where()}: python example skipped: no interpreter given "
                          "(--python or SEC1996_DOCS_PYTHON)")
                    skipped += 1
                    continue
                doctest = os.path.join(work, "example.txt")
                with open(doctest, "w", encoding="utf-8") as f:
                    f.write(block.text)
                # A script with a main guard, as Dask's worker processes import
                # the main module of the process that starts them.
                driver = os.path.join(work, "run_doctest.py")
                with open(driver, "w", encoding="utf-8") as f:
                    # Blank-insensitive, as numpy's line breaks in a printed
                    # array follow the terminal width, and with the names
                    # python/tests/test_docs.py gives the same blocks.
                    f.write("import doctest, sys\n"
                            "import numpy as np\n"
                            "import sec1996\n"
                            "if __name__ == '__main__':\n"
                            "    r = doctest.testfile(sys.argv[1], module_relative=False,\n"
                            "                         globs={'np': np, 'sec1996': sec1996},\n"
                            "                         optionflags=doctest.NORMALIZE_WHITESPACE\n"
                            "                         | doctest.ELLIPSIS)\n"
                            "    sys.exit(1 if r.failed or not r.attempted else 0)\n")
                command = [python, driver, doctest]
            result = subprocess.run(command, cwd=work, env=env, capture_output=True, text=True,
                                    timeout=600)
            ran += 1
            if result.returncode != 0:
                errors.append(f"{block.where()}: {block.lang} example failed (exit status "
                              f"{result.returncode}):\n{result.stdout}{result.stderr}")
                failed += 1
            elif block.output is not None and result.stdout != block.output.text:
                errors.append(f"{block.where()}: output differs from {block.output.where()}:\n"
                              f"--- documented\n{block.output.text}--- printed\n{result.stdout}")
                failed += 1
        finally:
            shutil.rmtree(work, ignore_errors=True)
    for e in errors:
        print(f"check_docs: {e}", file=sys.stderr)
    print(f"check_docs: examples: {ran} run, {failed} failed, {skipped} skipped")
    return 1 if errors else 0


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    sub = parser.add_subparsers(dest="command", required=True)
    sub.add_parser("lint")
    run = sub.add_parser("run")
    run.add_argument("--prefix", required=True, help="where the library is installed")
    run.add_argument("--python", default=os.environ.get("SEC1996_DOCS_PYTHON") or None,
                     help="the Python with the sec1996 package (default: $SEC1996_DOCS_PYTHON)")
    run.add_argument("--only", nargs="*", default=[], help="only these files (relative to the tree)")
    args = parser.parse_args()
    if args.command == "lint":
        return lint()
    return run_examples(args.prefix, args.python, args.only)


if __name__ == "__main__":
    sys.exit(main())
