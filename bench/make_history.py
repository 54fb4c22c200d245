#!/usr/bin/env python3
"""Writes the benchmark's history inputs from the ECB's 90-day file:

  make_history.py NINETY_DAY_XML OUT_DIR

OUT_DIR/eurofxref-hist.xml: the whole-history layout (one line per day, newest
first) for 6,700 TARGET days back from 2026-12-04, 30 currencies each (those of the
90-day file's newest day), every day's rates a small random walk from them;
OUT_DIR/expenses.csv: 10,000 rows of date, amount and currency over the last
two years of it."""
import datetime
import random
import re
import sys

source, out = sys.argv[1], sys.argv[2]
text = open(source, encoding="utf-8").read()
head = text[: text.index("<Cube><Cube time=")] + "<Cube>"
tail = "</Cube></gesmes:Envelope>\n"
newest = re.search(r'<Cube time="([0-9-]+)">(.*?)</Cube>', text)
quotes = re.findall(r'currency="([A-Z]{3})" rate="([0-9.]+)"', newest.group(2))
quotes = [(c, float(r)) for c, r in quotes][:29]
if not any(c == "CAD" for c, _ in quotes):
    sys.exit("the newest day has no CAD")
quotes.append(("ISK", 160.0)) if len(quotes) < 30 else None

random.seed(19990104)
day = datetime.date(2026, 12, 4)
days = []
while len(days) < 6700:
    if day.weekday() < 5 and (day.month, day.day) not in ((1, 1), (12, 25), (12, 26)):
        days.append(day)
    day -= datetime.timedelta(days=1)

levels = {c: r for c, r in quotes}
with open(f"{out}/eurofxref-hist.xml", "w", encoding="utf-8") as f:
    f.write(head)
    for d in days:
        cells = "".join(f'<Cube currency="{c}" rate="{levels[c]:.5g}"/>' for c, _ in quotes)
        f.write(f'<Cube time="{d.isoformat()}">{cells}</Cube>\n')
        for c in levels:
            levels[c] *= 1 + random.gauss(0, 0.004)
    f.write(tail)

codes = ["USD", "EUR", "GBP", "JPY", "CHF", "AUD", "SEK", "NOK", "DKK", "CNY", "HKD", "MXN",
         "INR", "KRW", "NZD"]
with open(f"{out}/expenses.csv", "w", encoding="utf-8") as f:
    f.write("date,amount,currency\n")
    start = days[0] - datetime.timedelta(days=730)
    for i in range(10000):
        d = start + datetime.timedelta(days=random.randrange(730))
        f.write(f"{d.isoformat()},{random.randrange(100, 500000) / 100},{random.choice(codes)}\n")
