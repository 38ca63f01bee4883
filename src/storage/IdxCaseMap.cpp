// Case tables per code page.  The pairs below list, for the bytes 0x80-0xFF,
// each small letter and its capital in the same code page; ASCII letters are
// added by rule.  A lower-case table is the inverse, except that a capital in
// ASCII never maps out of ASCII (cp850's dotless i upper-cases to 'I', but
// 'I' lower-cases to 'i').

#include "IdxCaseMap.h"

#include <span>
#include <utility>

namespace quivra::storage {
namespace {

using Pair = std::pair<std::uint8_t, std::uint8_t>;  // small letter, capital

constexpr Pair kCp437[] = {{0x81, 0x9A}, {0x82, 0x90}, {0x84, 0x8E}, {0x86, 0x8F}, {0x87, 0x80},
                           {0x91, 0x92}, {0x94, 0x99}, {0xA4, 0xA5}, {0xE5, 0xE4}, {0xED, 0xE8}};

constexpr Pair kCp850[] = {{0x81, 0x9A}, {0x82, 0x90}, {0x83, 0xB6}, {0x84, 0x8E}, {0x85, 0xB7},
                           {0x86, 0x8F}, {0x87, 0x80}, {0x88, 0xD2}, {0x89, 0xD3}, {0x8A, 0xD4},
                           {0x8B, 0xD8}, {0x8C, 0xD7}, {0x8D, 0xDE}, {0x91, 0x92}, {0x93, 0xE2},
                           {0x94, 0x99}, {0x95, 0xE3}, {0x96, 0xEA}, {0x97, 0xEB}, {0x9B, 0x9D},
                           {0xA0, 0xB5}, {0xA1, 0xD6}, {0xA2, 0xE0}, {0xA3, 0xE9}, {0xA4, 0xA5},
                           {0xC6, 0xC7}, {0xD0, 0xD1}, {0xD5, 0x49}, {0xE4, 0xE5}, {0xE7, 0xE8},
                           {0xEC, 0xED}};

constexpr Pair kCp1252[] = {{0x9A, 0x8A}, {0x9C, 0x8C}, {0x9E, 0x8E}, {0xE0, 0xC0}, {0xE1, 0xC1},
                            {0xE2, 0xC2}, {0xE3, 0xC3}, {0xE4, 0xC4}, {0xE5, 0xC5}, {0xE6, 0xC6},
                            {0xE7, 0xC7}, {0xE8, 0xC8}, {0xE9, 0xC9}, {0xEA, 0xCA}, {0xEB, 0xCB},
                            {0xEC, 0xCC}, {0xED, 0xCD}, {0xEE, 0xCE}, {0xEF, 0xCF}, {0xF0, 0xD0},
                            {0xF1, 0xD1}, {0xF2, 0xD2}, {0xF3, 0xD3}, {0xF4, 0xD4}, {0xF5, 0xD5},
                            {0xF6, 0xD6}, {0xF8, 0xD8}, {0xF9, 0xD9}, {0xFA, 0xDA}, {0xFB, 0xDB},
                            {0xFC, 0xDC}, {0xFD, 0xDD}, {0xFE, 0xDE}, {0xFF, 0x9F}};

constexpr Pair kCp1251[] = {
    {0x83, 0x81}, {0x90, 0x80}, {0x9A, 0x8A}, {0x9C, 0x8C}, {0x9D, 0x8D}, {0x9E, 0x8E},
    {0x9F, 0x8F}, {0xA2, 0xA1}, {0xB3, 0xB2}, {0xB4, 0xA5}, {0xB8, 0xA8}, {0xBA, 0xAA},
    {0xBC, 0xA3}, {0xBE, 0xBD}, {0xBF, 0xAF}};  // 0xE0-0xFF -> 0xC0-0xDF by rule below

struct CaseMaps {
    ByteMap upper{};
    ByteMap lower{};
};

CaseMaps build(std::span<const Pair> pairs, bool cyrillicBlock) {
    CaseMaps maps;
    for (int b = 0; b < 256; ++b) {
        maps.upper[b] = static_cast<std::uint8_t>(b);
        maps.lower[b] = static_cast<std::uint8_t>(b);
    }
    for (int b = 'a'; b <= 'z'; ++b) {
        maps.upper[b] = static_cast<std::uint8_t>(b - 32);
        maps.lower[b - 32] = static_cast<std::uint8_t>(b);
    }
    auto add = [&maps](std::uint8_t small, std::uint8_t capital) {
        maps.upper[small] = capital;
        if (capital >= 0x80) maps.lower[capital] = small;
    };
    for (const Pair& p : pairs) add(p.first, p.second);
    if (cyrillicBlock) {
        for (int b = 0xE0; b <= 0xFF; ++b) {
            add(static_cast<std::uint8_t>(b), static_cast<std::uint8_t>(b - 32));
        }
    }
    return maps;
}

const CaseMaps& mapsFor(CodePage codePage) {
    static const CaseMaps cp437 = build(kCp437, false);
    static const CaseMaps cp850 = build(kCp850, false);
    static const CaseMaps cp1252 = build(kCp1252, false);
    static const CaseMaps cp1251 = build(kCp1251, true);
    switch (codePage) {
        case CodePage::Cp437:
            return cp437;
        case CodePage::Cp850:
            return cp850;
        case CodePage::Cp1251:
            return cp1251;
        case CodePage::Cp1252:
            break;
    }
    return cp1252;
}

}  // namespace

const ByteMap& upperCaseMap(CodePage codePage) {
    return mapsFor(codePage).upper;
}
const ByteMap& lowerCaseMap(CodePage codePage) {
    return mapsFor(codePage).lower;
}

}  // namespace quivra::storage
