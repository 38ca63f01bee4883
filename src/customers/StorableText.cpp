#include "StorableText.h"

#include "TableStore.h"

#include <cstdint>

namespace quivra::customers {

namespace {

// The code point of a one-character UTF-8 text (0 when it is not one).
std::uint32_t codePointOf(std::string_view utf8) {
    if (utf8.empty()) return 0;
    const auto lead = static_cast<unsigned char>(utf8[0]);
    const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    if (static_cast<int>(utf8.size()) != length) return 0;
    std::uint32_t cp = length == 1 ? lead : lead & (0x3Fu >> (length - 1));
    for (int i = 1; i < length; ++i) cp = (cp << 6) | (static_cast<unsigned char>(utf8[i]) & 0x3Fu);
    return cp;
}

// Latin letters with a mark (accent, stroke, cedilla, ring ...): the
// Latin-1 letters, Latin Extended-A and -B and Latin Extended Additional.
bool isMarkedLatinLetter(std::uint32_t cp) {
    if (cp >= 0xC0 && cp <= 0xFF) return cp != 0xD7 && cp != 0xF7;  // not × or ÷
    return (cp >= 0x100 && cp <= 0x24F) || (cp >= 0x1E00 && cp <= 0x1EFF);
}

}  // namespace

std::string unstorableMessage(std::string_view caption, std::string_view character) {
    const std::string where =
        "'" + std::string(character) + "' in " + std::string(caption) + " cannot be stored.";
    if (isMarkedLatinLetter(codePointOf(character))) {
        return "The letter " + where + " Please type it without the accent.";
    }
    return "The character " + where + " Please leave it out.";
}

storage::Status checkStorable(const storage::TableStore& table, std::string_view caption,
                              std::string_view text) {
    const std::string character = table.unstorableCharacter(text);
    if (character.empty()) return storage::Status::ok();
    return storage::Status::encoding(unstorableMessage(caption, character));
}

std::string withUnstorableMarked(std::string_view text) {
    std::string plain;
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            plain += ch;
        } else if ((c & 0xC0) != 0x80) {
            plain += '?';  // one per letter: continuation bytes are skipped
        }
    }
    return plain;
}

std::string withoutTrailingBlanks(std::string text) {
    const auto last = text.find_last_not_of(' ');
    text.erase(last == std::string::npos ? 0 : last + 1);
    return text;
}

}  // namespace quivra::customers
