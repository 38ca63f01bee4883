#pragma once
// TextCodec: converts texts between UTF-8 (the API) and a table's single-byte
// code page (the file).  The tables are built once with iconv; conversion
// itself is a table lookup, cheap enough for every field of every record.
//
// Decoding never fails: a byte the code page leaves undefined becomes the
// code point of the same value, so reading and writing back keeps the byte.
// Encoding refuses any character the code page cannot hold; nothing is
// replaced silently.

#include "FieldDef.h"
#include "Status.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

namespace quivra::storage {

class TextCodec {
public:
    // Builds the tables for the code page; fails when iconv does not know it.
    static Result<TextCodec> make(CodePage codePage);

    [[nodiscard]] CodePage codePage() const { return m_codePage; }
    // The iconv name of the code page, e.g. "CP1252".
    [[nodiscard]] const char* name() const;

    // Appends the UTF-8 form of `bytes` to `out`.
    void appendUtf8(std::string_view bytes, std::string& out) const;
    [[nodiscard]] std::string toUtf8(std::string_view bytes) const;
    // The code-page bytes of a UTF-8 text.  Fails with an Encoding status
    // whose message says which character cannot be held; invalid UTF-8 fails
    // the same way.  `what` names the field or value for the message.
    [[nodiscard]] Result<std::string> fromUtf8(std::string_view utf8, std::string_view what) const;
    // The first character of `utf8` this code page cannot hold, as UTF-8
    // ("\xEF\xBF\xBD", the replacement character, for invalid UTF-8), or ""
    // when it holds every one.
    [[nodiscard]] std::string firstUnheld(std::string_view utf8) const;

private:
    TextCodec() = default;
    CodePage m_codePage = CodePage::Cp1252;
    std::array<std::string, 256> m_toUtf8;                  // byte -> UTF-8
    std::unordered_map<std::uint32_t, char> m_fromUnicode;  // code point -> byte (>= 0x80)
};

// The code page a language-driver byte stands for; 0 (not set) is cp1252.
// Fails with Unsupported for drivers this engine does not know.
Result<CodePage> codePageFromDriver(std::uint8_t driver);

}  // namespace quivra::storage
