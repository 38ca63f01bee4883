#include "TextCodec.h"

#include <iconv.h>

#include <cerrno>
#include <memory>

namespace quivra::storage {

namespace {

struct IconvCloser {
    void operator()(void* cd) const { iconv_close(static_cast<iconv_t>(cd)); }
};
using IconvHandle = std::unique_ptr<void, IconvCloser>;

void appendCodePoint(std::uint32_t cp, std::string& out) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one UTF-8 sequence at `pos`; returns false on malformed input
// (overlong forms, surrogates and truncated sequences included).
bool nextCodePoint(std::string_view s, std::size_t& pos, std::uint32_t& cp) {
    const auto lead = static_cast<unsigned char>(s[pos]);
    int extra = 0;
    std::uint32_t min = 0;
    if (lead < 0x80) {
        cp = lead;
        ++pos;
        return true;
    }
    if ((lead & 0xE0) == 0xC0) {
        extra = 1, cp = lead & 0x1F, min = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, cp = lead & 0x0F, min = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, cp = lead & 0x07, min = 0x10000;
    } else {
        return false;
    }
    if (pos + static_cast<std::size_t>(extra) >= s.size()) return false;  // truncated
    for (int i = 1; i <= extra; ++i) {
        const auto c = static_cast<unsigned char>(s[pos + static_cast<std::size_t>(i)]);
        if ((c & 0xC0) != 0x80) return false;
        cp = (cp << 6) | (c & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    pos += static_cast<std::size_t>(extra) + 1;
    return true;
}

}  // namespace

const char* TextCodec::name() const {
    switch (m_codePage) {
        case CodePage::Cp437:
            return "CP437";
        case CodePage::Cp850:
            return "CP850";
        case CodePage::Cp852:
            return "CP852";
        case CodePage::Cp866:
            return "CP866";
        case CodePage::Cp1250:
            return "CP1250";
        case CodePage::Cp1251:
            return "CP1251";
        case CodePage::Cp1252:
            return "CP1252";
    }
    return "CP1252";
}

Result<TextCodec> TextCodec::make(CodePage codePage) {
    TextCodec codec;
    codec.m_codePage = codePage;
    IconvHandle cd(iconv_open("UTF-8", codec.name()));
    if (cd.get() == reinterpret_cast<void*>(-1)) {  // NOLINT(performance-no-int-to-ptr)
        // -1 is no handle: there is nothing to close.
        static_cast<void>(cd.release());
        return Status::unsupported("The system cannot convert code page " + codePageName(codePage));
    }
    for (int b = 0; b < 256; ++b) {
        char in = static_cast<char>(b);
        char out[8] = {};
        char* inPtr = &in;
        char* outPtr = out;
        std::size_t inLeft = 1;
        std::size_t outLeft = sizeof out;
        iconv(static_cast<iconv_t>(cd.get()), nullptr, nullptr, nullptr, nullptr);
        const std::size_t rc =
            iconv(static_cast<iconv_t>(cd.get()), &inPtr, &inLeft, &outPtr, &outLeft);
        std::string utf8;
        if (rc == static_cast<std::size_t>(-1) || inLeft != 0) {
            // Undefined in this code page: keep the byte's own value.
            appendCodePoint(static_cast<std::uint32_t>(b), utf8);
        } else {
            utf8.assign(out, static_cast<std::size_t>(outPtr - out));
        }
        codec.m_toUtf8[static_cast<std::size_t>(b)] = utf8;
        if (b >= 0x80) {
            std::size_t pos = 0;
            std::uint32_t cp = 0;
            if (nextCodePoint(utf8, pos, cp)) codec.m_fromUnicode.emplace(cp, static_cast<char>(b));
        }
    }
    return codec;
}

void TextCodec::appendUtf8(std::string_view bytes, std::string& out) const {
    // ASCII is the same in every code page here: copy runs of it at once.
    std::size_t i = 0;
    while (i < bytes.size()) {
        std::size_t run = i;
        while (run < bytes.size() && static_cast<unsigned char>(bytes[run]) < 0x80) ++run;
        out.append(bytes.data() + i, run - i);
        if (run < bytes.size()) out += m_toUtf8[static_cast<unsigned char>(bytes[run++])];
        i = run;
    }
}

std::string TextCodec::toUtf8(std::string_view bytes) const {
    std::string out;
    out.reserve(bytes.size());
    appendUtf8(bytes, out);
    return out;
}

Result<std::string> TextCodec::fromUtf8(std::string_view utf8, std::string_view what) const {
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const std::size_t start = pos;
        std::uint32_t cp = 0;
        if (!nextCodePoint(utf8, pos, cp)) {
            return Status::encoding("The text for " + std::string(what) +
                                    " is not valid UTF-8 (byte " + std::to_string(start) + ")");
        }
        if (cp < 0x80) {
            out += static_cast<char>(cp);
            continue;
        }
        const auto it = m_fromUnicode.find(cp);
        if (it == m_fromUnicode.end()) {
            return Status::encoding("The text for " + std::string(what) + " contains '" +
                                    std::string(utf8.substr(start, pos - start)) +
                                    "', which code page " + codePageName(m_codePage) +
                                    " of the table cannot hold");
        }
        out += it->second;
    }
    return out;
}

std::string TextCodec::firstUnheld(std::string_view utf8) const {
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const std::size_t start = pos;
        std::uint32_t cp = 0;
        if (!nextCodePoint(utf8, pos, cp)) return "\xEF\xBF\xBD";
        if (cp >= 0x80 && m_fromUnicode.find(cp) == m_fromUnicode.end()) {
            return std::string(utf8.substr(start, pos - start));
        }
    }
    return {};
}

Result<CodePage> codePageFromDriver(std::uint8_t driver) {
    switch (driver) {
        case 0x00:
        case 0x03:
        case 0x57:
            return CodePage::Cp1252;
        case 0x01:
            return CodePage::Cp437;
        case 0x02:
            return CodePage::Cp850;
        case 0x64:
            return CodePage::Cp852;
        case 0x65:
            return CodePage::Cp866;
        case 0xC8:
            return CodePage::Cp1250;
        case 0xC9:
            return CodePage::Cp1251;
        default:
            break;
    }
    static const char* hex = "0123456789ABCDEF";
    std::string text = "0x";
    text += hex[driver >> 4];
    text += hex[driver & 0xF];
    return Status::unsupported("language driver " + text + " (code page) is not supported");
}

std::string codePageName(CodePage codePage) {
    switch (codePage) {
        case CodePage::Cp437:
            return "cp437";
        case CodePage::Cp850:
            return "cp850";
        case CodePage::Cp852:
            return "cp852";
        case CodePage::Cp866:
            return "cp866";
        case CodePage::Cp1250:
            return "cp1250";
        case CodePage::Cp1251:
            return "cp1251";
        case CodePage::Cp1252:
            return "cp1252";
    }
    return "cp1252";
}

}  // namespace quivra::storage
