#!/usr/bin/env python3
"""Writes tests/taxcode/people.tsv: made-up people born in real municipalities,
with their tax codes worked out here by the published rule.

This is a second implementation of the rule, kept apart from the program's
on purpose: the unit tests check that the program gives every code listed.
It picks municipalities from data/risorsa.cf.txt whose names occur once, and
types them the way a person would (mixed case, accents as UTF-8 letters).
Of a few hundred people drawn it keeps the few that, together, exercise every
rule: each month letter, both sexes, births abroad, accents, apostrophes,
short and missing names, the name's fourth consonant, padding with X and
every check character.

    python3 tools/make_tax_code_fixture.py data/risorsa.cf.txt tests/taxcode/people.tsv

Not run by the build or the tests; the output is committed.
"""

import calendar
import random
import sys
import unicodedata
from collections import Counter

SURNAMES = """Rossi Russo Ferrari Esposito Bianchi Romano Colombo Ricci Marino Greco Bruno Gallo
Conti Mancini Costa Giordano Rizzo Lombardi Moretti Barbieri Fontana Santoro Mariani Rinaldi
Caruso Ferrara Galli Martini Leone Longo Gentile Martinelli Vitale Lombardo Serra Coppola
Marchetti Parisi Villa Conte Ferraro Ferri Fabbri Bianco Marini Grasso Valentini Messina Sala
Gatti Pellegrini Palumbo Sanna Farina Rizzi Monti Cattaneo Morelli Amato Silvestri Mazza Testa
Grassi Pellegrino Carbone Giuliani Benedetti Barone Caputo Montanari Guerra Palmieri Bernardi
Fiore Ferretti Bellini Basile Riva Donati Piras Vitali Battaglia Sartori Neri Costantini Milani
Pagano Ruggiero Sorrentino Orlando Negri Fo Oe Yu Ay Xu Ek Io Cantù Pirrò Mosè Zoè Abbà Forlì
Aiello Iaia Ieie Zzz Jovine Kruger Wojtyla Yilmaz Xhaka""".split() + [
    "De Luca", "De Santis", "D'Angelo", "D'Amico", "De Angelis", "De Rosa", "Dell'Orto",
    "Lo Iacono", "La Rosa", "Di Caprio", "Dall'Ò", "Sant'Elia", "Della Valle", "Mc Donald",
    "Van der Berg", "Ruiz-Picasso", "",
]

FIRST_NAMES = """Mario:M Luca:M Giuseppe:M Giovanni:M Antonio:M Francesco:M Alessandro:M Andrea:M
Marco:M Matteo:M Lorenzo:M Leonardo:M Gianfranco:M Niccolò:M Nicolò:M Mattia:M Gabriele:M
Riccardo:M Tommaso:M Edoardo:M Christian:M Stefano:M Roberto:M Paolo:M Pietro:M Domenico:M
Salvatore:M Vincenzo:M Raffaele:M Emanuele:M Carlo:M Enrico:M Fabrizio:M Massimo:M Maurizio:M
Gianluca:M Pierpaolo:M Ugo:M Noè:M Yuri:M Kevin:M Walter:M Jacopo:M Ettore:M Aldo:M Ian:M Al:M
Maria:F Anna:F Giulia:F Sofia:F Aurora:F Chiara:F Francesca:F Federica:F Beatrice:F Alessia:F
Martina:F Giorgia:F Sara:F Elisa:F Ilaria:F Ida:F Eva:F Cristina:F Ludovica:F Zoe:F Lea:F Bice:F
Aia:F Io:F Oriana:F Ester:F Agnese:F Benedetta:F Fabrizia:F Wanda:F Jessica:F""".split()
FIRST_NAMES = [tuple(entry.split(':')) for entry in FIRST_NAMES] + [
    ("Anna Maria", "F"), ("Maria Grazia", "F"), ("Gian Marco", "M"), ("Pier Luigi", "M"),
    ("Maria Teresa", "F"), ("Jean-Claude", "M"), ("D'Artagnan", "M"), ("", "F"),
]

MONTHS = "ABCDEHLMPRST"
ODD = {ch: value for ch, value in zip(
    "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ",
    [1, 0, 5, 7, 9, 13, 15, 17, 19, 21,
     1, 0, 5, 7, 9, 13, 15, 17, 19, 21, 2, 4, 18, 20, 11, 3, 6, 8, 12, 14, 16, 10, 22, 25, 24,
     23])}
EVEN = {ch: (int(ch) if ch.isdigit() else ord(ch) - ord('A'))
        for ch in "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"}


def plain_letters(text):
    """Upper-case A-Z letters of `text`, accents dropped, everything else gone."""
    decomposed = unicodedata.normalize('NFD', text)
    return [ch for ch in decomposed.upper() if 'A' <= ch <= 'Z']


def split_letters(text):
    letters = plain_letters(text)
    consonants = [ch for ch in letters if ch not in 'AEIOU']
    vowels = [ch for ch in letters if ch in 'AEIOU']
    return consonants, vowels


def surname_part(surname):
    consonants, vowels = split_letters(surname)
    return ''.join((consonants + vowels + ['X'] * 3)[:3])


def name_part(name):
    consonants, vowels = split_letters(name)
    if len(consonants) > 3:
        return consonants[0] + consonants[2] + consonants[3]
    return ''.join((consonants + vowels + ['X'] * 3)[:3])


def check_character(first15):
    total = 0
    for position, ch in enumerate(first15, start=1):
        total += ODD[ch] if position % 2 == 1 else EVEN[ch]
    return chr(ord('A') + total % 26)


def tax_code(surname, name, year, month, day, sex, cadastral):
    day_part = day + 40 if sex == 'F' else day
    first15 = (surname_part(surname) + name_part(name) + f'{year % 100:02d}' +
               MONTHS[month - 1] + f'{day_part:02d}' + cadastral)
    return first15 + check_character(first15)


ACCENTED = {"A'": "à", "E'": "è", "I'": "ì", "O'": "ò", "U'": "ù"}


def typed_form(stored, rng):
    """A municipality name as a person might type it: in capitals, in small
    letters or with initials, and with accented letters for final vowels."""
    style = rng.random()
    upper = style >= 0.8
    words = []
    for word in stored.split(' '):
        accent = len(word) >= 2 and word[-2:] in ACCENTED and rng.random() < 0.7
        letter = ACCENTED[word[-2:]] if accent else ''
        if accent:
            word = word[:-2]
        if upper:
            words.append(word + letter.upper())
        elif style < 0.5:
            words.append(word.capitalize() + letter)
        else:
            words.append(word.lower() + letter)
    return ' '.join(words)


def read_municipalities(path):
    entries = []
    with open(path, encoding='ascii') as data:
        for line in data:
            name, code = line.rstrip('\n').split('\t')
            entries.append((name, code))
    counts = Counter(name for name, _ in entries)
    return [(name, code) for name, code in entries if counts[name] == 1]


def features(row):
    """The rules of the code that `row` exercises."""
    surname, name, day, month, year, typed_sex, typed_place, code = row
    found = {'month ' + code[8], 'check ' + code[15], 'sex ' + typed_sex,
             'abroad' if code[11] == 'Z' else 'in Italy'}
    for label, text in (('surname', surname), ('name', name)):
        consonants, vowels = split_letters(text)
        found.add(f'{label} consonants {min(len(consonants), 4)}')
        found.add(f'{label} letters {min(len(consonants) + len(vowels), 3)}')
        if any(ord(ch) > 127 for ch in text):
            found.add(label + ' accent')
        if "'" in text or ' ' in text or '-' in text:
            found.add(label + ' punctuation')
    if any(ord(ch) > 127 for ch in typed_place):
        found.add('place accent')
    if year % 100 < 10:
        found.add('year padded')
    if day < 10:
        found.add('day padded')
    return found


def covering(rows):
    """Few rows that together show every feature any row shows."""
    wanted = set().union(*(features(row) for row in rows))
    chosen = []
    while wanted:
        best = max(rows, key=lambda row: len(features(row) & wanted))
        chosen.append(best)
        wanted -= features(best)
    return sorted(chosen, key=rows.index)


def main():
    if len(sys.argv) != 3:
        sys.exit('usage: make_tax_code_fixture.py RISORSA_CF_TXT OUTPUT')
    rng = random.Random(20240611)
    municipalities = read_municipalities(sys.argv[1])
    rows = []
    for index in range(320):
        surname = SURNAMES[index % len(SURNAMES)] if index < len(SURNAMES) else rng.choice(SURNAMES)
        name, sex = FIRST_NAMES[index % len(FIRST_NAMES)] if index < len(FIRST_NAMES) \
            else rng.choice(FIRST_NAMES)
        year = rng.randint(1900, 2024)
        month = rng.randint(1, 12)
        day = rng.randint(1, calendar.monthrange(year, month)[1])
        stored, cadastral = rng.choice(municipalities)
        typed_sex = sex if rng.random() < 0.7 else sex.lower()
        code = tax_code(surname, name, year, month, day, sex, cadastral)
        rows.append((surname, name, day, month, year, typed_sex, typed_form(stored, rng), code))
    rows = covering(rows)
    with open(sys.argv[2], 'w', encoding='utf-8', newline='\n') as output:
        output.write('# surname\tname\tday\tmonth\tyear\tsex\tmunicipality\ttax code\n')
        for row in rows:
            output.write('\t'.join(str(field) for field in row) + '\n')
    print(f'{sys.argv[2]}: {len(rows)} people')


if __name__ == '__main__':
    main()
