#pragma once
// CsvTable: the readable form of every delivered table.  One header line of
// column names, then one line per record; fields are separated by commas and
// a field that holds a comma, a quote or leading/trailing blanks is written
// in double quotes (a quote inside is doubled).  Lines starting with '#' are
// comments and are skipped on reading.  Files are UTF-8, lines end in LF.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quivra::gendata {

class CsvTable {
public:
    CsvTable() = default;
    explicit CsvTable(std::vector<std::string> header) : m_header(std::move(header)) {}

    // Reads a file.  On failure returns nullopt and puts a message naming the
    // file and line into `error`.  Every record must have as many fields as
    // the header.
    static std::optional<CsvTable> read(const std::filesystem::path& file, std::string& error);
    // Parses text already in memory (same rules; `name` only labels errors).
    static std::optional<CsvTable> parse(std::string_view text, std::string_view name,
                                         std::string& error);

    // The file's text, as written by write().
    [[nodiscard]] std::string toText() const;
    // Writes through a temporary file and a rename.  Returns false and fills
    // `error` on failure.
    bool write(const std::filesystem::path& file, std::string& error) const;

    [[nodiscard]] const std::vector<std::string>& header() const { return m_header; }
    [[nodiscard]] const std::vector<std::vector<std::string>>& rows() const { return m_rows; }
    [[nodiscard]] std::size_t rowCount() const { return m_rows.size(); }
    // Column index by exact name, or -1.
    [[nodiscard]] int column(std::string_view name) const;
    // Field of a row by column name; empty when the column does not exist.
    [[nodiscard]] std::string value(std::size_t row, std::string_view name) const;

    void addRow(std::vector<std::string> row) { m_rows.push_back(std::move(row)); }

private:
    std::vector<std::string> m_header;
    std::vector<std::vector<std::string>> m_rows;
};

// Writes `bytes` to `file` through a temporary file in the same folder and a
// rename.  Returns false and fills `error` on failure.
bool writeFileAtomically(const std::filesystem::path& file, std::string_view bytes,
                         std::string& error);

}  // namespace quivra::gendata
