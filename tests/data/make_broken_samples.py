#!/usr/bin/env python3
"""Writes the deliberately broken xBase files of this folder.

Each file is a small, hand-built table (or table and memo file) with one
defect; the storage tests and the fuzz corpus use them.  Run from this
folder: python3 make_broken_samples.py
"""
import struct


def header(version, count, fields, codepage=0x03, header_extra=0):
    """A DBF header: 32-byte prefix, 32-byte descriptors, 0x0D."""
    record_length = 1 + sum(f[2] for f in fields)
    header_length = 32 + 32 * len(fields) + 1 + header_extra
    out = struct.pack('<B3BIHH', version, 124, 1, 15, count, header_length, record_length)
    out += b'\0' * 17 + bytes([codepage]) + b'\0\0'
    for name, ftype, length, dec in fields:
        out += name.encode().ljust(11, b'\0') + ftype.encode() + b'\0' * 4
        out += bytes([length, dec]) + b'\0' * 14
    out += b'\x0d' + b'\0' * header_extra
    return out


PLAIN = [('NAME', 'C', 10, 0), ('ARLEN', 'N', 4, 0)]
MEMO = [('NAME', 'C', 10, 0), ('NOTES', 'M', 10, 0)]


def plain_records(n):
    return b''.join(b' ' + ('Name %d' % i).encode().ljust(10) + str(i).rjust(4).encode()
                    for i in range(1, n + 1))


def fpt(blocks, next_free=None, block_size=64):
    """An .FPT file: 512-byte header, then text blocks at 512/block_size on."""
    data = bytearray(512)
    block = 512 // block_size
    pointers = []
    for text in blocks:
        pointers.append(block)
        entry = struct.pack('>II', 1, len(text)) + text
        entry += b'\0' * (-len(entry) % block_size)
        data += entry
        block += len(entry) // block_size
    struct.pack_into('>I', data, 0, next_free if next_free is not None else block)
    struct.pack_into('>H', data, 6, block_size)
    return bytes(data), pointers


def memo_table(pointers, names=None):
    recs = b''
    for i, p in enumerate(pointers):
        name = (names[i] if names else 'Row %d' % (i + 1)).encode().ljust(10)
        pointer = p if isinstance(p, bytes) else str(p).rjust(10).encode()
        recs += b' ' + name + pointer
    return header(0xF5, len(pointers), MEMO) + recs + b'\x1a'


def write(name, data):
    with open(name, 'wb') as f:
        f.write(data)


def main():
    good = header(0x03, 3, PLAIN) + plain_records(3) + b'\x1a'
    # The file ends in the middle of record 3.
    write('truncated.dbf', good[:len(good) - 8])
    # Header length far beyond the end of the file.
    bad = bytearray(good)
    struct.pack_into('<H', bad, 8, 60000)
    write('bad_header_length.dbf', bytes(bad))
    # Header length that cuts the field list short (no terminator inside it).
    bad = bytearray(good)
    struct.pack_into('<H', bad, 8, 48)
    write('short_header_length.dbf', bytes(bad))
    # Record length smaller than the fields need.
    bad = bytearray(good)
    struct.pack_into('<H', bad, 10, 6)
    write('bad_record_length.dbf', bytes(bad))
    # No 0x1A at the end: valid, must read.
    write('no_eof_marker.dbf', good[:-1])
    # A version this engine does not read (dBASE IV with memo).
    write('unknown_version.dbf', b'\x8b' + good[1:])
    # A language driver byte that names no known code page.
    bad = bytearray(good)
    bad[29] = 0x7A
    write('unknown_codepage.dbf', bytes(bad))
    # Shorter than a header.
    write('tiny.dbf', good[:10])
    # Record count of four billion on a three-record file.
    bad = bytearray(good)
    struct.pack_into('<I', bad, 4, 0xFFFFFFFF)
    write('huge_count.dbf', bytes(bad))

    memo, pointers = fpt([b'first memo', b'second memo'])
    # A sound table with memos, for reference and as a fuzzing seed.
    write('valid_memo.dbf', memo_table(pointers + [b' ' * 10]))
    write('valid_memo.fpt', memo)
    # Memo pointer far past the end of the memo file.
    write('memo_past_eof.dbf', memo_table([pointers[0], 99999]))
    write('memo_past_eof.fpt', memo)
    # Memo block whose length runs past the end of the file.
    bad = bytearray(memo)
    struct.pack_into('>I', bad, pointers[1] * 64 + 4, 0x7FFFFFFF)
    write('memo_length_huge.dbf', memo_table(pointers))
    write('memo_length_huge.fpt', bytes(bad))
    # Memo pointer into the memo file's own header (block 1 of 64 bytes),
    # the pointer a chain that loops back to its start would give.
    write('memo_in_header.dbf', memo_table([pointers[0], 1]))
    write('memo_in_header.fpt', memo)
    # Memo field holding text instead of a block number.
    write('memo_not_number.dbf', memo_table([pointers[0], b'abcdefghij']))
    write('memo_not_number.fpt', memo)
    # Memo fields but no memo file beside the table.
    write('memo_missing.dbf', memo_table(pointers))
    # dBASE III memo without its 0x1A terminator: read up to the end of file.
    dbt = bytearray(512)
    struct.pack_into('<I', dbt, 0, 2)
    dbt += b'an unterminated memo'
    recs = b' ' + b'Row 1'.ljust(10) + b'1'.rjust(10)
    write('dbt_unterminated.dbf', header(0x83, 1, MEMO) + recs + b'\x1a')
    write('dbt_unterminated.dbt', bytes(dbt))
    # Memo file with block size 0 (read as 1 byte) and a pointer at byte 600.
    memo0 = bytearray(600) + struct.pack('>II', 1, 5) + b'tiny!'
    struct.pack_into('>I', memo0, 0, 613)
    write('memo_blocksize0.dbf', memo_table([600]))
    write('memo_blocksize0.fpt', bytes(memo0))


if __name__ == '__main__':
    main()
