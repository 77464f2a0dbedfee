#!/usr/bin/env python3
"""Opens a wusreport report in a real spreadsheet and checks every cell.

Makes WUS files with the make_inputs helper, runs wusreport on them, imports
the report with LibreOffice Calc's text filter (tab separated, code page 1251,
Russian locale), reads the imported sheet back from flat ODF and compares it
with the report's own bytes:

- every cell written as a number (an integer such as -12, or a fraction with
  a decimal comma such as 0,25) must be a numeric cell with the same value;
- every other cell must be a text cell with the same text, decoded from
  code page 1251 (the Russian titles included);
- every row must have as many cells as the report's line (trailing empty
  cells aside).

The same report imported with an English locale must fail the numeric check:
there the decimal commas are not decimal separators, which proves that the
check can fail. Exit status 0 iff both imports behave as expected.
"""

import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

RUSSIAN = 1049
ENGLISH = 1033

# Tab separator (9), no text delimiter (a name in double quotes keeps them),
# character set 34 (Windows-1251; names such as "windows-1251" are silently
# ignored), from line 1, default column types, the import language, quoted
# fields not forced to text, dates and times not detected.
FILTER = "Text - txt - csv (StarCalc):9,,34,1,,{language},false,false"

NS = {
    "office": "urn:oasis:names:tc:opendocument:xmlns:office:1.0",
    "table": "urn:oasis:names:tc:opendocument:xmlns:table:1.0",
    "text": "urn:oasis:names:tc:opendocument:xmlns:text:1.0",
}
OFFICE_VALUE_TYPE = "{%s}value-type" % NS["office"]
OFFICE_VALUE = "{%s}value" % NS["office"]
COLUMNS_REPEATED = "{%s}number-columns-repeated" % NS["table"]
ROWS_REPEATED = "{%s}number-rows-repeated" % NS["table"]
TABLE = "{%s}table" % NS["table"]
TABLE_ROW = "{%s}table-row" % NS["table"]
TABLE_CELLS = ("{%s}table-cell" % NS["table"], "{%s}covered-table-cell" % NS["table"])
TEXT_P = "{%s}p" % NS["text"]
TEXT_S = "{%s}s" % NS["text"]
TEXT_TAB = "{%s}tab" % NS["text"]
TEXT_LINE_BREAK = "{%s}line-break" % NS["text"]
TEXT_C = "{%s}c" % NS["text"]

# Numbers as the report writes them: "%d", and "%.2f" with a decimal comma.
# Neither has leading zeros, so a name such as 007 counts as text. A "%.2f"
# left with its decimal point counts as a fraction too: it must fail, since a
# Russian spreadsheet keeps it as text.
INTEGER = re.compile(r"-?(0|[1-9][0-9]*)")
DECIMAL = re.compile(r"-?(0|[1-9][0-9]*)[,.][0-9][0-9]")
TITLE_MARK = "-------------"

# How long one LibreOffice conversion may take, in seconds.
CONVERT_TIMEOUT = 300


class Cell:
    """One cell as the report wrote it: its kind and its text."""

    def __init__(self, raw):
        self.text = raw.decode("cp1251")  # fails on a byte cp1251 lacks
        if self.text == "":
            self.kind = "empty"
        elif INTEGER.fullmatch(self.text):
            self.kind = "integer"
        elif DECIMAL.fullmatch(self.text):
            self.kind = "decimal"
        else:
            self.kind = "text"

    def number(self):
        return float(self.text.replace(",", "."))


def strip_trailing(cells, is_empty):
    while cells and is_empty(cells[-1]):
        cells.pop()
    return cells


def parse_report(data):
    """Returns the report's lines as lists of Cells, trailing empties cut."""
    lines = data.split(b"\n")
    if lines and lines[-1] == b"":
        lines.pop()  # the line end of the last line
    return [strip_trailing([Cell(raw) for raw in line.split(b"\t")],
                           lambda c: c.kind == "empty") for line in lines]


def paragraph_text(element):
    """Returns the text of an ODF text:p, with its spaces, tabs and breaks."""
    parts = [element.text or ""]
    for child in element:
        if child.tag == TEXT_S:
            parts.append(" " * int(child.get(TEXT_C, "1")))
        elif child.tag == TEXT_TAB:
            parts.append("\t")
        elif child.tag == TEXT_LINE_BREAK:
            parts.append("\n")
        else:
            parts.append(paragraph_text(child))
        parts.append(child.tail or "")
    return "".join(parts)


class SheetCell:
    """One cell as the spreadsheet holds it."""

    def __init__(self, element):
        self.value_type = element.get(OFFICE_VALUE_TYPE)  # None: empty
        self.value = element.get(OFFICE_VALUE)
        self.text = "\n".join(paragraph_text(p) for p in element.findall(TEXT_P))

    def is_empty(self):
        return self.value_type is None and self.text == ""

    def describe(self):
        if self.value_type == "float":
            return "number %s" % self.value
        if self.is_empty():
            return "empty"
        return "%s %r" % (self.value_type, self.text)


def read_sheet(fods_path, max_rows):
    """Returns the first sheet's first `max_rows` rows as lists of
    SheetCells, trailing empty cells cut."""
    table = ET.parse(fods_path).getroot().find(".//" + TABLE)
    if table is None:
        raise RuntimeError("%s holds no sheet" % fods_path)
    rows = []
    for row in table.iter(TABLE_ROW):
        cells, pending_empty = [], []
        for element in row:
            if element.tag not in TABLE_CELLS:
                continue
            cell = SheetCell(element)
            repeat = int(element.get(COLUMNS_REPEATED, "1"))
            if cell.is_empty():
                pending_empty.append((cell, repeat))  # kept only if followed
                continue
            for empty, count in pending_empty:
                cells.extend([empty] * count)
            pending_empty = []
            cells.extend([cell] * repeat)
        repeat = int(row.get(ROWS_REPEATED, "1"))
        rows.extend([cells] * min(repeat, max_rows + 1 - len(rows)))
        if len(rows) > max_rows:
            break
    return rows


def compare_cell(expected, got):
    """Returns None if `got` holds `expected`, else the kind of fault:
    "numeric" or "text"."""
    if expected.kind in ("integer", "decimal"):
        if got.value_type != "float" or got.value is None:
            return "numeric"
        want = expected.number()
        return None if abs(float(got.value) - want) <= 1e-9 * max(1.0, abs(want)) else "numeric"
    if expected.kind == "empty":
        return None if got.is_empty() else "text"
    return None if got.value_type == "string" and got.text == expected.text else "text"


def compare(report, sheet):
    """Returns the faults found as (kind, message) pairs; kind is "numeric",
    "text" or "shape"."""
    faults = []
    for line_no, expected in enumerate(report, 1):
        got = sheet[line_no - 1] if line_no <= len(sheet) else []
        if len(got) != len(expected):
            faults.append(("shape", "line %d: %d cells written, %d in the sheet"
                           % (line_no, len(expected), len(got))))
        for col, cell in enumerate(expected):
            if col >= len(got):
                break
            fault = compare_cell(cell, got[col])
            if fault:
                faults.append((fault, "line %d cell %d: wrote %s %r, sheet has %s"
                               % (line_no, col + 1, cell.kind, cell.text, got[col].describe())))
    for line_no in range(len(report) + 1, len(sheet) + 1):
        if sheet[line_no - 1]:
            faults.append(("shape", "row %d: not in the report but not empty" % line_no))
    return faults


def check_coverage(report):
    """Returns the reasons why `report` would make a weak test: a table
    section without any number, or no cell of some kind at all."""
    problems = []
    kinds = {cell.kind for line in report for cell in line}
    for kind in ("integer", "decimal", "text"):
        if kind not in kinds:
            problems.append("the report has no %s cell" % kind)
    if not any(re.search("[А-яЁё]", cell.text) for line in report for cell in line):
        problems.append("the report has no Cyrillic text")
    title, numbers, sections = None, 0, 0
    for line in report + [[Cell(TITLE_MARK.encode())]]:  # a sentinel title
        if line and line[0].text.startswith(TITLE_MARK):
            if title is not None and numbers == 0:
                problems.append("section %r has no number" % title)
            title, numbers = " ".join(c.text for c in line).strip("- "), 0
            sections += 1
        else:
            numbers += sum(c.kind in ("integer", "decimal") for c in line)
    if sections - 1 != 10:
        problems.append("the report has %d tables, not 10" % (sections - 1))
    return problems


def start_conversion(soffice, report_path, language, work):
    """Starts one headless import of `report_path`, with its own profile
    and home folder; returns the process and the flat ODF file it makes."""
    name = "lang%d" % language
    home = os.path.join(work, name + "-home")
    out_dir = os.path.join(work, name)
    os.makedirs(home)
    env = dict(os.environ, HOME=home)
    command = [soffice, "-env:UserInstallation=file://" + os.path.join(work, name + "-profile"),
               "--headless", "--norestore", "--infilter=" + FILTER.format(language=language),
               "--convert-to", "fods", "--outdir", out_dir, report_path]
    process = subprocess.Popen(command, env=env, stdin=subprocess.DEVNULL,
                               stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    stem = os.path.splitext(os.path.basename(report_path))[0]
    return process, os.path.join(out_dir, stem + ".fods")


def finish_conversion(process, fods_path):
    output = process.communicate(timeout=CONVERT_TIMEOUT)[0].decode(errors="replace")
    if process.returncode != 0 or not os.path.exists(fods_path):
        raise RuntimeError("LibreOffice made no %s (exit %s):\n%s"
                           % (fods_path, process.returncode, output))


def make_report(make_inputs, wusreport, work):
    """Returns the path of a report made from freshly generated inputs."""
    inputs = os.path.join(work, "inputs")
    os.makedirs(inputs)
    paths = subprocess.run([make_inputs, inputs], check=True, stdout=subprocess.PIPE,
                           text=True).stdout.split()
    subprocess.run([wusreport] + paths, check=True, stdout=subprocess.DEVNULL)
    reports = [name for name in os.listdir(inputs) if name.endswith(".txt")]
    if len(reports) != 1:
        raise RuntimeError("expected one report in %s, found %s" % (inputs, reports))
    # A plain name for LibreOffice's output file.
    report = os.path.join(work, "report.txt")
    shutil.copyfile(os.path.join(inputs, reports[0]), report)
    return report


def summarize(faults, limit=15):
    lines = ["  %s: %s" % fault for fault in faults[:limit]]
    if len(faults) > limit:
        lines.append("  ... and %d more" % (len(faults) - limit))
    return "\n".join(lines)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--soffice", required=True, help="the LibreOffice program")
    parser.add_argument("--wusreport", help="the wusreport program")
    parser.add_argument("--make-inputs", help="the program that writes the WUS inputs")
    parser.add_argument("--report", help="check this report instead of making one")
    parser.add_argument("--keep", help="copy the report and the imported sheets here")
    args = parser.parse_args()
    if not args.report and not (args.wusreport and args.make_inputs):
        parser.error("give --report, or --wusreport and --make-inputs")

    with tempfile.TemporaryDirectory(prefix="wus-spreadsheet-") as work:
        report_path = args.report or make_report(args.make_inputs, args.wusreport, work)
        with open(report_path, "rb") as f:
            report = parse_report(f.read())
        started = {language: start_conversion(args.soffice, report_path, language, work)
                   for language in (RUSSIAN, ENGLISH)}
        sheets = {}
        for language, (process, fods_path) in started.items():
            finish_conversion(process, fods_path)
            sheets[language] = read_sheet(fods_path, len(report))
            if args.keep:
                os.makedirs(args.keep, exist_ok=True)
                shutil.copyfile(fods_path, os.path.join(args.keep, "report-%d.fods" % language))
        if args.keep:
            shutil.copyfile(report_path, os.path.join(args.keep, "report.txt"))

    ok = True
    problems = check_coverage(report)
    if problems and not args.report:
        ok = False
        print("The generated report does not cover every kind of cell:\n  " +
              "\n  ".join(problems))

    cells = [cell for line in report for cell in line]
    counts = {kind: sum(c.kind == kind for c in cells) for kind in ("integer", "decimal", "text")}
    print("Report: %d lines, %d integer, %d decimal and %d text cells"
          % (len(report), counts["integer"], counts["decimal"], counts["text"]))

    faults = compare(report, sheets[RUSSIAN])
    if faults:
        ok = False
        print("Russian import (language %d): %d faults\n%s"
              % (RUSSIAN, len(faults), summarize(faults)))
    else:
        print("Russian import (language %d): every cell as written" % RUSSIAN)

    english = compare(report, sheets[ENGLISH])
    numeric = [fault for fault in english if fault[0] == "numeric"]
    if numeric:
        print("English import (language %d): %d numeric faults, as it must"
              % (ENGLISH, len(numeric)))
    else:
        ok = False
        print("English import (language %d) passed the numeric check: the check cannot fail"
              % ENGLISH)

    print("PASSED" if ok else "FAILED")
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
