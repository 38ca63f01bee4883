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
struct SearchRun;
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

// The page's set-up as ChartPosition reads it, with the weight read from its
// text; the point weight is read (and its conversion can fail) only where
// the page's rules use it.
storage::Result<ChartSetup> readChartSetup(SearchRunner& runner, int weight);

// Places the set-up on its page's chart (ChartPosition): sets the run's
// corrected weight, band and row for the whole `arrowLength`, and marks it
// valid when the row is one the page's chart holds (validRows).
void placeOnChart(SearchRun& run, const ChartSetup& setup, int arrowLength);

}  // namespace quivra::selection
