#!/usr/bin/env python3
"""Writes a FoxPro table with a memo file using python3-dbf, for Quivra to read.

Usage: write_with_python.py TABLE
The table has fields NAME C(30), BOWWT N(5,1), SAVED D, ACTIVE L, NOTES M and
the records listed in ROWS (the test knows the same values).
Exit status 77 when python3-dbf is missing.
"""
import datetime
import sys

try:
    import dbf
except ImportError as e:
    print('skipped: %s' % e)
    sys.exit(77)

ROWS = [
    ('Zoë Ørsted', 52.5, datetime.date(2023, 7, 14), True, 'Prêt à tirer, "très" bien.\r\nDeuxième ligne'),
    ("O'Neil", 60.0, datetime.date(1999, 12, 31), False, ''),
    ('Plain', -1.5, None, None, 'x' * 700),
]


def main():
    table = dbf.Table(sys.argv[1], 'NAME C(30); BOWWT N(5,1); SAVED D; ACTIVE L; NOTES M',
                      dbf_type='fp', codepage='cp1252')
    table.open(dbf.READ_WRITE)
    for row in ROWS:
        table.append(row)
    table.close()


if __name__ == '__main__':
    main()
