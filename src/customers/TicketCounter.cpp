#include "TicketCounter.h"

#include "CustomerFiles.h"
#include "DateText.h"
#include "NumberText.h"
#include "OwnTables.h"
#include "TableStore.h"

#include <string>
#include <vector>

namespace quivra::customers {

using storage::Result;
using storage::Status;

namespace {

const std::vector<storage::FieldSpec>& ticketFields() {
    static const std::vector<storage::FieldSpec> fields{{"LASTNO", 'N', 10, 0},
                                                        {"LASTAT", 'C', 14, 0}};
    return fields;
}

Status addCounterRecord(storage::TableStore& table) {
    if (Status s = table.appendBlank(); !s) return s;
    if (Status s = table.setFieldText("LASTNO", "0"); !s) return s;
    return table.post();
}

}  // namespace

Result<std::uint32_t> nextTicketNumber(const std::filesystem::path& dataDir, storage::FileIo& io,
                                       std::chrono::milliseconds lockWait) {
    const std::filesystem::path path = dataDir / kTicketsTableFile;
    if (Status s = ensureOwnTable(path, ticketFields(), io, addCounterRecord); !s) return s;
    storage::TableStore table(path, io);
    table.setLockTimeout(lockWait);
    std::string notice;  // a repair here is not worth a box: the numbers go on
    Status s = table.open();
    if (s) s = checkOwnFields(table, ticketFields());
    if (s) s = repairOwnTable(table, {}, io, notice);
    // A table another program emptied gets its record back; should two
    // copies add one at once, both use the first.
    if (s && table.recordCount() == 0) s = addCounterRecord(table);
    if (s) s = table.goTo(1);
    if (s) s = table.edit();  // the counter's lock, and the number as it is now
    if (!s) return s;
    auto last = table.fieldText("LASTNO");
    const std::string_view lastText = last ? core::trimBlanks(*last) : std::string_view("?");
    const auto lastNo =
        lastText.empty() ? std::optional<std::int32_t>(0) : core::parseInteger(lastText);
    if (!lastNo || *lastNo < 0 || *lastNo >= 999999999) {
        table.cancel();
        return Status::corruption(path.string() + ": the last ticket number '" +
                                  std::string(lastText) + "' cannot be counted on from");
    }
    const auto next = static_cast<std::uint32_t>(*lastNo) + 1;
    s = table.setFieldText("LASTNO", std::to_string(next));
    if (s) s = table.setFieldText("LASTAT", timestampNow());
    if (s) s = table.post();
    if (!s) {
        table.cancel();
        return s;
    }
    return next;
}

}  // namespace quivra::customers
