#!/bin/sh
# quivra-table check on every delivered table and index of a run folder.
# usage: check_tables.sh QUIVRA-TABLE RUN-FOLDER
set -e
tool=$1
cd "$2"
for table in HUNTCHRT.DBF Targchrt.dbf YouthChrt.dbf KSTRCHRT.dbf Newtraj.dbf SHOPINFO.DBF; do
  "$tool" check "$table"
done
"$tool" check Specs.DBF specs.idx
"$tool" check Saveddb.dbf Saved.idx
