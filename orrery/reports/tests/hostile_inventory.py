"""orrery-report.exe under Wine, in a prefix of its own with hostile classes
added: its comma-delimited reports, read by Python's csv reader, agree row by
row with an independent reading of the prefix's registry files and drive;
its HTML pages, loaded in Chromium, hold exactly the objects reported and no
element that a registry value brought in.

Usage: hostile_inventory.py --tool orrery-report.exe --wine-run cmake/wine-run --work DIR
"""

import argparse
import codecs
import os
import re
import shutil
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import report_pages  # noqa: E402

CATEGORIES = {"controls": 0, "dll": 1, "exe": 2}
# The hostile classes each category must list.
HOSTILE_IN = {
    0: {"{E1E1E1E1-0000-4000-8000-00000000C001}", "{E1E1E1E1-0000-4000-8000-00000000C002}",
        "{E1E1E1E1-0000-4000-8000-00000000C003}"},
    1: {"{E1E1E1E1-0000-4000-8000-00000000C003}"},
    2: {"{E1E1E1E1-0000-4000-8000-00000000E001}"},
}
MARKUP = {"html", "head", "title", "body", "p", "font", "strong", "br", "img", "hr",
          "table", "tbody", "tr", "td", "b", "a"}
TOON = "C:\\Tom & Jerry\\toon.ocx"
TOOL = "C:\\Tom & Jerry\\tool.exe"
SERVER = "C:\\Tom & Jerry\\report,server.dll"

# The hostile classes: CLSID -> (keys and default values below the class key,
# named values of the class key). None marks a key without a value.
HOSTILE = {
    "{E1E1E1E1-0000-4000-8000-00000000C001}": {
        "ProgID": '<script>alert("ctl")</script>', "Control": None, "InprocServer32": TOON,
        "Version": '1,0 "beta"'},
    "{E1E1E1E1-0000-4000-8000-00000000C002}": {
        "ProgID": 'Broken,Control "quoted"', "Control": None, "InprocServer32": "C:\\missing\\gone.ocx"},
    "{E1E1E1E1-0000-4000-8000-00000000C003}": {
        "ProgID": "<img src=x onerror=alert(1)>", "Control": None, "InprocServer32": SERVER},
    "{E1E1E1E1-0000-4000-8000-00000000E001}": {
        "": 'Hostile, "quoted"\r\nsecond line </td></table><b>bold</b>', "ProgID": "Hostile.Exe",
        "LocalServer32": TOOL + " /automation"},
}


def fail(message):
    raise AssertionError(message)


# --- the prefix -------------------------------------------------------------

class Prefix:
    def __init__(self, path, wine_run, directory):
        self.path = path
        self.wine_run = wine_run
        self.directory = directory  # the programs' current directory
        self.env = dict(os.environ, TARNWICK_WINEPREFIX=path, WINEPREFIX=path)

    def run(self, *args, check=True):
        result = subprocess.run([self.wine_run, *args], env=self.env, cwd=self.directory, capture_output=True,
                                timeout=300)
        if check and result.returncode != 0:
            fail("%s failed (%d): %s" % (args, result.returncode, result.stderr.decode(errors="replace")[-800:]))
        return result

    def stop(self):
        subprocess.run(["wineserver", "-k"], env=self.env, capture_output=True, timeout=60)
        subprocess.run(["wineserver", "-w"], env=self.env, capture_output=True, timeout=60)

    def host_path(self, windows_path):
        """The Linux path of a Windows path on drive C or Z, found ignoring
        case as Wine finds it; None when nothing is there."""
        match = re.match(r"^([A-Za-z]):\\(.*)$", windows_path)
        if not match:
            return None
        drive, rest = match.group(1).lower(), match.group(2)
        root = os.path.join(self.path, "drive_c") if drive == "c" else "/" if drive == "z" else None
        if root is None:
            return None
        current = root
        for part in [p for p in rest.split("\\") if p]:
            if not os.path.isdir(current):
                return None
            names = {name.lower(): name for name in os.listdir(current)}
            if part.lower() not in names:
                return None
            current = os.path.join(current, names[part.lower()])
        return current


def reg_file(classes):
    """A registry file (version 5, UTF-16) adding the classes; values are
    written as hex(1) so that line breaks and quotes arrive as they are."""
    def hex_string(text):
        data = (text + "\0").encode("utf-16-le")
        return "hex(1):" + ",".join("%02x" % byte for byte in data)
    lines = ["Windows Registry Editor Version 5.00", ""]
    for clsid, keys in classes.items():
        base = "HKEY_CLASSES_ROOT\\CLSID\\" + clsid
        lines += ["[%s]" % base]
        if "" in keys:
            lines.append("@=" + hex_string(keys[""]))
        lines.append("")
        for name, value in keys.items():
            if name == "":
                continue
            lines.append("[%s\\%s]" % (base, name))
            if value is not None:
                lines.append("@=" + hex_string(value))
            lines.append("")
    return ("\r\n".join(lines) + "\r\n").encode("utf-16")


# --- an independent reading of the registry files ---------------------------

def unescape(text):
    out, i = [], 0
    while i < len(text):
        c = text[i]
        if c != "\\":
            out.append(c)
            i += 1
            continue
        n = text[i + 1]
        if n == "x":
            digits = re.match(r"[0-9a-fA-F]{1,4}", text[i + 2:]).group(0)
            out.append(chr(int(digits, 16)))
            i += 2 + len(digits)
            continue
        out.append({"n": "\n", "r": "\r", "t": "\t", "0": "\0"}.get(n, n))
        i += 2
    return "".join(out)


def read_classes(prefix):
    """CLSID -> {subkey name (upper case): default value or None} and the
    class key's own default value under "", from system.reg and user.reg."""
    classes = {}
    section = re.compile(r'^\[Software\\\\Classes\\\\CLSID\\\\(.+?)\] \d+', re.IGNORECASE)
    default = re.compile(r'^@="(.*)"$')
    for name in ("system.reg", "user.reg"):
        current = None
        with open(os.path.join(prefix.path, name), encoding="latin-1") as file:
            for line in file:
                line = line.rstrip("\n")
                if line.startswith("["):
                    match = section.match(line)
                    current = None
                    if match:
                        parts = unescape(match.group(1)).split("\\")
                        clsid, sub = parts[0], "\\".join(parts[1:]).upper()
                        classes.setdefault(clsid, {}).setdefault(sub, None)
                        current = (clsid, sub)
                    continue
                match = default.match(line)
                if current and match:
                    classes[current[0]][current[1]] = unescape(match.group(1))
    return classes


def server_path(raw):
    path = raw or ""
    if path.startswith('"'):
        path = path[1:]
    if path.endswith('"'):
        path = path[:-1]
    return path


def is_found(prefix, path):
    if prefix.host_path(path) is not None:
        return True
    work = path
    while " " in work:
        work = work[:work.rfind(" ")]
        if prefix.host_path(work) is not None:
            return True
    return "\\" not in work


def status_text(found, path):
    if not found:
        return "SEVERE WARNING: File does not exist"
    if "\\" not in path:
        return "WARNING: Path Not defined (File should be in system path)"
    return "File Exists"


def expected_rows(prefix, classes, category):
    """CLSID -> [ProgID, Version, CLSID, File Location, Status] for the
    classes of a category, as the registry files and the drive say."""
    rows = {}
    for clsid, keys in classes.items():
        if "PROGID" not in keys or len(clsid) >= 63:
            continue
        inproc = keys.get("INPROCSERVER32")
        is_dll = inproc is not None and len(inproc) > 3 and inproc[-3:].upper() == "DLL"
        if category == 0 and "CONTROL" not in keys:
            continue
        if category == 1 and not is_dll:
            continue
        if category == 2 and ("CONTROL" in keys or "LOCALSERVER32" not in keys):
            continue
        raw = keys.get("LOCALSERVER32") if category == 2 else inproc
        path = server_path(raw)
        if "%" in path:
            continue  # left to the system's expansion
        progid = keys.get("PROGID") or "Unknown"
        if category == 2 and keys.get(""):
            progid = keys[""]
        found = is_found(prefix, path)
        rows[clsid] = [progid, keys.get("VERSION") or "", clsid, path, status_text(found, path)]
    return rows


# --- the reports ------------------------------------------------------------

def write_report(prefix, tool, work, name, *options):
    out = os.path.join(work, name)
    result = prefix.run(tool, *options, "Z:" + out.replace("/", "\\"), check=False)
    if result.returncode != 0:
        fail("orrery-report %s exited %d: %s" % (options, result.returncode, result.stderr.decode(errors="replace")))
    return out


def check_comma_delimited(prefix, classes, tool, work):
    for category_name, category in CATEGORIES.items():
        path = write_report(prefix, tool, work, category_name + ".csv", "--category", category_name,
                            "--attributes", "0,1,2,5,6")
        labels, rows = report_pages.read_comma_delimited(path)
        if labels != ["ProgID", "Version", "CLSID", "File Location", "Status", ""]:
            fail("%s: labels %r" % (path, labels))
        if any(len(row) != 6 or row[5] != "" for row in rows):
            fail("%s: a row without every column: %r" % (path, [r for r in rows if len(r) != 6][:3]))
        written = {row[2]: row[:5] for row in rows}
        if len(written) != len(rows):
            fail("%s: a class written twice" % path)
        expected = expected_rows(prefix, classes, category)
        if HOSTILE_IN[category] - set(expected):
            fail("%s: the registry files lack %s" % (path, HOSTILE_IN[category] - set(expected)))
        if set(expected) - set(written):
            fail("%s: missing %s" % (path, sorted(set(expected) - set(written))[:5]))
        for clsid, row in expected.items():
            if written[clsid] != row:
                fail("%s: %s written as %r, the registry says %r" % (path, clsid, written[clsid], row))
        print("%s: %d rows agree with the registry files" % (category_name, len(rows)))
        yield category, rows


def check_pages(tool, prefix, work, control_rows):
    progids = [row[0] for row in control_rows]
    servers_read = sum(1 for row in control_rows if row[4] == "File Exists")
    browser = report_pages.find_browser()
    formatted = report_pages.load_page(
        write_report(prefix, tool, work, "controls.htm", "--format", "formatted", "--attributes", "0,2,5,6"), browser)
    if set(formatted.tags) - MARKUP:
        fail("formatted page: elements brought in by values: %s" % (set(formatted.tags) - MARKUP))
    headings = [table[0][0] for table in formatted.tables]
    if headings != progids:
        fail("formatted page: tables %r, the comma-delimited rows %r" % (headings, progids))
    if "Controls Count: %d" % len(progids) not in formatted.all_text():
        fail("formatted page: wrong count")
    # The picture is in the directory the tool ran in, where the page looks.
    picture = "file://Z:" + work.replace("/", "\\") + "/orrery.jpg"
    if formatted.images != [picture]:
        fail("formatted page: picture %r, expected %r" % (formatted.images, picture))
    with open(os.path.join(work, "orrery.jpg"), "rb") as file:
        if file.read(3) != b"\xff\xd8\xff":
            fail("orrery.jpg is no JPEG picture")

    plain = report_pages.load_page(
        write_report(prefix, tool, work, "controls-plain.htm", "--format", "plain", "--deps", "--attributes", "0"),
        browser)
    if set(plain.tags) - MARKUP:
        fail("plain page: elements brought in by values: %s" % (set(plain.tags) - MARKUP))
    shown = [line[len("ProgID: "):] for line in plain.all_text().split("\n") if line.startswith("ProgID: ")]
    if shown != progids:
        fail("plain page: objects %r, the comma-delimited rows %r" % (shown, progids))
    for clsid, keys in HOSTILE.items():
        if "Control" in keys and keys["ProgID"] not in progids:
            fail("hostile control %s is not in the report" % clsid)
    # Every server file that exists is walked; the cartoon control is a copy
    # of a real DLL, whose imports are found in the system folder.
    text = plain.all_text()
    if text.count("Dependencies: ") != servers_read:
        fail("plain page: %d dependency sections for %d server files" % (text.count("Dependencies: "), servers_read))
    sections = {section.split("\n", 1)[0]: section for section in text.split("ProgID: ")[1:]}
    toon = sections.get(HOSTILE["{E1E1E1E1-0000-4000-8000-00000000C001}"]["ProgID"], "")
    if "Located at: C:\\windows\\system32\\" not in toon:
        fail("plain page: the cartoon control's DLLs are not listed: %r" % toon[:400])
    print("pages: %d objects, hostile texts shown as text" % len(progids))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--tool", required=True)
    parser.add_argument("--wine-run", required=True)
    parser.add_argument("--work", required=True)
    args = parser.parse_args()
    shutil.rmtree(args.work, ignore_errors=True)
    os.makedirs(args.work)
    prefix = Prefix(os.path.join(args.work, "prefix"), args.wine_run, args.work)
    tool = "Z:" + os.path.abspath(args.tool).replace("/", "\\")
    try:
        prefix.run("cmd", "/c", "mkdir", "C:\\Tom & Jerry")
        servers = prefix.host_path("C:\\Tom & Jerry")
        system = prefix.host_path("C:\\windows\\system32")
        for name, source in (("toon.ocx", "comctl32.dll"), ("report,server.dll", "ole32.dll"),
                             ("tool.exe", "notepad.exe")):
            shutil.copyfile(os.path.join(system, source), os.path.join(servers, name))
        reg = os.path.join(args.work, "hostile.reg")
        with open(reg, "wb") as file:
            file.write(reg_file(HOSTILE))
        prefix.run("regedit", "/S", "Z:" + reg.replace("/", "\\"))
        prefix.stop()
        classes = read_classes(prefix)
        for clsid in HOSTILE:
            if clsid not in classes:
                fail("regedit did not add %s" % clsid)
        rows = dict(check_comma_delimited(prefix, classes, tool, args.work))
        check_pages(tool, prefix, args.work, rows[0])
    finally:
        prefix.stop()
    shutil.rmtree(args.work, ignore_errors=True)


if __name__ == "__main__":
    main()
