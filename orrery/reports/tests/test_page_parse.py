"""Reads the browser test page back with Python's HTML parser: whatever a
ProgID or CLSID holds, the page keeps its own elements, shows the ProgID as
text and gives the object tag the CLSID as its classid."""
import html.parser
import subprocess
import sys
import unittest

PRINTER = None


class PageReader(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.tags = []
        self.open = []
        self.texts = {}
        self.object_attributes = None

    def handle_starttag(self, tag, attrs):
        self.tags.append(tag)
        if tag not in ("br", "hr"):
            self.open.append(tag)
        if tag == "object":
            self.object_attributes = dict(attrs)

    def handle_endtag(self, tag):
        if self.open and self.open[-1] == tag:
            self.open.pop()

    def handle_data(self, data):
        if self.open:
            self.texts.setdefault(self.open[-1], []).append(data)


EXPECTED_TAGS = ["html", "head", "title", "body", "p", "small", "font", "strong",
                 "br", "strong", "br", "br", "hr", "br", "object"]


def read_page(prog_id, clsid):
    page = subprocess.run([PRINTER, prog_id.encode("latin-1"), clsid.encode("latin-1")], check=True, capture_output=True).stdout
    reader = PageReader()
    reader.feed(page.decode("latin-1"))
    reader.close()
    return reader


class TestPageParsesBack(unittest.TestCase):
    def check(self, prog_id, clsid):
        reader = read_page(prog_id, clsid)
        self.assertEqual(EXPECTED_TAGS, reader.tags)
        self.assertEqual("\n" + prog_id + " - Preview in Internet Explorer",
                         "".join(reader.texts["title"]))
        self.assertEqual([prog_id, "Tip"], reader.texts["strong"])
        self.assertEqual({"id": "Control1", "classid": "clsid:" + clsid,
                          "width": "300", "height": "100"}, reader.object_attributes)

    def test_an_ordinary_control(self):
        self.check("Orrery.Gauge.1", "00000000-0000-0000-C000-000000000046")

    def test_markup_in_the_prog_id_stays_text(self):
        self.check("</title><script>alert(1)</script>", "1234")
        self.check("\"><img src=x onerror=alert(1)>", "1234")
        self.check("</strong></font><object classid=clsid:evil>", "1234")

    def test_references_in_the_prog_id_stay_as_written(self):
        self.check("A&amp;B &lt;tag&gt; &#39; &", "1234")

    def test_a_class_id_cannot_leave_its_attribute(self):
        self.check("Orrery.Gauge.1", "1 onload=alert(1)")
        self.check("Orrery.Gauge.1", "1\"><script>alert(1)</script>")
        self.check("Orrery.Gauge.1", "a'b&amp;c>d")

    def test_bytes_of_the_ansi_code_page_pass_unchanged(self):
        self.check("Gr\u00e4fin.Steuerung", "\u00c4\u00d6")


if __name__ == "__main__":
    PRINTER = sys.argv.pop(1)
    unittest.main()
