"""Reading inventory reports the way their users do: the HTML pages through
a real browser (headless Chromium, which hands back the document it built),
the comma-delimited file through Python's csv reader."""

import csv
import html.parser
import io
import os
import shutil
import subprocess
import tempfile

CHROMIUM_FLAGS = [
    "--headless", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
    "--disable-component-update", "--disable-sync", "--no-first-run",
]


def find_browser():
    for name in ("chromium", "chromium-browser"):
        path = shutil.which(name)
        if path:
            return path
    raise SystemExit("report pages: no chromium on PATH (scripts/setup installs it)")


class Document(html.parser.HTMLParser):
    """The elements of a document as the browser serialised it, and the
    text of each table cell."""

    def __init__(self, markup):
        super().__init__(convert_charrefs=True)
        self.tags = []          # every start tag, in order
        self.tables = []        # each table: a list of rows, each a list of cell texts
        self.text = []          # every piece of text, in order
        self.images = []        # the src of every img element
        self._cell = None
        self.feed(markup)
        self.close()

    def handle_starttag(self, tag, attrs):
        self.tags.append(tag)
        if tag == "img":
            self.images.append(dict(attrs).get("src"))
        if tag == "table":
            self.tables.append([])
        elif tag == "tr" and self.tables:
            self.tables[-1].append([])
        elif tag == "td":
            self._cell = []

    def handle_endtag(self, tag):
        if tag == "td" and self._cell is not None and self.tables and self.tables[-1]:
            self.tables[-1][-1].append("".join(self._cell))
            self._cell = None

    def handle_data(self, data):
        self.text.append(data)
        if self._cell is not None:
            self._cell.append(data)

    def all_text(self):
        return "".join(self.text)


def load_page(path, browser=None):
    """The document Chromium builds from the file at path."""
    browser = browser or find_browser()
    profile = tempfile.mkdtemp(prefix="report-pages-")
    try:
        url = "file://" + os.path.abspath(path)
        result = subprocess.run(
            [browser, *CHROMIUM_FLAGS, "--user-data-dir=" + profile, "--dump-dom", url],
            capture_output=True, timeout=30, check=False)
    except subprocess.TimeoutExpired:
        # A page whose script opens a dialog never finishes loading headless.
        raise AssertionError("%s did not finish loading: does a script in it wait on a dialog?" % path)
    finally:
        shutil.rmtree(profile, ignore_errors=True)
    if result.returncode != 0 or not result.stdout:
        raise AssertionError("chromium could not load %s: %s" % (path, result.stderr.decode(errors="replace")[-500:]))
    return Document(result.stdout.decode("latin-1"))


def read_comma_delimited(path):
    """The attribute labels and the object rows of a comma-delimited report:
    comment lines start with "; ", the labels line follows "; Attribute Names"."""
    with open(path, "rb") as file:
        raw = file.read()
    rows = list(csv.reader(io.StringIO(raw.decode("latin-1"), newline="")))
    labels, objects, seen_names = None, [], False
    for row in rows:
        if not row:
            continue
        if row[0].startswith("; "):
            seen_names = row[0] == "; Attribute Names"
            continue
        if seen_names and labels is None:
            labels = row
            continue
        objects.append(row)
    return labels, objects
