#pragma once
// Number texts as the user sees them: the calculators read and write numbers
// exactly as the rest of the program does, through the table store's
// locale-independent number texts.

#include "NumericText.h"
#include "Status.h"

namespace quivra::calculators {

using storage::cutDecimals;
using storage::decimalText;
using storage::notAFloatMessage;
using storage::notAnIntegerMessage;
using storage::parseDecimal;
using storage::parseInteger;
using storage::trimBlanks;

}  // namespace quivra::calculators
