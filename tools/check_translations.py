#!/usr/bin/env python3
# Checks translated game-text tables (gametext.xx.txt) against the English gametext.txt.
# With --warn (as the build runs it) the problems are reported as warnings and the
# exit status stays 0: a text missing from a translation shows in English.
import sys

BOM = b"\xef\xbb\xbf"


def read_table(path, problems):
    """Blocks of the table as an ordered list of (KEY, lines), parsed as the game does."""
    data = open(path, "rb").read()
    if data.startswith(BOM):
        text = data[len(BOM):].decode("utf-8")
    elif all(b < 0x80 for b in data):
        text = data.decode("ascii")
    else:
        problems.append("non-ASCII text without a UTF-8 byte-order mark (the game would read raw bytes)")
        text = data.decode("utf-8", errors="replace")
    lines = [line[:-1] if line.endswith("\r") else line for line in text.split("\n")]
    if lines and lines[-1] == "":
        lines.pop()
    blocks, i = [], 0
    while i < len(lines):
        if lines[i].upper() != "[TEXT]":
            problems.append(f"line {i + 1}: expected [TEXT], found {lines[i]!r}")
            return blocks
        i += 1
        if i >= len(lines) or lines[i].startswith("["):
            continue
        key, body = lines[i].upper(), []
        i += 1
        while i < len(lines) and not lines[i].startswith("["):
            body.append(lines[i])
            i += 1
        blocks.append((key, body))
    return blocks


def check(english, path):
    problems = []
    ref = dict(read_table(english, problems))
    blocks = read_table(path, problems)
    seen = [key for key, _ in blocks]
    table = dict(blocks)
    problems += [f"duplicate key {k!r}" for k in sorted({k for k in seen if seen.count(k) > 1})]
    problems += [f"missing key {k!r}" for k in ref if k not in table]
    problems += [f"extra key {k!r}" for k in table if k not in ref]
    if [k for k in seen if k in ref] != [k for k in ref if k in table]:
        problems.append("keys are not in the English order")
    for key, body in table.items():
        text = "\n".join(body)
        if not text.strip():
            problems.append(f"{key}: empty text")
        bad = sorted({c for c in text if ord(c) > 0xFF})
        if bad:
            problems.append(f"{key}: characters outside Latin-1: {' '.join(bad)}")
        if key.startswith("HIGHSCORE NAME") and len(text) > 10:
            problems.append(f"{key}: high-score names hold at most 10 characters")
        if key not in ref:
            continue
        original = "\n".join(ref[key])
        if text.count("NNN") != original.count("NNN"):
            problems.append(f"{key}: placeholder NNN count {text.count('NNN')}, English has {original.count('NNN')}")
        if text.endswith(" ") != original.endswith(" "):
            problems.append(f"{key}: trailing space differs from English")
    return problems


def main(argv):
    warn = "--warn" in argv[1:]
    args = [a for a in argv[1:] if a != "--warn"]
    if len(args) < 2:
        print(f"usage: {argv[0]} [--warn] ENGLISH_TABLE TRANSLATION...", file=sys.stderr)
        return 2
    failed = False
    for path in args[1:]:
        problems = check(args[0], path)
        for problem in problems:
            print(f"{'warning: ' if warn else ''}{path}: {problem}")
        failed |= bool(problems)
    return 1 if failed and not warn else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
