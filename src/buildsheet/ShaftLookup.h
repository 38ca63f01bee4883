#pragma once
// ShaftLookup: a catalogue shaft as the build sheet reads it.  The window,
// the arrow weight builder's "Build Sheet..." button and quivra-build all
// come through here, so a key gives the same spine, weight per inch and
// diameter wherever it is looked up.
//
// The key is the catalogue key the grids use (the size caption followed by
// the chart's key text, "2213M4", "400CH"); like the builder, anything after
// a blank is dropped ("2213 (alt 2215)M4" seeks "2213").  Unlike the grid,
// which accepts the first record whose key begins with the text, the sheet
// takes only the record whose key is the text: a clerk's typing error must
// not silently pick another shaft.
//
// Grains per inch are the builder's (details::grainsPerInch): on a combined
// aluminium row, the M4 alloy's number.  Which models caption decides that
// is the one the grid showed, or the models column of the page.

#include "Page.h"
#include "ShaftCatalogue.h"
#include "ShaftRecord.h"
#include "Status.h"

#include <string>
#include <string_view>

namespace quivra::buildsheet {

// The build sheet's record and the catalogue record it came from (for the
// part weights the catalogue suggests).
struct CatalogueShaft {
    calculators::ShaftRecord shaft;
    catalogue::ShaftRecord record;
};

// Looks `key` up in `catalogue`.  `modelsCaption` is the grid's caption of
// the shaft; empty takes the models column of `page`.  Fails with a sentence
// for the user when the key is not in the catalogue or its SPINE or GPI
// text is no number, and with the catalogue's status when the table cannot
// be read.
core::Result<CatalogueShaft> lookUpShaft(catalogue::ShaftCatalogue& catalogue, std::string_view key,
                                         core::Page page, std::string_view modelsCaption = {});

}  // namespace quivra::buildsheet
