#!/usr/bin/env python3
"""Builds the seed corpus of the table fuzzer from the samples in tests/data.

Each seed is a table and its memo file in the layout of FuzzInput.h.
Run from this folder: python3 make_corpus.py
"""
import os
import struct

DATA = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'data')
OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'corpus', 'table')


def main():
    os.makedirs(OUT, exist_ok=True)
    for name in sorted(os.listdir(DATA)):
        if not name.endswith('.dbf'):
            continue
        stem = name[:-4]
        with open(os.path.join(DATA, name), 'rb') as f:
            table = f.read()
        memo = b''
        for ext in ('.fpt', '.dbt'):
            path = os.path.join(DATA, stem + ext)
            if os.path.exists(path):
                with open(path, 'rb') as f:
                    memo = f.read()
        with open(os.path.join(OUT, stem), 'wb') as f:
            f.write(struct.pack('<H', len(table)) + table + memo)


if __name__ == '__main__':
    main()
