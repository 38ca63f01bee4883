#pragma once
// IdxVerifier: the full consistency check of an index against its table, for
// `quivra-table check` and the tests.  It reads every node once and every
// record once; memory grows with records times key length.

#include "IdxNodeStore.h"
#include "KeyExpression.h"
#include "Status.h"

namespace quivra::storage {

class TableFile;

class IdxVerifier {
public:
    // Ok when the tree is well formed (depths equal, sibling links match the
    // tree, interior keys equal their child's last key, keys in order) and
    // holds exactly one key per table record, equal to the record's key
    // evaluated now.  Otherwise a Corruption status naming the index file
    // and the first fault found.
    static Status verify(IdxNodeStore& store, const TableFile& table,
                         const KeyExpression& expression);
};

}  // namespace quivra::storage
