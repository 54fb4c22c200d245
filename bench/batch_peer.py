#!/usr/bin/env python3
"""The peer of `kestrum convert --file` in the benchmark: python3's csv module
and a dict of the same rates, printing the same bytes for an ECB history with
the default settings (4 % fee, four decimals, everything into CAD).

  batch_peer.py --rates-from HIST_XML RATES_CSV   writes the rates once, untimed
  batch_peer.py RATES_CSV EXPENSES_CSV            converts, timed"""
import csv
import datetime
import re
import sys

LOOK_BACK = 7
FEE = 4.0

if sys.argv[1] == "--rates-from":
    text = open(sys.argv[2], encoding="utf-8").read()
    with open(sys.argv[3], "w", newline="") as out:
        writer = csv.writer(out)
        for day, cells in re.findall(r"<Cube time=['\"]([0-9-]+)['\"]>(.*?)</Cube>", text, re.S):
            quotes = dict(re.findall(r"currency=['\"]([A-Z]+)['\"] rate=['\"]([0-9.eE+-]+)['\"]", cells))
            if "CAD" not in quotes:
                continue
            cad = float(quotes["CAD"])
            writer.writerow([day, "EUR", repr(cad), "ecb,published,,ECB"])
            for code, quote in quotes.items():
                if code != "CAD":
                    writer.writerow([day, code, repr(cad / float(quote)), "ecb,cross,,ECB"])
    sys.exit()

rates = {}  # code -> {day ordinal: (rate, ISO day, origin)}
with open(sys.argv[1], newline="") as f:
    for day, code, rate, origin in csv.reader(f):
        rates.setdefault(code, {})[datetime.date.fromisoformat(day).toordinal()] = (
            float(rate), day, origin)

fee_factor = 1.0 - FEE / 100.0
out = []
with open(sys.argv[2], newline="") as f:
    reader = csv.reader(f)
    out.append(",".join(next(reader)) + ",target,rate_date,rate,fee_percent,converted_amount,"
               "source,kind,table,origin")
    for date, amount, code in reader:
        day = datetime.date.fromisoformat(date).toordinal()
        series = rates[code]
        for back in range(LOOK_BACK + 1):
            found = series.get(day - back)
            if found:
                break
        rate, rate_day, origin = found
        result = (rate * float(amount)) * fee_factor
        out.append(f"{date},{amount},{code},CAD,{rate_day},{rate!r},4,{result:.4f},{origin}")
sys.stdout.write("\n".join(out) + "\n")
