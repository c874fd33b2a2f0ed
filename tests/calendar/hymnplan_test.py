#!/usr/bin/env python3
"""The hymn plan of `pergolan-lieder --plan`, read back as a spreadsheet and by a real iCalendar
parser.

A data folder holds a saved Ostersonntag and nothing for the other days of Easter 2026. The CSV
must hold one row per service in date order, the saved hymns and the suggestions; the calendar
file one all-day event per service with the hymns in its description and the UID the church-year
calendar of `pergolan-kirchenjahr --ical` gives the same day. Bad input is refused with exit 2.
"""
import csv
import io
import os
import subprocess
import sys
import tempfile
import time

try:
    import icalendar
except ImportError:
    print("python3-icalendar fehlt: Test übersprungen")
    sys.exit(77)

PROGRAM = os.environ["PERGOLAN_PROGRAM_DIR"]
LIEDER = os.path.join(PROGRAM, "pergolan-lieder")
KIRCHENJAHR = os.path.join(PROGRAM, "pergolan-kirchenjahr")

failures = []


def check(condition, text):
    if not condition:
        failures.append(text)


def save(folder, relative, lines, saved):
    path = os.path.join(folder, relative)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write("\r\n".join(lines + [""]).encode("cp1252"))
    stamp = time.mktime(saved + (9, 0, 0, 0, 0, -1))
    os.utime(path, (stamp, stamp))


def run(*args):
    return subprocess.run([LIEDER, "--plan", *args], capture_output=True)


with tempfile.TemporaryDirectory() as folder:
    save(folder, "2/2 Ostersonntag.ini",
         ["[Allgemein]", "Name=Ostersonntag", "Predigtreihe=2", "[Texte]", "Predigttext=Mk 16,1-8",
          "[Lieder]", "Eingangslied=EG 99", "Wochenlied=EG 103", "Vorpredigtslied=EG 100",
          "Kolektenlied=Wir wollen alle fröhlich sein; EG 100", "Ausgangslied=EG 116"],
         (2026, 3, 20))
    ics = os.path.join(folder, "Liedplan.ics")
    result = run("--von", "02.04.2026", "--bis", "06.04.2026", "--ical", ics, folder)
    check(result.returncode == 0, f"the plan failed: {result.stderr.decode('utf-8')}")
    raw_csv = result.stdout
    check(not raw_csv.startswith(b"\xef\xbb\xbf"), "the CSV starts with a BOM")
    check(b"\n" not in raw_csv.replace(b"\r\n", b""), "a CSV line ends without CR LF")
    rows = list(csv.reader(io.StringIO(raw_csv.decode("utf-8"), newline=""), delimiter=";"))
    check(rows[0] == ["Datum", "Tag", "Liturgische Farbe", "Eingangslied", "Wochenlied",
                      "Vorpredigtslied", "Kollektenlied", "Ausgangslied", "Predigttext", "Datei",
                      "Vor kurzem gesungen"],
          f"CSV header {rows[0]}")
    days = [(r[0], r[1]) for r in rows[1:]]
    check(days == [("02.04.2026", "Gründonnerstag"), ("03.04.2026", "Karfreitag"),
                   ("04.04.2026", "Karsamstag"), ("04.04.2026", "Osternacht"),
                   ("05.04.2026", "Ostersonntag"), ("06.04.2026", "Ostermontag")],
          f"CSV days {days}")
    easter = rows[5]
    check(easter[2:] == ["weiß", "EG 99", "EG 103", "EG 100",
                         "Wir wollen alle fröhlich sein; EG 100", "EG 116", "Mk 16,1-8",
                         "2/2 Ostersonntag.ini", ""], f"CSV Ostersonntag {easter}")
    for row in rows[1:5] + rows[6:]:
        check(row[4].endswith(" (Vorschlag)") and row[3] == "" and row[9] == "",
              f"CSV {row[1]} is no suggestion: {row}")

    with open(ics, "rb") as f:
        raw_ics = f.read()
    calendar = icalendar.Calendar.from_ical(raw_ics)
    events = list(calendar.walk("VEVENT"))
    check([(e.decoded("DTSTART").strftime("%d.%m.%Y"), str(e["SUMMARY"])) for e in events] == days,
          "the calendar's events are not the plan's services")
    for event in events:
        check(type(event.decoded("DTSTART")).__name__ == "date",
              f"{event['SUMMARY']} is no all-day event")
    description = str(events[4]["DESCRIPTION"])
    check("Eingangslied: EG 99\nWochenlied: EG 103\n" in description
          and "Kollektenlied: Wir wollen alle fröhlich sein; EG 100\n" in description
          and "Predigttext: Mk 16,1-8\n" in description
          and "Liturgische Farbe: weiß" in description, f"Ostersonntag's description {description!r}")
    check("(Vorschlag)" in str(events[1]["DESCRIPTION"]), "Karfreitag's suggestion is not marked")

    # The same days in the church-year calendar carry the same UIDs.
    year = icalendar.Calendar.from_ical(
        subprocess.run([KIRCHENJAHR, "--ical", "2026"], check=True, capture_output=True).stdout)
    uids = {(e.decoded("DTSTART").strftime("%d.%m.%Y"), str(e["SUMMARY"])): str(e["UID"])
            for e in year.walk("VEVENT")}
    for event in events:
        key = (event.decoded("DTSTART").strftime("%d.%m.%Y"), str(event["SUMMARY"]))
        check(uids.get(key) == str(event["UID"]), f"{key}: UID differs from the church year's")

    for args, text in [(["--von", "31.04.2026", folder], "Ungültiges Datum „31.04.2026“"),
                       (["--von", "6.4.2026", folder], "Ungültiges Datum"),
                       (["--von", "06.04.2026", "--bis", "01.04.2026", folder],
                        "liegt vor seinem Beginn"),
                       (["--bis"], "Ungültiges Datum"),
                       (["--ical"], "fehlt der Name der Kalenderdatei"),
                       (["--wochen", "3", folder], "Aufruf:"),
                       ([os.path.join(folder, "fehlt")], "existiert nicht")]:
        bad = run(*args)
        check(bad.returncode == 2 and text in bad.stderr.decode("utf-8") and not bad.stdout,
              f"{args}: exit {bad.returncode}, {bad.stderr.decode('utf-8')!r}")

for failure in failures:
    print(failure)
sys.exit(1 if failures else 0)
