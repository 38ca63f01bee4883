#!/usr/bin/env python3
"""An independent reader (python3-dbf) must read every delivered table.

Usage: read_tables.py <quivra-gen-data> <data-dir>
Runs the generator into a temporary folder and reads every record of every
table.  Exits 77 (skipped) when the dbf module is not installed.
"""
import subprocess
import sys
import tempfile

try:
    import dbf
except ImportError:
    print("python3-dbf is not installed: skipped")
    sys.exit(77)

EXPECTED = {
    "Specs.DBF": (100, None),
    "HUNTCHRT.DBF": (20, 20),
    "Targchrt.dbf": (19, 19),
    "YouthChrt.dbf": (10, 10),
    "KSTRCHRT.dbf": (19, 19),
    "Newtraj.dbf": (245, 245),
    "SHOPINFO.DBF": (1, 1),
    "Saveddb.dbf": (0, 0),
}
SAVED_FIELDS = ["name", "addr1", "addr2", "city", "state", "zip", "country", "ccode",
                "comments", "date", "hort", "bowwt", "arlen", "pntwt", "botyp", "whtyp",
                "retyp", "bolen", "odlen"]


def main():
    generator, data = sys.argv[1], sys.argv[2]
    failures = 0
    with tempfile.TemporaryDirectory(prefix="quivra-gendata-py-") as run:
        subprocess.run([generator, "build", data, run], check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for name, (least, exact) in EXPECTED.items():
            table = dbf.Table(f"{run}/{name}")
            table.open(dbf.READ_ONLY)
            try:
                count = len(table)
                for record in table:
                    for field in table.field_names:
                        record[field]  # every value must decode
                ok = count >= least and (exact is None or count == exact)
                if name == "Saveddb.dbf" and list(table.field_names) != SAVED_FIELDS:
                    print(f"{name}: fields {table.field_names}")
                    ok = False
                print(f"{name}: {count} records{'' if ok else '  <-- unexpected'}")
                failures += not ok
            finally:
                table.close()
    print(f"{len(EXPECTED) - failures} passed, {failures} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
