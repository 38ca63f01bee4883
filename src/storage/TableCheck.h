#pragma once
// TableCheck: the full check of a table, for `quivra-table check` and for
// TableRepair to confirm its work.  Reads every record and every memo a
// record points to; the cheap checks of opening (TableFile::damage()) come
// first.

#include "Progress.h"
#include "Status.h"

namespace quivra::storage {

class TableFile;

class TableCheck {
public:
    // Ok, or a Corruption status naming the file and the first faults found:
    // what opening found, deleted flags other than blank or '*', memos that
    // cannot be read or are of a type their field cannot hold.  `progress`
    // (may be empty) hears of the records read; its false return stops the
    // check with a Cancelled status.
    static Status run(const TableFile& table, const ProgressFn& progress = {});
};

}  // namespace quivra::storage
