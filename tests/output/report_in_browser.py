#!/usr/bin/env python3
"""The order report as a customer sees it: written by the real program's
`report` command on a copy of the sample installation, then loaded in a
headless Chromium. The rendered text must hold the code, every part row,
the build lengths, the total weight and the customer block, and both
pictures (the valve bitmap and the maker's logo) must load.

Usage: report_in_browser.py PROGRAM SAMPLE_DIR CHROMIUM
Exits 77 (skipped) when CHROMIUM is not an installed program.
"""

import html
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile

# One code of every valve type of the sample installation.
CODES = ["EBXCFCXXFCXX-V18", "TBGCFCSPFCXX-V18", "KBBDFDFDFDFD-V18", "DBUCFCXXFCXX-V18"]

# The customer as typed at start-up, markup and all: it must show as typed.
CUSTOMER = [
    ("Customer", "Ola <b>Nordmann</b> & \"Co\""),
    ("Company", "Fjordvik Vann og Avløp AS"),
    ("InvoiceAddress", "Postboks 412, 4302 Fjordvik"),
    ("DeliveryAddress", "Lager <i>Heiane</i>, Verkstedveien 7"),
]

# Loads the report in a frame and, once it and its pictures have loaded,
# writes what the page shows into this page, where --dump-dom prints it.
HARNESS = """<!DOCTYPE html><html><body>
<pre id="seen"></pre>
<iframe id="report" src="{report}" width="1000" height="2000"></iframe>
<script>
document.getElementById('report').addEventListener('load', function () {{
  var page = this.contentDocument;
  var images = Array.prototype.map.call(page.images, function (image) {{
    return {{src: image.getAttribute('src'), complete: image.complete,
             width: image.naturalWidth, height: image.naturalHeight}};
  }});
  document.getElementById('seen').textContent =
      JSON.stringify({{text: page.body.innerText, images: images}});
}});
</script></body></html>
"""


def fail(message):
    print("FAIL: " + message)
    sys.exit(1)


def run(command, **kwargs):
    return subprocess.run(command, capture_output=True, timeout=120, **kwargs)


def number(text):
    return float(text.strip().replace(",", "."))


def shown_number(text, caption, unit):
    """The number the rendered report shows after a caption."""
    found = re.search(re.escape(caption) + r"([0-9.,]+)" + re.escape(unit), text)
    return number(found.group(1)) if found else None


def main():
    program, sample, chromium = sys.argv[1:4]
    if not (os.path.isfile(chromium) and os.access(chromium, os.X_OK)):
        print("SKIP: no Chromium to render the report (scripts/install-deps.sh installs it)")
        sys.exit(77)
    work = tempfile.mkdtemp(prefix="tv-report-browser-")
    try:
        # The program with a customer file of its own beside it.
        program_dir = os.path.join(work, "program")
        os.mkdir(program_dir)
        program_copy = os.path.join(program_dir, os.path.basename(program))
        shutil.copy2(program, program_copy)
        with open(os.path.join(program_dir, "personal.ini"), "wb") as ini:
            lines = ["[Personal]"] + ["%s=%s" % pair for pair in CUSTOMER]
            ini.write("\r\n".join(lines).encode("cp1252") + b"\r\n")

        install = os.path.join(work, "install")
        shutil.copytree(sample, install)
        env = dict(os.environ, XDG_CONFIG_HOME=os.path.join(work, "config"))
        # No display at all: the command must draw off screen by itself.
        for name in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"):
            env.pop(name, None)

        for code in CODES:
            check_code(code, program_copy, install, env, chromium, work)
    finally:
        shutil.rmtree(work, ignore_errors=True)
    print("OK: %d reports rendered" % len(CODES))


def chromium_command(chromium, work):
    return [chromium, "--headless", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
            "--disable-background-networking", "--no-first-run",
            "--user-data-dir=" + os.path.join(work, "chromium"), "--virtual-time-budget=10000"]


def check_code(code, program, install, env, chromium, work):
    result = run([program, "result", code], cwd=install, env=env)
    if result.returncode != 0:
        fail("%s: result exited %d: %s" % (code, result.returncode, result.stderr))
    expected = json.loads(result.stdout.decode("utf-8"))

    # Reports are named by the minute: no older report may stand in.
    for old in os.listdir(os.path.join(install, "TeHtml")):
        if old.startswith("Te"):
            os.remove(os.path.join(install, "TeHtml", old))
    report = run([program, "report", code], cwd=install, env=env)
    if report.returncode != 0:
        fail("%s: report exited %d: %s" % (code, report.returncode, report.stderr))
    path = report.stdout.decode("utf-8").strip()
    if not (os.path.isfile(path) and path.endswith(".htm")):
        fail("%s: report printed %r, which is no .htm file" % (code, path))
    if not os.path.isfile(path[:-4] + ".bmp"):
        fail("%s: no valve bitmap beside %s" % (code, path))

    # The report on its own, as the desktop opens it: its Windows-1252
    # letters must come out right without any help from a frame around it.
    alone = run(chromium_command(chromium, work) + ["--dump-dom", "file://" + path])
    dom = alone.stdout.decode("utf-8", "replace")
    if "Må oppgis ved bestilling" not in dom or "\ufffd" in dom:
        fail("%s: the report's letters are not shown right on its own:\n%s" % (code, dom))

    harness = os.path.join(os.path.dirname(path), "harness.htm")
    with open(harness, "w", encoding="utf-8") as out:
        out.write(HARNESS.format(report=os.path.basename(path)))
    browser = run(chromium_command(chromium, work) +
                  ["--allow-file-access-from-files", "--dump-dom", "file://" + harness])
    found = re.search(r'<pre id="seen">(.*?)</pre>', browser.stdout.decode("utf-8"), re.S)
    if not found or not found.group(1):
        fail("%s: the browser showed nothing (status %d): %s"
             % (code, browser.returncode, browser.stderr.decode("utf-8", "replace")[-2000:]))
    seen = json.loads(html.unescape(found.group(1)))
    text = seen["text"]

    wanted = [code]
    # Every part the code names, by article number and description.
    for part in expected["parts"].values():
        if part["article_number"]:
            wanted += [part["article_number"], part["description"].strip()]
    # And every connection, by its position.
    for name, hour in (("north", 12), ("east", 3), ("south", 6), ("west", 9)):
        if expected["connections"][name]:
            wanted.append("Tilkobling kl. %d" % hour)
    wanted += [value for key, value in CUSTOMER]
    for piece in wanted:
        if piece not in text:
            fail("%s: the rendered report does not show %r in:\n%s" % (code, piece, text))

    # The build lengths as the result has them, to the report's rounding.
    lengths = [("Vertikal byggelengde", expected["vertical_length"])]
    if expected["valve_type"] != 1:
        lengths.append(("Horisontal byggelengde", expected["horizontal_length"]))
    for caption, value in lengths:
        shown = shown_number(text, caption + " :\t", " mm")
        if shown is None or abs(shown - value) > 0.5:
            fail("%s: %s shows %s, the result has %s" % (code, caption, shown, value))
    # The total weight is the sum of the weight column, valve houses by
    # their count.
    rows = 0
    total = 0.0
    for line in text.splitlines():
        cells = line.split("\t")
        if len(cells) == 5 and cells[3].endswith(" kg"):
            count = re.match(r"(\d+) stk$", cells[4])
            total += number(cells[3][:-3]) * (int(count.group(1)) if count else 1)
            rows += 1
    shown = shown_number(text, "Totalvekt :\t", " kg")
    if rows < 3 or shown is None or abs(shown - total) > 0.05:
        fail("%s: total weight %s, the %d rows add up to %s" % (code, shown, rows, total))

    # Markup typed by the customer is text, not markup.
    if "<b>Nordmann</b>" not in text:
        fail("%s: the customer's name lost its typed markup" % code)

    images = {image["src"]: image for image in seen["images"]}
    bitmap = os.path.basename(path)[:-4] + ".bmp"
    for src in (bitmap, "KelmorLogo_21.bmp"):
        image = images.get(src)
        if not image or not image["complete"] or image["width"] == 0:
            fail("%s: the picture %s did not load: %r" % (code, src, seen["images"]))
    print("%s: %s rendered with %d pictures" % (code, os.path.basename(path), len(images)))


if __name__ == "__main__":
    main()
