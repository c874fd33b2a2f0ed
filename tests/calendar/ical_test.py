#!/usr/bin/env python3
"""The church year as a calendar file, read back with a real iCalendar parser.

For each year the events of `pergolan-kirchenjahr --ical JJJJ` must be exactly the days of the
day list dated in that year: the entries of the day lists around 1 January and 1 December of
the year (printed by `pergolan-kirchenjahr TT.MM.JJJJ`) whose date lies in the year.
"""
import os
import subprocess
import sys
import tempfile

try:
    import icalendar
except ImportError:
    print("python3-icalendar fehlt: Test übersprungen")
    sys.exit(77)

TOOL = os.path.join(os.environ["PERGOLAN_PROGRAM_DIR"], "pergolan-kirchenjahr")
# 2022: 24 December a Saturday; 2023: a Sunday; 2016, 2027: Easter in March; 2038: Easter on
# 25 April; 2026: Septuagesimae gives way to the Letzter Sonntag nach Epiphanias.
YEARS = [2016, 2022, 2023, 2024, 2026, 2027, 2038]

failures = []


def check(condition, text):
    if not condition:
        failures.append(text)


def day_list_days(year):
    days = set()
    for around in (f"01.01.{year}", f"01.12.{year}"):
        out = subprocess.run([TOOL, around], check=True, capture_output=True).stdout
        for line in out.decode("utf-8").splitlines():
            if line.startswith("Ausgewählt:"):
                continue
            date, name = line[:10], line[13:]
            if date.endswith(str(year)):
                days.add((date[6:10] + date[3:5] + date[0:2], name))
    return days


def read(raw, year):
    check(b"\n" not in raw.replace(b"\r\n", b""), f"{year}: a line ends without CR LF")
    for line in raw.split(b"\r\n"):
        check(len(line) <= 75, f"{year}: a line longer than 75 octets")
        line.decode("utf-8")  # every folded line stays valid UTF-8
    calendar = icalendar.Calendar.from_ical(raw)
    events = {}
    for event in calendar.walk("VEVENT"):
        start = event.decoded("DTSTART")
        check(type(start).__name__ == "date", f"{year}: {event['SUMMARY']} is no all-day event")
        key = (start.strftime("%Y%m%d"), str(event["SUMMARY"]))
        check(key not in events, f"{year}: {key} twice")
        events[key] = event
    return events


for year in YEARS:
    raw = subprocess.run([TOOL, "--ical", str(year)], check=True, capture_output=True).stdout
    events = read(raw, year)
    expected = day_list_days(year)
    check(set(events) == expected,
          f"{year}: events differ from the day list: missing {sorted(expected - set(events))}, "
          f"extra {sorted(set(events) - expected)}")
    uids = [str(e["UID"]) for e in events.values()]
    check(len(set(uids)) == len(uids), f"{year}: UIDs repeat")
    for event in events.values():
        description = str(event.get("DESCRIPTION", ""))
        for label in ("Wochenspruch:", "Psalm:", "Epistel:", "Evangelium:", "Predigttext (Reihe",
                      "Wochenlied:", "Liturgische Farbe:"):
            check(label in description, f"{year}: {event['SUMMARY']} lacks {label}")

# A second file of the same year names the same days with the same UIDs; written to a file
# argument it is the same calendar.
with tempfile.TemporaryDirectory() as folder:
    path = os.path.join(folder, "Kirchenjahr 2026.ics")
    subprocess.run([TOOL, "--ical", "2026", path], check=True)
    with open(path, "rb") as f:
        again = read(f.read(), 2026)
first = read(subprocess.run([TOOL, "--ical", "2026"], check=True, capture_output=True).stdout, 2026)
check({k: str(e["UID"]) for k, e in first.items()} == {k: str(e["UID"]) for k, e in again.items()},
      "2026: UIDs differ between two files")
easter = first.get(("20260405", "Ostersonntag"))
check(easter is not None and "Predigttext (Reihe 2)" in str(easter["DESCRIPTION"])
      and "Liturgische Farbe: weiß" in str(easter["DESCRIPTION"]),
      "2026: Ostersonntag lacks the series 2 sermon text or its colour")

bad = subprocess.run([TOOL, "--ical", "zwanzig"], capture_output=True)
check(bad.returncode == 2 and "Ungültiges Jahr" in bad.stderr.decode("utf-8"),
      "a year that is no number is not refused")

for failure in failures:
    print(failure)
sys.exit(1 if failures else 0)
