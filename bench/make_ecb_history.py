#!/usr/bin/env python3
"""Writes a made-up but realistic ECB whole-history file (the layout of
eurofxref-hist.xml): one Cube per TARGET working day, newest first, euro
reference rates that wander as a seeded random walk from plausible levels.
Usage: make_ecb_history.py DAYS LAST_DAY(YYYY-MM-DD) > file.xml"""
import datetime
import math
import random
import sys

# Levels around 2016 and the yearly volatility, per currency the ECB quotes.
CURRENCIES = [
    ("USD", 1.11, 0.08), ("JPY", 122.0, 0.10), ("BGN", 1.9558, 0.0), ("CZK", 27.0, 0.04),
    ("DKK", 7.45, 0.005), ("GBP", 0.82, 0.08), ("HUF", 310.0, 0.07), ("PLN", 4.36, 0.05),
    ("RON", 4.49, 0.03), ("SEK", 9.47, 0.06), ("CHF", 1.09, 0.06), ("ISK", 135.0, 0.08),
    ("NOK", 9.29, 0.08), ("TRY", 3.34, 0.25), ("AUD", 1.49, 0.09), ("BRL", 3.86, 0.15),
    ("CAD", 1.47, 0.07), ("CNY", 7.35, 0.06), ("HKD", 8.62, 0.08), ("IDR", 14700.0, 0.09),
    ("ILS", 4.22, 0.08), ("INR", 74.4, 0.07), ("KRW", 1280.0, 0.08), ("MXN", 20.7, 0.13),
    ("MYR", 4.55, 0.07), ("NZD", 1.59, 0.09), ("PHP", 52.4, 0.07), ("SGD", 1.52, 0.05),
    ("THB", 38.9, 0.06), ("ZAR", 16.3, 0.15),
]


def main():
    days = int(sys.argv[1])
    last = datetime.date.fromisoformat(sys.argv[2])
    rng = random.Random(20161231)
    dates = []
    day = last
    while len(dates) < days:
        if day.weekday() < 5 and not (day.month == 1 and day.day == 1) and not (
                day.month == 12 and day.day in (25, 26)):
            dates.append(day)
        day -= datetime.timedelta(days=1)
    dates.reverse()
    start = {code: math.log(level) for code, level, _ in CURRENCIES}
    levels = dict(start)
    # The Canadian dollar follows the U.S. dollar: its own walk is USD/CAD's,
    # which stays near 1.25 to 1.45 as it has since 2016.
    usdcad_start = math.log(1.33)
    usdcad = usdcad_start
    rows = []
    for date in dates:
        cubes = []
        usdcad += rng.gauss(0.0, 0.065 / math.sqrt(255)) - 0.004 * (usdcad - usdcad_start)
        for code, _, vol in CURRENCIES:
            # A slow pull back to the start keeps a decade's levels plausible.
            levels[code] += rng.gauss(0.0, vol / math.sqrt(255)) - 0.002 * (levels[code] - start[code])
            if code == "CAD":
                levels[code] = levels["USD"] + usdcad
            digits = 4 if math.exp(levels[code]) < 100 else 2
            cubes.append("\t\t\t<Cube currency='%s' rate='%.*f'/>" % (code, digits, math.exp(levels[code])))
        rows.append((date, cubes))
    out = sys.stdout
    out.write("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<gesmes:Envelope xmlns:gesmes=\"http://www.gesmes.org/xml/2002-08-01\" "
              "xmlns=\"http://www.ecb.int/vocabulary/2002-08-01/eurofxref\">\n"
              "\t<gesmes:subject>Reference rates</gesmes:subject>\n"
              "\t<gesmes:Sender>\n\t\t<gesmes:name>European Central Bank</gesmes:name>\n"
              "\t</gesmes:Sender>\n\t<Cube>\n")
    for date, cubes in reversed(rows):
        out.write("\t\t<Cube time='%s'>\n%s\n\t\t</Cube>\n" % (date.isoformat(), "\n".join(cubes)))
    out.write("\t</Cube>\n</gesmes:Envelope>\n")


if __name__ == "__main__":
    main()
