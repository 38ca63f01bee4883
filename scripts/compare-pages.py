#!/usr/bin/env python3
"""Compares two pictures of a printed page (binary PGM files from pdftoppm -gray).

    compare-pages.py PRINTED.pgm EXPECTED.pgm

Made at 150 dpi, the two must be the same size and both carry print.  Every
printed pixel of each must lie within two pixels (a third of a millimetre)
of a printed pixel of the other.  That forgives the outlines CUPS turns
glyphs into, which differ from rendered text by a pixel at their edges, but
not a moved line or a changed figure: a single different digit leaves some
two hundred pixels without a partner.  Exit status 0 when they match; the
figures are printed either way.
"""
import sys

INK = 128           # darker than this is print
REACH = 2           # pixels a printed pixel may be away from its partner
MAX_UNMATCHED = 20  # printed pixels of either picture allowed without a partner

# One character per pixel: "1" for print, "0" for paper.
TO_BITS = bytes((0x31 if value < INK else 0x30) for value in range(256))


def read_rows(path):
    """The picture as one integer per row, bit set where there is print."""
    with open(path, "rb") as f:
        data = f.read()
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b"#":
            pos = data.index(b"\n", pos) + 1
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    if fields[0] != b"P5" or int(fields[3]) != 255:
        raise SystemExit(f"{path}: not an 8-bit binary PGM file")
    width, height = int(fields[1]), int(fields[2])
    pixels = data[pos + 1:pos + 1 + width * height]
    if len(pixels) != width * height:
        raise SystemExit(f"{path}: cut short")
    rows = [int(pixels[y * width:(y + 1) * width].translate(TO_BITS), 2) for y in range(height)]
    return (width, height), rows


def grown(rows, reach):
    """Print spread by `reach` pixels in every direction."""
    for _ in range(reach):
        rows = [row | (row << 1) | (row >> 1) for row in rows]
        rows = [rows[y] | (rows[y - 1] if y > 0 else 0) | (rows[y + 1] if y + 1 < len(rows) else 0)
                for y in range(len(rows))]
    return rows


def unmatched(rows, other):
    near = grown(other, REACH)
    return sum((row & ~partner).bit_count() for row, partner in zip(rows, near))


def main():
    size_printed, printed = read_rows(sys.argv[1])
    size_expected, expected = read_rows(sys.argv[2])
    if size_printed != size_expected:
        print(f"sizes differ: {size_printed} against {size_expected}")
        return 1
    ink_printed = sum(row.bit_count() for row in printed)
    ink_expected = sum(row.bit_count() for row in expected)
    lost = unmatched(expected, printed)
    extra = unmatched(printed, expected)
    print(f"{size_printed[0]}x{size_printed[1]} pixels; print {ink_printed} against "
          f"{ink_expected}; {lost} missing and {extra} extra printed pixels")
    if min(ink_printed, ink_expected) < 1000:
        print("a page is blank")
        return 1
    return 0 if max(lost, extra) <= MAX_UNMATCHED else 1


if __name__ == "__main__":
    sys.exit(main())
