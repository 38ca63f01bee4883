#!/usr/bin/env python3
"""Reads a table written by Quivra with python3-dbf and python3-dbfread and
compares every field of every record with the expected values.

Usage: read_with_python.py TABLE EXPECTED.json
EXPECTED holds a list of records, each a list of [field, type, text] where
text is what Quivra's fieldText gives (character values right-trimmed).
Exit status: 0 all equal, 1 a difference (printed), 77 a library is missing.
"""
import datetime
import json
import sys

try:
    import dbf
    import dbfread
except ImportError as e:  # the test is skipped, not failed
    print('skipped: %s' % e)
    sys.exit(77)


def normal(ftype, value):
    """A value of either library as the text Quivra shows."""
    if value is None:
        return ''
    if ftype == 'L':
        return 'T' if value else 'F'
    if ftype == 'D':
        return value.strftime('%Y%m%d') if isinstance(value, datetime.date) else ''
    if ftype in 'NF':
        return repr(float(value))
    if isinstance(value, bytes):
        value = value.decode('cp1252')
    return str(value).rstrip(' ')


def expected_text(ftype, text):
    if ftype in 'NF':
        return repr(float(text)) if text.strip() else ''
    return text


def compare(library, rows, expected):
    failures = 0
    if len(rows) != len(expected):
        print('%s: %d records, expected %d' % (library, len(rows), len(expected)))
        return 1
    for n, (row, want) in enumerate(zip(rows, expected), start=1):
        for name, ftype, text in want:
            got = normal(ftype, row(name))
            if got != expected_text(ftype, text):
                print('%s: record %d field %s: %r, expected %r' % (library, n, name, got, text))
                failures += 1
    return failures


def main():
    table_path, expected_path = sys.argv[1], sys.argv[2]
    with open(expected_path, encoding='utf-8') as f:
        expected = json.load(f)

    table = dbfread.DBF(table_path, char_decode_errors='strict')
    rows = [lambda name, r=r: r[name] for r in table]
    failures = compare('dbfread', rows, expected)

    table = dbf.Table(table_path)
    table.open(dbf.READ_ONLY)
    try:
        blank_ok = []
        for record in table:
            blank_ok.append(lambda name, r=record: r[name.lower()])
        failures += compare('python3-dbf', blank_ok, expected)
    finally:
        table.close()
    sys.exit(1 if failures else 0)


if __name__ == '__main__':
    main()
