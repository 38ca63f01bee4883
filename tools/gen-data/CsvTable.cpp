#include "CsvTable.h"

#include <fstream>
#include <sstream>
#include <system_error>

namespace quivra::gendata {

namespace {

bool needsQuotes(std::string_view field) {
    if (field.empty()) return false;
    if (field.front() == ' ' || field.back() == ' ') return true;
    return field.find_first_of(",\"\n\r") != std::string_view::npos;
}

void appendField(std::string& out, std::string_view field) {
    if (!needsQuotes(field)) {
        out += field;
        return;
    }
    out += '"';
    for (char c : field) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

// Splits one logical line into fields.  Quoted fields may not span lines:
// none of our tables needs that, and refusing it keeps error lines exact.
bool splitLine(std::string_view line, std::vector<std::string>& fields, std::string& why) {
    fields.clear();
    std::string cur;
    std::size_t i = 0;
    while (true) {
        cur.clear();
        if (i < line.size() && line[i] == '"') {
            ++i;
            bool closed = false;
            while (i < line.size()) {
                if (line[i] == '"') {
                    if (i + 1 < line.size() && line[i + 1] == '"') {
                        cur += '"';
                        i += 2;
                        continue;
                    }
                    closed = true;
                    ++i;
                    break;
                }
                cur += line[i++];
            }
            if (!closed) {
                why = "unterminated quoted field";
                return false;
            }
            if (i < line.size() && line[i] != ',') {
                why = "text after a closing quote";
                return false;
            }
        } else {
            while (i < line.size() && line[i] != ',') cur += line[i++];
        }
        fields.push_back(cur);
        if (i >= line.size()) return true;
        ++i;  // the comma
    }
}

}  // namespace

std::optional<CsvTable> CsvTable::parse(std::string_view text, std::string_view name,
                                        std::string& error) {
    CsvTable table;
    std::size_t pos = 0;
    int lineNo = 0;
    bool haveHeader = false;
    std::vector<std::string> fields;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line.front() == '#') continue;
        std::string why;
        if (!splitLine(line, fields, why)) {
            error = std::string(name) + ", line " + std::to_string(lineNo) + ": " + why;
            return std::nullopt;
        }
        if (!haveHeader) {
            table.m_header = fields;
            haveHeader = true;
            continue;
        }
        if (fields.size() != table.m_header.size()) {
            error = std::string(name) + ", line " + std::to_string(lineNo) + ": " +
                    std::to_string(fields.size()) + " fields where the header has " +
                    std::to_string(table.m_header.size());
            return std::nullopt;
        }
        table.m_rows.push_back(fields);
    }
    if (!haveHeader) {
        error = std::string(name) + ": no header line";
        return std::nullopt;
    }
    return table;
}

std::optional<CsvTable> CsvTable::read(const std::filesystem::path& file, std::string& error) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        error = file.string() + ": cannot be read";
        return std::nullopt;
    }
    std::ostringstream buf;
    buf << in.rdbuf();
    return parse(buf.str(), file.string(), error);
}

std::string CsvTable::toText() const {
    std::string out;
    auto line = [&out](const std::vector<std::string>& fields) {
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (i) out += ',';
            appendField(out, fields[i]);
        }
        out += '\n';
    };
    line(m_header);
    for (const auto& r : m_rows) line(r);
    return out;
}

bool CsvTable::write(const std::filesystem::path& file, std::string& error) const {
    return writeFileAtomically(file, toText(), error);
}

int CsvTable::column(std::string_view name) const {
    for (std::size_t i = 0; i < m_header.size(); ++i)
        if (m_header[i] == name) return static_cast<int>(i);
    return -1;
}

std::string CsvTable::value(std::size_t row, std::string_view name) const {
    int c = column(name);
    if (c < 0 || row >= m_rows.size()) return {};
    return m_rows[row][static_cast<std::size_t>(c)];
}

bool writeFileAtomically(const std::filesystem::path& file, std::string_view bytes,
                         std::string& error) {
    std::filesystem::path tmp = file;
    tmp += ".tmp";
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        if (!out) {
            error = tmp.string() + ": cannot be written";
            return false;
        }
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            error = tmp.string() + ": write failed";
            std::error_code ignored;
            std::filesystem::remove(tmp, ignored);
            return false;
        }
    }
    std::error_code ec;
    std::filesystem::rename(tmp, file, ec);
    if (ec) {
        error = file.string() + ": rename failed: " + ec.message();
        std::filesystem::remove(tmp, ec);
        return false;
    }
    return true;
}

}  // namespace quivra::gendata
