#!/usr/bin/env python3
"""Check the US and UK string tables and generate the header of named text ids.

Usage: scripts/check-strings.py [--tables DIR] [--header FILE] [--list] [DOCUMENT ...]

Each table line is: entry number (code + 1000), a tab, the text's name, a tab,
the text.  Without documents it checks the tables alone: well-formed lines, no
entry number or name twice, the same numbers with the same names in both
tables, entry numbers within 1001..9999, and every code above 859 inside the
block of codes its area owns (AREA_BLOCKS below).

--header FILE writes the C++ header of named ids (TextId::Area::Name, one
constant per entry, with its US text as a comment), only when the tables are
in order and only when its contents change; the build runs it.

Names.  A name is Area.Name, both in UpperCamelCase.  Area is the window or
dialog that shows the text (Scan, Coordinator, EncoderOptions, ...; Common for
texts that several windows share, Menu for the menu captions every window
has).  Name says what the text is, from its own words: "Scan complete" is
Scan.ScanComplete; a tool tip ends in Tip (Scan.ScanTip); a window's caption is
Area.Caption; a message box's text beside its title ends in Text
(Scan.DriveNotReady / Scan.DriveNotReadyText); a piece of a joined message is
named by its words (Common.ProcessRunningIn).

Adding a text: add one line to BOTH strings_us.txt and strings_uk.txt, with
the same entry number and the same name, the UK line in UK spelling.  The code
is the next free one in the area's block (AREA_BLOCKS; a new window adds its
block there), the entry number is code + 1000.  Code uses the name:
GetResourceString(TextId::Scan::ScanComplete), never the number.

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

# Codes 1 to 859 are the program's first table; the areas share them.  Texts
# added later take codes from their area's block, so windows built side by
# side never reach for the same number.  An area belongs to the first block
# that names it or a prefix of it (CoordinatorAdv is in Coordinator's block).
FIRST_CODE, LAST_CODE, FIRST_TABLE_LAST_CODE = 1, 8999, 859
AREA_BLOCKS = [
    ((1000, 1999), ("Playlist",)),
    ((2000, 2999), ("Cataloguer",)),
    ((3000, 3999), ("Duplicates",)),
    ((4000, 4999), ("Encoder",)),
    ((5000, 5999), ("Ripper",)),
    ((6000, 6999), ("Coordinator", "ApplyChanges", "MassTagging")),
    ((7000, 7999), ("Options",)),
    ((8000, 8999), ("Common", "Menu", "Launcher", "Scan", "FileInfo", "ColumnSettings", "About")),
]
NAME = re.compile(r"^([A-Z][A-Za-z0-9]*)\.([A-Z][A-Za-z0-9]*)$")
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


def block_of(area):
    for (first, last), areas in AREA_BLOCKS:
        if any(area.startswith(a) for a in areas):
            return first, last
    return None


def read_table(path, problems):
    """Entry number -> (name, text)."""
    table = {}
    names = {}
    with open(path, encoding="utf-8", newline="") as f:
        text = f.read()
    for lineno, line in enumerate(text.split("\n"), 1):
        if line.endswith("\r"):
            line = line[:-1]
        if not line or line.startswith("#"):
            continue
        fields = line.split("\t", 2)
        if len(fields) != 3 or not fields[0].isdigit():
            problems.append(f"{path}:{lineno}: malformed line (want: number, tab, Area.Name, tab, text)")
            continue
        entry, name, raw = fields
        number = int(entry)
        where = f"{path}:{lineno}"
        if not 1000 + FIRST_CODE <= number <= 1000 + LAST_CODE:
            problems.append(f"{where}: entry {number} outside {1000 + FIRST_CODE}..{1000 + LAST_CODE}")
        if number in table:
            problems.append(f"{where}: entry {number} appears twice")
        if "\t" in raw:
            problems.append(f"{where}: a tab inside the text (write \\t)")
        m = NAME.match(name)
        if not m:
            problems.append(f"{where}: name {name!r} is not Area.Name in UpperCamelCase")
        elif number - 1000 > FIRST_TABLE_LAST_CODE:
            block = block_of(m.group(1))
            code = number - 1000
            if block is None:
                problems.append(f"{where}: area {m.group(1)} has no block of codes (add it to AREA_BLOCKS)")
            elif not block[0] <= code <= block[1]:
                problems.append(f"{where}: code {code} of area {m.group(1)} is outside its block "
                                f"{block[0]}..{block[1]}")
        if name in names:
            problems.append(f"{where}: name {name} also names entry {names[name]}")
        names[name] = number
        table[number] = (name, unescape(raw))
    return table


def header_text(table):
    """The C++ header of named ids: TextId::Area::Name = code, by area, then by code."""
    by_area = collections.defaultdict(list)
    for number, (name, text) in table.items():
        area, short = name.split(".")
        by_area[area].append((number - 1000, short, text))
    out = [
        "#pragma once",
        "// Named ids of the program's texts, generated at build time from",
        "// resources/strings/strings_us.txt and strings_uk.txt by",
        "// scripts/check-strings.py: do not edit, change the tables.",
        "//",
        "// Code never passes a bare number: GetResourceString(TextId::Scan::ScanComplete).",
        "// A name is Area.Name in the tables: Area is the window or dialog that shows",
        "// the text (Common for texts several windows share, Menu for menu captions),",
        "// Name says what the text is from its own words; tool tips end in Tip, a",
        "// window's caption is Area.Caption, a box text beside its title ends in Text.",
        "//",
        "// Adding a text: one line in BOTH tables (strings_us.txt, strings_uk.txt) with",
        "// the same entry number and name: entry number (code + 1000), tab, Area.Name,",
        "// tab, text.  New codes come from the area's block in the script's AREA_BLOCKS",
        "// (the next free one); a new window adds its block there.",
        "",
        "#include <cstdint>",
        "",
        "namespace TextId {",
    ]
    for area in sorted(by_area):
        out.append(f"namespace {area} {{")
        for code, short, text in sorted(by_area[area]):
            shown = text.replace("\\", "\\\\").replace("\r", "\\r").replace("\n", "\\n").replace("\t", "\\t")
            if len(shown) > 60:
                shown = shown[:57] + "..."
            out.append(f'inline constexpr int32_t {short} = {code};  // "{shown}"')
        out.append(f"}}  // namespace {area}")
    out.append("}  // namespace TextId")
    return "\n".join(out) + "\n"


def write_if_changed(path, text):
    try:
        with open(path, encoding="utf-8") as f:
            if f.read() == text:
                return
    except OSError:
        pass
    os.makedirs(os.path.dirname(os.path.abspath(path)), exist_ok=True)
    tmp = path + ".tmp"
    with open(tmp, "w", encoding="utf-8") as f:
        f.write(text)
    os.replace(tmp, path)


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
        if not FIRST_CODE <= code <= FIRST_TABLE_LAST_CODE:
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
    parser.add_argument("--header", help="write the header of named text ids to this file")
    parser.add_argument("documents", nargs="*")
    args = parser.parse_args()

    problems = []
    named = {}
    for lang in ("us", "uk"):
        named[lang] = read_table(os.path.join(args.tables, f"strings_{lang}.txt"), problems)
    for number in sorted(set(named["us"]) ^ set(named["uk"])):
        side = "US" if number in named["us"] else "UK"
        problems.append(f"entry {number} is only in the {side} table")
    for number in sorted(set(named["us"]) & set(named["uk"])):
        if named["us"][number][0] != named["uk"][number][0]:
            problems.append(f"entry {number} is named {named['us'][number][0]} in the US table "
                            f"and {named['uk'][number][0]} in the UK table")
    tables = {lang: {n: text for n, (_, text) in t.items()} for lang, t in named.items()}
    us, uk = tables["us"], tables["uk"]

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
    if problems:
        return 1
    if args.header:
        write_if_changed(args.header, header_text(named["us"]))
    return 0


if __name__ == "__main__":
    sys.exit(main())
