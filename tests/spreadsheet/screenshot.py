#!/usr/bin/env python3
"""Renders the first page of an imported report as a PNG for the documentation.

Takes the flat ODF sheet that check_import.py --keep leaves (the report as
LibreOffice Calc imported it with a Russian locale), sets the page up the
way a person sees the sheet on screen (grid, row and column headings,
narrow columns, landscape, numbers shown in the Russian locale), prints it
to PDF with headless LibreOffice and turns the first page into a PNG with
pdftoppm (Debian package poppler-utils).

    check_import.py --soffice soffice --wusreport ... --make-inputs ... --keep out
    screenshot.py --soffice soffice out/report-1049.fods docs/images/report-in-calc.png
"""

import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile

LABEL_COLUMN_WIDTH = "1.5in"
NUMBER_COLUMN_WIDTH = "0.75in"
PAGE_LAYOUT = ('<style:page-layout-properties fo:page-width="29.7cm" fo:page-height="21cm" '
               'style:print-orientation="landscape" fo:margin-top="1cm" fo:margin-bottom="1cm" '
               'fo:margin-left="1cm" fo:margin-right="1cm" '
               'style:print="headers grid charts drawings objects zero-values" '
               'style:scale-to="78%" style:writing-mode="lr-tb"/>')


def set_up_page(fods):
    """Returns the flat ODF text `fods` with the page set up for the picture."""

    def column_width(match):
        width = LABEL_COLUMN_WIDTH if match.group(2) == "co1" else NUMBER_COLUMN_WIDTH
        return match.group(1) + width + '"'

    fods = re.sub(r'(style:name="(co\d+)" style:family="table-column">\s*'
                  r'<style:table-column-properties[^>]*style:column-width=")[^"]*"',
                  column_width, fods)
    fods, count = re.subn(r"<style:page-layout-properties[^>]*/>", PAGE_LAYOUT, fods, count=1)
    if count != 1:
        raise RuntimeError("the sheet has no page layout to set up")
    # No page header or footer: the picture shows the sheet only.
    return re.sub(r"<style:(header|footer)>.*?</style:\1>", r'<style:\1 style:display="false"/>',
                  fods, flags=re.S)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--soffice", default="soffice")
    parser.add_argument("--dpi", type=int, default=90)
    parser.add_argument("fods", help="the imported report (flat ODF)")
    parser.add_argument("png", help="the picture to write")
    args = parser.parse_args()

    with tempfile.TemporaryDirectory(prefix="wus-screenshot-") as work:
        with open(args.fods, encoding="utf-8") as f:
            fods = set_up_page(f.read())
        sheet = os.path.join(work, "report.fods")
        with open(sheet, "w", encoding="utf-8") as f:
            f.write(fods)
        home = os.path.join(work, "home")
        os.makedirs(home)
        # Numbers are shown in the program's locale, which comes from the
        # environment: Russian, for decimal commas.
        env = dict(os.environ, HOME=home, LANG="ru_RU.UTF-8", LC_ALL="ru_RU.UTF-8")
        subprocess.run([args.soffice, "-env:UserInstallation=file://" + work + "/profile",
                        "--headless", "--norestore", "--convert-to", "pdf", "--outdir", work,
                        sheet], check=True, env=env,
                       stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL)
        subprocess.run(["pdftoppm", "-png", "-r", str(args.dpi), "-f", "1", "-l", "1",
                        "-singlefile", os.path.join(work, "report.pdf"),
                        os.path.join(work, "page")], check=True)
        shutil.copyfile(os.path.join(work, "page.png"), args.png)
    print("wrote %s (%d bytes)" % (args.png, os.path.getsize(args.png)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
