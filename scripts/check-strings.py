#!/usr/bin/env python3
"""Check the US and UK string tables against each other and against design notes.

Usage: scripts/check-strings.py [--tables DIR] [--list] [DOCUMENT ...]

Without documents it checks the tables alone: well-formed lines, no entry
number twice, entry numbers within 1001..1859, and the same entry numbers in
both tables.

With documents (Markdown design notes that name texts by their code number) it
also collects every code number the documents use, reports each one missing
from either table, and reports a quoted text that matches neither table's
entry for its code.  --list prints the codes found, one a line, with the text
quoted for each where there is one.

The documents name texts in several shapes, all understood here:
    "Invalid Color" (182)              "Critical Error" (code number 184)
    "Scan complete" (string 1170)      "Scan In Progress", string 1190
    code numbers 656, 657 and 805      strings 1476 to 1480     text 653
    string 338 "Encoder Decoder Options"
    table rows  | 187 | "Process Running" | ... |
    table cells with bare numbers in Caption / Tool tip / String columns.
A number of 1000 or more is an entry number (code + 1000).

Exit status: 0 when everything is in order, 1 otherwise.
"""

import argparse
import collections
import os
import re
import sys

FIRST_CODE, LAST_CODE = 1, 859
QUOTE = r'"([^"\n]*)"'

# Quotations that sit beside a number but are data, not texts of the table
# (the genre list quotes its first and last names with their indices).
NOT_TEXTS = {"Blues", "Synthpop"}


def to_code(number):
    number = int(number)
    return number - 1000 if number >= 1000 else number


def unescape(raw):
    out = []
    i = 0
    while i < len(raw):
        c = raw[i]
        if c == "\\" and i + 1 < len(raw):
            i += 1
            out.append({"n": "\n", "r": "\r", "t": "\t"}.get(raw[i], raw[i]))
        else:
            out.append(c)
        i += 1
    return "".join(out)


def read_table(path, problems):
    table = {}
    with open(path, encoding="utf-8", newline="") as f:
        text = f.read()
    for lineno, line in enumerate(text.split("\n"), 1):
        if line.endswith("\r"):
            line = line[:-1]
        if not line or line.startswith("#"):
            continue
        entry, tab, raw = line.partition("\t")
        if not tab or not entry.isdigit():
            problems.append(f"{path}:{lineno}: malformed line")
            continue
        number = int(entry)
        if not 1000 + FIRST_CODE <= number <= 1000 + LAST_CODE:
            problems.append(f"{path}:{lineno}: entry {number} outside {1000 + FIRST_CODE}..{1000 + LAST_CODE}")
        if number in table:
            problems.append(f"{path}:{lineno}: entry {number} appears twice")
        table[number] = unescape(raw)
    return table


# ---- reading the documents ----------------------------------------------------

AFTER_NUMBER = r'(?=\)|,|;| /| or | followed| then| with)'
QUOTED_THEN_NUMBER = re.compile(
    QUOTE + r'\s*\((?:code numbers? |strings? |string numbers? |texts? )?(\d{1,4})' + AFTER_NUMBER)
QUOTED_COMMA_NUMBER = re.compile(QUOTE + r',\s*(?:string|code number|text) (\d{1,4})\b')
NUMBER_THEN_QUOTED = re.compile(
    r'(?:(?<=\| )|(?<=, )|(?<=; )|(?<=: )|(?<=string )|(?<=text )|(?<=title )|(?<=then ))'
    r'(\d{2,4}) \(?' + QUOTE)
NUMBER_LIST = r'((?:\d{1,4}(?:\s*(?:,\s*and|,|and|or|to|/)\s*(?=\d))?)+)'
KEYWORD_NUMBERS = re.compile(
    r'\b(?:code numbers?|strings?|string numbers?|texts?|title)\s+' + NUMBER_LIST + r'(?![\w.%/-])')
TABLE_NUMBER_CELL = re.compile(r'^\d{1,4}(?:\s*(?:,|/|and|or)\s*\d{1,4})*(?: for all)?$')


def numbers_of(listing):
    numbers = [int(n) for n in re.findall(r"\d+", listing)]
    if re.search(r"\bto\b", listing) and len(numbers) == 2 and 0 < numbers[1] - numbers[0] < 40:
        numbers = list(range(numbers[0], numbers[1] + 1))
    return numbers


def scan_document(path, used, quoted):
    """Adds every code the document uses to `used` (code -> places) and every
    quoted text to `quoted` (code -> {text: places})."""
    with open(path, encoding="utf-8") as f:
        lines = f.read().split("\n")

    def use(number, lineno, text=None, rest=""):
        code = to_code(number)
        if not FIRST_CODE <= code <= LAST_CODE:
            return
        place = f"{os.path.basename(path)}:{lineno}"
        used[code].append(place)
        if text is not None:
            # "..." followed by something: the quote is only the start of the text
            key = (text, rest.lstrip().startswith("followed by"))
            quoted[code].setdefault(key, []).append(place)

    header = None
    for lineno, line in enumerate(lines, 1):
        for m in QUOTED_THEN_NUMBER.finditer(line):
            if m.group(1) not in NOT_TEXTS:
                use(m.group(2), lineno, m.group(1))
        for m in QUOTED_COMMA_NUMBER.finditer(line):
            use(m.group(2), lineno, m.group(1))
        for m in NUMBER_THEN_QUOTED.finditer(line):
            # Small numbers beside quotes are list positions and indices far
            # more often than codes; the low codes come from tables.
            if int(m.group(1)) >= 36:
                use(m.group(1), lineno, m.group(2))
        unquoted = re.sub(QUOTE, '""', line)
        for m in KEYWORD_NUMBERS.finditer(unquoted):
            for n in numbers_of(m.group(1)):
                use(n, lineno)

        if not line.startswith("|"):
            header = None
            continue
        cells = [c.strip() for c in line.strip().strip("|").split("|")]
        if header is None:
            header = [c.lower() for c in cells]
            continue
        if all(set(c) <= set("-: ") for c in cells):
            continue
        # | Code | Text |  and  | string | text |  tables
        if len(header) >= 2 and header[0] in ("code", "string") and header[1].startswith("text"):
            if cells and cells[0].isdigit():
                m = re.match(QUOTE, cells[1]) if len(cells) > 1 else None
                use(cells[0], lineno, m.group(1) if m else None, cells[1][m.end():] if m else "")
            continue
        for name, cell in zip(header, cells):
            if name == "code" and "text" in header and cell.isdigit():
                text_cell = cells[header.index("text")]
                m = re.match(QUOTE, text_cell)
                use(cell, lineno, m.group(1) if m else None, text_cell[m.end():] if m else "")
            elif re.search(r"tool tip|caption|string", name):
                bare = re.sub(QUOTE, "", cell)
                bare = re.sub(r"\s*\((?:UK )?\)", "", bare).strip()
                if TABLE_NUMBER_CELL.match(bare):
                    for n in numbers_of(bare):
                        if n >= 36:
                            use(n, lineno)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--tables", default=os.path.join(here, "..", "resources", "strings"))
    parser.add_argument("--list", action="store_true", help="print every code the documents use")
    parser.add_argument("documents", nargs="*")
    args = parser.parse_args()

    problems = []
    tables = {}
    for lang in ("us", "uk"):
        tables[lang] = read_table(os.path.join(args.tables, f"strings_{lang}.txt"), problems)
    us, uk = tables["us"], tables["uk"]
    for number in sorted(set(us) ^ set(uk)):
        side = "US" if number in us else "UK"
        problems.append(f"entry {number} is only in the {side} table")

    if args.documents:
        used = collections.defaultdict(list)
        quoted = collections.defaultdict(dict)
        for doc in args.documents:
            scan_document(doc, used, quoted)
        if args.list:
            for code in sorted(used):
                texts = " | ".join(repr(t) + ("..." if prefix else "") for t, prefix in quoted.get(code, {}))
                print(f"{code}\t{texts}")
        for code in sorted(used):
            for lang, table in tables.items():
                if code + 1000 not in table:
                    problems.append(f"code {code} ({used[code][0]}) is missing from the {lang.upper()} table")
            for (text, prefix), places in quoted.get(code, {}).items():
                known = [t.get(code + 1000) or "" for t in tables.values()]
                if not any(k == text or (prefix and k.startswith(text)) for k in known):
                    problems.append(f"code {code}: {places[0]} quotes {text!r}, "
                                    f"the tables hold {us.get(code + 1000)!r} / {uk.get(code + 1000)!r}")
        print(f"{len(used)} codes used by the documents; "
              f"{len(us)} US entries, {len(uk)} UK entries", file=sys.stderr)
        unused = sorted(n - 1000 for n in us if n - 1000 not in used)
        if unused:
            print("entries no document names: " + ", ".join(map(str, unused)), file=sys.stderr)

    for p in problems:
        print(p)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
