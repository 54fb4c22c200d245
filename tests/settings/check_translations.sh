#!/usr/bin/env bash
# Fails when a text the sources hand to tr() has no French translation, or the
# French lost one of the source's %1 markers or line breaks.
#   check_translations.sh LUPDATE SOURCE_DIR TS_FILE
set -euo pipefail
lupdate=$1 sources=$2 ts=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$ts" "$work/check.ts"
# The kept translations carry over; a new or changed text comes out unfinished.
"$lupdate" -silent -locations none -no-obsolete "$sources" -ts "$work/check.ts" >/dev/null
python3 - "$work/check.ts" <<'PY'
import re, sys, xml.etree.ElementTree as ET
faults = []
for context in ET.parse(sys.argv[1]).getroot().iter('context'):
    name = context.findtext('name')
    for message in context.iter('message'):
        source = message.findtext('source') or ''
        translation = message.find('translation')
        forms = [f.text or '' for f in translation.iter('numerusform')] or [translation.text or '']
        if translation.get('type') in ('unfinished', 'vanished', 'obsolete') or not all(f.strip() for f in forms):
            faults.append(f'{name}: no French for "{source}"')
            continue
        for form in forms:
            if sorted(set(re.findall(r'%\d+|%n', source))) != sorted(set(re.findall(r'%\d+|%n', form))):
                faults.append(f'{name}: "{form}" does not keep the markers of "{source}"')
            if source.count('\n') and not form.count('\n'):
                faults.append(f'{name}: "{form}" lost the line breaks of "{source}"')
for fault in faults:
    print(fault)
print(f'{len(faults)} untranslated or damaged texts')
sys.exit(1 if faults else 0)
PY
