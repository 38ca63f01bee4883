// libFuzzer target: arbitrary bytes as the .idx file of a small table.  The
// index is checked (the cheap check of a select and the full one), selected
// (or, when the select refuses it, rebuilt, after which both checks must
// pass), walked both ways, sought, and then changed by an append and an
// edit, so the readers and the in-place writer both meet damaged trees.  Any crash, sanitizer
// report or endless loop is a fault; error statuses are the expected outcome for most inputs.

#include "ForwardingFileIo.h"
#include "IndexFile.h"
#include "TableFile.h"
#include "TableStore.h"

#include <unistd.h>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

namespace {

using quivra::storage::CodePage;
using quivra::storage::FieldSpec;
using quivra::storage::FileIo;
using quivra::storage::ForwardingFile;
using quivra::storage::ForwardingFileIo;
using quivra::storage::IndexFile;
using quivra::storage::Result;
using quivra::storage::Status;
using quivra::storage::TableFile;
using quivra::storage::TableStore;

// The POSIX layer without syncs: durability is not under test here, and a
// sync per post would slow fuzzing a hundredfold.
class NoSyncFileIo final : public ForwardingFileIo {
public:
    Status rename(const std::filesystem::path& from, const std::filesystem::path& to) override {
        std::error_code ec;
        std::filesystem::rename(from, to, ec);  // without the folder sync of the POSIX layer
        return ec ? Status::ioError("Cannot rename '" + from.string() + "': " + ec.message())
                  : Status::ok();
    }

protected:
    std::unique_ptr<File> wrap(std::unique_ptr<File> file) override {
        return std::make_unique<NoSyncFile>(std::move(file));
    }

private:
    class NoSyncFile final : public ForwardingFile {
    public:
        using ForwardingFile::ForwardingFile;
        Status sync() override { return Status::ok(); }
    };
};

NoSyncFileIo& io() {
    static NoSyncFileIo instance;
    return instance;
}

// A folder with a 60-record table, made once per process and removed at exit.
class Workspace {
public:
    Workspace()
        : m_dir(std::filesystem::temp_directory_path() /
                ("quivra-index-fuzz-" + std::to_string(::getpid()))),
          m_table(m_dir / "t.dbf"),
          m_index(m_dir / "t.idx") {
        std::filesystem::create_directories(m_dir);
        (void)TableStore::create(m_table, {FieldSpec{"NAME", 'C', 10, 0}}, CodePage::Cp1252, true,
                                 io());
        TableStore t(m_table, io());
        (void)t.open();
        for (int i = 0; i < 60; ++i) {
            (void)t.appendBlank();
            (void)t.setFieldText("NAME", "N" + std::to_string((i * 37) % 50));
            (void)t.post();
        }
        t.close();
        std::ifstream in(m_table, std::ios::binary);
        m_tableBytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    ~Workspace() {
        std::error_code ec;
        std::filesystem::remove_all(m_dir, ec);
    }
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    [[nodiscard]] const std::filesystem::path& table() const { return m_table; }
    [[nodiscard]] const std::filesystem::path& index() const { return m_index; }
    // The pristine table, restored before each input.
    [[nodiscard]] const std::string& tableBytes() const { return m_tableBytes; }

private:
    std::filesystem::path m_dir;
    std::filesystem::path m_table;
    std::filesystem::path m_index;
    std::string m_tableBytes;
};

void writeFile(const std::filesystem::path& p, const char* data, std::size_t size) {
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(data, static_cast<std::streamsize>(size));
}

const Workspace& workspace() {
    static const Workspace ws;
    return ws;
}

void walk(TableStore& t) {
    // Bounded by the record count: TableStore itself stops at eof.
    if (!t.first()) return;
    for (std::uint32_t i = 0; i < 200 && !t.eof(); ++i) {
        if (!t.next()) break;
    }
    if (!t.last()) return;
    for (std::uint32_t i = 0; i < 200 && !t.bof(); ++i) {
        if (!t.previous()) break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Workspace& ws = workspace();
    writeFile(ws.table(), ws.tableBytes().data(), ws.tableBytes().size());
    writeFile(ws.index(), reinterpret_cast<const char*>(data), size);

    {
        auto table = TableFile::open(ws.table(), io());
        if (table) {
            auto index = IndexFile::open(ws.index(), io(), **table);
            if (index) {
                // The cheap check of every select, then the full one: a tree
                // the cheap check passes must still never crash the rest.
                (void)(*index)->checkStructure();
                (void)(*index)->verify();
                (void)(*index)->coversTable();
                (void)(*index)->seek("N1");
            }
        }
    }
    TableStore t(ws.table(), io());
    if (!t.open()) return 0;
    if (!t.selectIndex(ws.index())) {
        // What the program does with an index the select refuses: rebuild it
        // from the table on its own key expression.  Afterwards it must pass.
        if (!t.rebuildIndexFile(ws.index())) return 0;
        auto table = TableFile::open(ws.table(), io());
        if (!table) __builtin_trap();
        auto index = IndexFile::open(ws.index(), io(), **table);
        if (!index || !(*index)->checkStructure() || !(*index)->verify()) __builtin_trap();
    }
    walk(t);
    for (const char* text : {"", "N", "N2", "N49", "Z"}) (void)t.seek(text);
    (void)t.goTo(5);
    (void)t.next();
    if (t.appendBlank()) {
        (void)t.setFieldText("NAME", "N25");
        (void)t.post();
    }
    if (t.goTo(3) && t.edit()) {
        (void)t.setFieldText("NAME", "A0");
        (void)t.post();
    }
    walk(t);
    return 0;
}
