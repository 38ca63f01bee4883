#pragma once
// The branches of the search, one per category page.  Each runs inside
// SearchRunner::findRec when its page is active, sets up the controls of its
// page, computes the corrected weight, band and chart row, positions the
// chart and fills the page's grid.  The returned status is the error that
// ended the search (conversion of an input text, a table failure).

#include "SelectionInputs.h"
#include "Status.h"

#include <cstdint>

namespace quivra::selection {

class SearchRunner;
struct SetupControls;

storage::Status runHuntBranch(SearchRunner& runner);
storage::Status runTargetBranch(SearchRunner& runner);
storage::Status runYouthBranch(SearchRunner& runner);
storage::Status runKestraBranch(SearchRunner& runner);

// Sets the controls a page's branch sets at its start, before any chart work
// (visibility and enabled state of the set-up groups and input fields), from
// one table (PageStart.cpp).
void applyPageStart(SetupControls& controls, Page page);

// applyPageStart() for `inputs.page`, then what the page's bow type enables,
// disables or greys.  Needs no number: a search whose completeness test
// fails still shows the active page's fields and groups this way.
void applyPageControls(SetupControls& controls, const SelectionInputs& inputs);

// The point-weight correction of the Hunting longbow and the Target compound:
// 105-125 grains add 3, 130-150 add 6, 155-160 add 9, anything else nothing.
int longbowAndTargetPointCorrection(int pointWeight);

// The overdraw correction of the Hunting and Target compound: counts only for
// a corrected weight of 50 to 70 pounds; items 1 to 5 add 1, 3, 6, 9, 12.
int overdrawCorrection(std::int64_t correctedWeight, int overDrawIndex);

}  // namespace quivra::selection
