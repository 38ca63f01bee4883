#pragma once
// The branches of the search, one per category page.  Each runs inside
// SearchRunner::findRec when its page is active, sets up the controls of its
// page, computes the corrected weight, band and chart row, positions the
// chart and fills the page's grid.  The returned status is the error that
// ended the search (conversion of an input text, a table failure).

#include "ChartPosition.h"
#include "Status.h"

#include <cstdint>

namespace quivra::selection {

class SearchRunner;
struct SetupControls;

storage::Status runHuntBranch(SearchRunner& runner);
storage::Status runTargetBranch(SearchRunner& runner);
storage::Status runYouthBranch(SearchRunner& runner);
storage::Status runKestraBranch(SearchRunner& runner);

// The page's set-up as ChartPosition reads it, with the weight read from its
// text; the point weight is read (and its conversion can fail) only where
// the page's rules use it.
storage::Result<ChartSetup> readChartSetup(SearchRunner& runner, int weight);

// Shows the adult weight and length fields (with UpDown1, UpDown2) and hides
// the youth ones (with UpDown3, UpDown5), or the reverse.
void showAdultInputs(SetupControls& controls, bool adult);

}  // namespace quivra::selection
