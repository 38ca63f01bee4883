#include "TableRepair.h"

#include "DatedBackup.h"
#include "FieldCodec.h"
#include "IdxBuilder.h"
#include "IndexFile.h"
#include "KeyExpression.h"
#include "MemoFile.h"
#include "TableCheck.h"
#include "TableFile.h"

#include <cctype>
#include <map>

namespace quivra::storage {

namespace {

constexpr std::uint32_t kBatch = 4096;

std::string plural(std::uint64_t n, const char* word) {
    return std::to_string(n) + " " + word + (n == 1 ? "" : "s");
}

// An index rebuilt under a temporary name, waiting to replace the old one.
struct NewIndex {
    std::filesystem::path temp;
    std::filesystem::path target;
};

class Repair {
public:
    Repair(TableFile& table, FileIo& io, const ProgressFn& progress)
        : m_table(table), m_io(io), m_progress(progress) {}

    // What the file's size says: the whole records and what lies after them.
    Status measure(RepairReport& report) {
        auto state = m_table.readDiskState();
        if (!state) return state.status();
        const std::uint64_t data = state->size - m_table.headerLength();
        m_whole = static_cast<std::uint32_t>(
            std::min<std::uint64_t>(data / m_table.recordLength(), 0xFFFFFFFEU));
        if (state->count != m_whole) {
            report.mended.push_back("the header counted " + std::to_string(state->count) +
                                    " records; it now counts the " +
                                    plural(m_whole, "whole record") + " on file");
        }
        // With the count set to the whole records, anything but the end
        // marker after them is a fault: part of a record, or other bytes.
        auto tail = m_table.sizeFault({m_whole, state->size});
        if (!tail) return tail.status();
        if (!tail->empty()) {
            const std::uint64_t after = state->size - m_table.recordOffset(m_whole + 1);
            report.mended.push_back("dropped " + plural(after, "byte") + " after record " +
                                    std::to_string(m_whole) +
                                    " (a record cut off, or bytes after the end marker)");
        }
        m_table.setKnownCount(m_whole);
        report.kept = m_whole;
        return Status::ok();
    }

    [[nodiscard]] std::uint32_t whole() const { return m_whole; }

    // Whether `done` more units of work may go on.
    bool onward(std::uint64_t done) const {
        return !m_progress || m_progress(std::min(done, m_units), m_units);
    }
    void setUnits(std::uint64_t units) { m_units = units; }

    // Reads every whole record; plans new bytes for those to mend.
    Status scan(std::uint64_t unitsBefore, RepairReport& report) {
        const std::size_t rl = m_table.recordLength();
        std::string records;
        for (std::uint32_t first = 1; first <= m_whole; first += kBatch) {
            const std::uint32_t n = std::min(kBatch, m_whole - first + 1);
            if (Status s = m_table.readRecords(first, n, records); !s) return s;
            for (std::uint32_t i = 0; i < n; ++i) {
                mendRecord(first + i, std::string_view(records).substr(i * rl, rl));
            }
            if (!onward(unitsBefore + first + n - 1)) return cancelled();
        }
        summarize(m_badFlags, "a deleted flag other than blank or *", "kept as live records",
                  report);
        summarize(m_badMemos, "a memo that could not be read", "their memo fields are now empty",
                  report);
        return Status::ok();
    }

    // Builds every index anew under a temporary name.
    Status buildIndexes(const std::vector<std::filesystem::path>& indexes,
                        std::uint64_t unitsBefore, std::vector<NewIndex>& built,
                        RepairReport& report) {
        for (std::size_t i = 0; i < indexes.size(); ++i) {
            const std::filesystem::path& path = indexes[i];
            const std::string name = path.filename().string();
            if (!m_io.exists(path)) {
                report.mended.push_back("index " + name + " was not found, so not rebuilt");
                continue;
            }
            auto index = IndexFile::open(path, m_io, m_table);
            if (!index) {
                report.mended.push_back("index " + name +
                                        " could not be rebuilt: " + index.status().message());
                continue;
            }
            auto expr = KeyExpression::compile((*index)->expression(), m_table.fields(),
                                               m_table.codePage());
            index.value().reset();
            if (!expr) return expr.status();  // it compiled on open a moment ago
            const std::uint64_t base = unitsBefore + i * m_whole;
            auto temp = IdxBuilder::buildTemporary(
                path, m_io, m_table, *expr, expr->width(),
                [&](std::uint64_t done, std::uint64_t) { return onward(base + done); });
            if (!temp && temp.status().code() == Status::Code::Cancelled) return temp.status();
            if (!temp) {
                report.mended.push_back("index " + name +
                                        " could not be rebuilt: " + temp.status().message());
                continue;
            }
            built.push_back({*temp, path});
            report.mended.push_back("index " + name + " was rebuilt");
        }
        return Status::ok();
    }

    // Writes what scan() planned and the new end of the file.
    Status apply(RepairReport& report) {
        for (const auto& [recNo, bytes] : m_mends) {
            if (Status s = m_table.writeRawRecord(recNo, bytes); !s) return s;
        }
        if (Status s = m_table.setEnd(m_whole); !s) return s;
        if (MemoFile* memo = m_table.memo()) {
            auto mended = memo->mendNextFree();
            if (!mended) return mended.status();
            if (*mended) {
                report.mended.emplace_back(
                    "the memo file's next free block lay beyond its end; it "
                    "now points to its end");
            }
        }
        return Status::ok();
    }

private:
    Status cancelled() const {
        return Status::cancelled("The repair of table '" + m_table.path().string() +
                                 "' was cancelled; every file is as it was");
    }

    void mendRecord(std::uint32_t recNo, std::string_view record) {
        std::string mended(record);
        if (const std::string fault = TableFile::flagFault(recNo, record[0]); !fault.empty()) {
            mended[0] = ' ';
            m_badFlags.push_back(fault);
        }
        for (std::size_t f = 0; f < m_table.fields().size(); ++f) {
            const FieldDef& def = m_table.fields()[f];
            if (!isMemoType(def.type)) continue;
            auto memo = m_table.memoText(record, f);
            if (memo) continue;
            std::fill_n(mended.begin() + def.offset, def.length, ' ');
            m_badMemos.push_back("record " + std::to_string(recNo) + ", field " + def.name + ": " +
                                 memo.status().message());
        }
        if (mended != record) m_mends.emplace(recNo, std::move(mended));
    }

    // One line per fault while there are few, else one for them all.
    static void summarize(const std::vector<std::string>& faults, const std::string& what,
                          const std::string& done, RepairReport& report) {
        constexpr std::size_t kListed = 5;
        if (faults.empty()) return;
        if (faults.size() <= kListed) {
            for (const std::string& f : faults) report.mended.push_back(f + " (" + done + ")");
            return;
        }
        report.mended.push_back(std::to_string(faults.size()) + " records had " + what +
                                ", the first: " + faults.front() + " (" + done + ")");
    }

    TableFile& m_table;
    FileIo& m_io;
    const ProgressFn& m_progress;
    std::uint32_t m_whole = 0;
    std::uint64_t m_units = 0;
    std::map<std::uint32_t, std::string> m_mends;
    std::vector<std::string> m_badFlags;
    std::vector<std::string> m_badMemos;
};

}  // namespace

std::string RepairReport::text() const {
    std::string t = "Kept " + plural(kept, "record") + ".";
    for (std::string line : mended) {
        line[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(line[0])));
        t += " " + line + ".";
    }
    return t;
}

Result<RepairReport> TableRepair::repair(const std::filesystem::path& tablePath,
                                         const std::vector<std::filesystem::path>& indexes,
                                         FileIo& io, std::chrono::system_clock::time_point now,
                                         const ProgressFn& progress,
                                         std::chrono::milliseconds lockWait) {
    auto opened = TableFile::open(tablePath, io, lockWait);
    if (!opened) return opened.status();
    TableFile& table = **opened;
    const std::string name = "Table file '" + tablePath.string() + "'";
    if (table.fieldsDamaged()) {
        return Status::unsupported(name +
                                   " cannot be repaired: its field descriptions are "
                                   "damaged, so its records cannot be told apart from "
                                   "their fields (" +
                                   table.damage().message() + ")");
    }
    if (table.version() != 0x03 && table.version() != 0xF5) {
        return Status::unsupported(name + " is not a FoxPro 2.x table; this program only reads it");
    }
    if (!table.fileWritable()) {
        return Status::ioError(name + " cannot be repaired: it or its memo file is read-only");
    }
    RepairReport report;
    std::vector<NewIndex> built;
    auto dropNew = [&] {
        for (const NewIndex& n : built) (void)io.remove(n.temp);
        for (const auto& b : report.backups) (void)io.remove(b);
    };
    {
        TableFile::HeaderLock lock(table);
        if (!lock.status()) return lock.status();
        Repair work(table, io, progress);
        if (Status s = work.measure(report); !s) return s;
        const std::uint64_t whole = work.whole();
        work.setUnits(whole * (2 + indexes.size()));

        std::vector<std::filesystem::path> files{tablePath};
        if (table.memo() != nullptr) files.push_back(table.memo()->path());
        files.insert(files.end(), indexes.begin(), indexes.end());
        auto backups =
            DatedBackup::copy(io, files, now, [&](std::uint64_t done, std::uint64_t total) {
                return work.onward(total == 0 ? 0 : done * whole / total);
            });
        if (!backups) return backups.status();
        report.backups = std::move(backups).value();

        Status s = work.scan(whole, report);
        if (s) s = work.buildIndexes(indexes, 2 * whole, built, report);
        if (!s) {
            dropNew();
            return s;
        }
        // From here on the files change; the backup stays whatever happens.
        s = work.apply(report);
        for (const NewIndex& n : built) {
            if (s) s = io.rename(n.temp, n.target);
            if (!s) (void)io.remove(n.temp);
        }
        if (!s) {
            std::string kept;
            for (const auto& b : report.backups) kept += (kept.empty() ? "" : ", ") + b.string();
            return Status::ioError(name + " was only partly repaired: " + s.message() +
                                   ". The damaged files are kept as " + kept);
        }
    }
    // A look at the result with a handle of its own, once the lock is free.
    auto check = TableFile::open(tablePath, io, lockWait);
    if (!check) return check.status();
    if (Status s = TableCheck::run(**check); !s) {
        return Status::corruption(name + " is still damaged after the repair: " + s.message());
    }
    return report;
}

}  // namespace quivra::storage
