"""The expected reports of the native tests, which the writer reproduces
byte for byte, read by a browser and a csv reader: one table per written
object, hostile texts shown as text and never as elements, and every column
of the comma-delimited file in place."""

import os
import shutil
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import report_pages  # noqa: E402

HOSTILE = '<script>alert("x")</script>'
GAUGE_DESCRIPTION = "Gauge Control"
CARTOON_DESCRIPTION = 'Draws "cartoons", fast,\r\nand more'
MARKUP = {"html", "head", "title", "body", "p", "font", "strong", "br", "img", "hr",
          "table", "tbody", "tr", "td", "b", "a"}


def check(condition, message):
    if not condition:
        raise AssertionError(message)


def check_page(document, name, objects):
    check(not set(document.tags) - MARKUP, "%s: unexpected elements %s" % (name, set(document.tags) - MARKUP))
    check(document.tags.count("img") == 1 and document.tags.count("a") == 1, name + ": one picture, one link")
    text = document.all_text()
    check("Controls Count: %d" % objects in text, name + ": count of %d" % objects)


def check_formatted(directory, browser):
    page = report_pages.load_page(os.path.join(directory, "formatted.htm"), browser)
    check_page(page, "formatted.htm", 3)
    check(len(page.tables) == 3, "formatted.htm: one table per object, got %d" % len(page.tables))
    for table in page.tables:
        check(len(table) == 20, "formatted.htm: a heading row and 19 attribute rows")
        check(all(len(row) == 2 for row in table[1:]), "formatted.htm: label and value in each row")
    check(page.tables[0][0] == [HOSTILE], "formatted.htm: the ProgID heading shows the text")
    check(page.tables[0][1] == ["ProgID: ", HOSTILE], "formatted.htm: %r" % page.tables[0][1])
    check(page.tables[0][13] == ["Company Name: ", "Tom & Jerry <Toons>"], "formatted.htm: %r" % page.tables[0][13])
    check(page.tables[1][8] == ["File Size: ", "\xa0"], "formatted.htm: an empty value shows as a blank")
    check(page.tables[2][12][1] == GAUGE_DESCRIPTION, "formatted.htm: %r" % page.tables[2][12])

    misbehaved = report_pages.load_page(os.path.join(directory, "formatted_misbehaved.htm"), browser)
    check_page(misbehaved, "formatted_misbehaved.htm", 1)
    check([table[0] for table in misbehaved.tables] == [["Orrery.Dial"]], "formatted_misbehaved.htm: the dial only")


def check_plain(directory, browser):
    page = report_pages.load_page(os.path.join(directory, "plain_dependencies.htm"), browser)
    check_page(page, "plain_dependencies.htm", 3)
    check(not page.tables, "plain_dependencies.htm: no tables")
    text = page.all_text()
    check("ProgID: " + HOSTILE + "\n" in text, "plain_dependencies.htm: the hostile ProgID as text")
    check("<b>rush&run.dll Located at: C:\\Tom & Jerry\\<b>rush&run.dll" in text,
          "plain_dependencies.htm: the hostile DLL name as text")
    check("GaugeHelp.dll was not found." in text, "plain_dependencies.htm: the missing DLL")
    check(page.tags.count("strong") == 4 + 2, "plain_dependencies.htm: two dependency headings")


def check_comma_delimited(directory):
    labels, rows = report_pages.read_comma_delimited(os.path.join(directory, "comma.txt"))
    check(labels == ["CLSID", "ProgID", "File Description", "Company Name", "Status", "File Location", ""],
          "comma.txt: labels %r" % labels)
    check(len(rows) == 3, "comma.txt: one row per object, got %d" % len(rows))
    check(all(len(row) == len(labels) for row in rows), "comma.txt: every row has every column")
    check(rows[0] == ["{5C0FF1E5-0000-4000-8000-00000000BAD1}", HOSTILE, CARTOON_DESCRIPTION,
                      "Tom & Jerry <Toons>", "File Exists", "C:\\Tom & Jerry\\toon.ocx", ""],
          "comma.txt: %r" % rows[0])
    check(rows[1][1:] == ["Orrery.Dial", "", "", "SEVERE WARNING: File does not exist", "C:\\lib\\dial.ocx", ""],
          "comma.txt: %r" % rows[1])
    check(rows[2][1] == "Orrery.Gauge.1" and rows[2][2] == GAUGE_DESCRIPTION, "comma.txt: %r" % rows[2])

    labels, rows = report_pages.read_comma_delimited(os.path.join(directory, "comma_well_behaved.txt"))
    check([row[0] for row in rows] == [HOSTILE, "Orrery.Gauge.1"], "comma_well_behaved.txt: %r" % rows)


def whole_pages(directory, pages):
    """Writes each expected page whole, its own file between the shared head
    and foot, into pages."""
    shared = {}
    for part in ("page_head.htm", "page_foot.htm"):
        with open(os.path.join(directory, part), "rb") as part_file:
            shared[part] = part_file.read()
    for name in os.listdir(directory):
        if name.endswith(".htm") and name not in shared:
            with open(os.path.join(directory, name), "rb") as body, open(os.path.join(pages, name), "wb") as page:
                page.write(shared["page_head.htm"] + body.read() + shared["page_foot.htm"])


def main():
    directory = sys.argv[1]
    browser = report_pages.find_browser()
    pages = tempfile.mkdtemp(prefix="expected-pages-")
    try:
        whole_pages(directory, pages)
        check_formatted(pages, browser)
        check_plain(pages, browser)
    finally:
        shutil.rmtree(pages, ignore_errors=True)
    check_comma_delimited(directory)
    print("expected reports read as their users read them")


if __name__ == "__main__":
    main()
