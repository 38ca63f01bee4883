#pragma once
// IdxVerifier: the consistency checks of an index.
//   verify():     the full check against the table, for `quivra-table check`
//                 and the tests.  It reads every node once and every record
//                 once; memory grows with records times key length.
//   checkEdges(): the cheap check of every select, a few node reads.

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
    // Ok when the key length is the expression's width; the root is marked
    // as root and the interior nodes on the paths to the first and the last
    // leaf hold entries, no node below the root claims to be one, and each
    // entry's key is not below its child's last key; both leaves lie at one
    // depth, hold keys (unless the root is the only leaf of an index whose
    // header counts no keys), have no outer
    // neighbour and are linked both ways to their inner one; and the first
    // key is not above the last.  Otherwise a Corruption status naming the
    // index file and the fault.
    static Status checkEdges(IdxNodeStore& store, const KeyExpression& expression);
};

}  // namespace quivra::storage
