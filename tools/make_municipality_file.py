#!/usr/bin/env python3
"""Regenerates data/risorsa.cf.txt, the municipality codes of the tax-code command.

The list comes from the npm package codice-fiscale-js (CC BY-SA 4.0), whose
src/lista-comuni.js holds one row per Italian municipality, current or
suppressed, and per foreign state: cadastral code, province (EE for a foreign
state), name and an active flag. Only that list is used.

    npm pack codice-fiscale-js && tar xzf codice-fiscale-js-*.tgz
    python3 tools/make_municipality_file.py package/src/lista-comuni.js data/risorsa.cf.txt

Not run by the build or the tests. Each output line is NAME, TAB, code.
Names are stored as the program normalises what the user types, and the
program keeps the last of several records with one name, so:
- a name's suppressed municipalities come first and its current one last;
- a name shared by two or more current municipalities is also written with
  its province, such as "SAN TEODORO (SS)", so each can be chosen;
- a current foreign state listed under two names joined by "=" (such as
  "RUSSIA=FEDERAZIONE RUSSA") is also written under each name that the list
  does not already use.
"""

import re
import sys
from collections import defaultdict

ROW = re.compile(
    r"""\[\s*'([A-Z][0-9]{3})'\s*,\s*'([A-Z]{2})'\s*,\s*(?:'([^']*)'|"([^"]*)")\s*,\s*([01])\s*\]""")

# Accented vowels, both as UTF-8 and as single Windows-1252 bytes, become
# the plain vowel and an apostrophe, as the program does it.
ACCENTS = {
    'A': 'àäÀÄ', 'E': 'èéÈÉ', 'I': 'ìÌ', 'O': 'òöÒÖ', 'U': 'ùüÙÜ',
}
ACCENTED = {ch: vowel + "'" for vowel, chars in ACCENTS.items() for ch in chars}


def normalise(name):
    out = []
    for ch in name:
        if ch in '\r\n':
            break
        if 'a' <= ch <= 'z':
            out.append(ch.upper())
        else:
            out.append(ACCENTED.get(ch, ch))
    return ''.join(out)


def read_rows(source_path):
    with open(source_path, encoding='utf-8') as source:
        text = source.read()
    rows = []
    seen = set()
    for code, province, single, double, active in ROW.findall(text):
        row = (normalise(single or double), code, province, active == '1')
        if row not in seen:
            seen.add(row)
            rows.append(row)
    if len(rows) < 10000:
        sys.exit(f'{source_path}: only {len(rows)} rows found; has the format changed?')
    return rows


def build_lines(rows):
    by_name = defaultdict(list)
    for row in rows:
        by_name[row[0]].append(row)
    lines = []
    for name, group in by_name.items():
        suppressed = [row for row in group if not row[3]]
        current = [row for row in group if row[3]]
        for row in suppressed + current:
            lines.append((name, row[1]))
        if len(current) > 1:
            for row in current:
                lines.append((f'{name} ({row[2]})', row[1]))
    for name, code, province, active in rows:
        if province != 'EE' or not active or '=' not in name:
            continue
        for alias in name.split('='):
            alias = alias.strip()
            if alias and alias not in by_name:
                lines.append((alias, code))
                by_name[alias].append((alias, code, province, active))
    return lines


def main():
    if len(sys.argv) != 3:
        sys.exit('usage: make_municipality_file.py LISTA_COMUNI_JS OUTPUT')
    lines = build_lines(read_rows(sys.argv[1]))
    with open(sys.argv[2], 'w', encoding='utf-8', newline='\n') as output:
        for name, code in lines:
            output.write(f'{name}\t{code}\n')
    print(f'{sys.argv[2]}: {len(lines)} records')


if __name__ == '__main__':
    main()
