#pragma once
// KeyExpression: the key of a single-order index, compiled against a table's
// fields and evaluated on raw record bytes.
//
// Supported (the subset that character-keyed FoxPro indexes use):
//   field names (character fields), "..." / '...' / [...] literals, `+`,
//   UPPER(x), LOWER(x), TRIM(x), RTRIM(x), LTRIM(x), ALLTRIM(x),
//   LEFT(x, n), SUBSTR(x, start [, n]), PADR(x, n [, "c"]), DTOS(datefield),
//   and parentheses.  Names are matched without regard to case; a function
//   may be abbreviated to its first four letters or more (UPPE, SUBS, ALLT).
// Anything else (numeric or date keys, other functions, aliases, operators
// other than +) is refused with a message that names what was not understood.
//
// Key bytes are the table's code-page bytes, compared byte by byte.  The
// width of a key is fixed when compiling: the longest value the expression
// can give (a trimmed field keeps its field's width); shorter values are
// padded with blanks.

#include "FieldDef.h"
#include "Status.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quivra::storage {

class KeyExpression {
public:
    // The longest key a standard .idx node can hold usefully; FoxPro's limit.
    static constexpr std::size_t kMaxKeyLength = 100;

    // Compiles `text` against `fields` (as FieldDef offsets give them: byte 0
    // of a record is the deletion flag).  Fails with InvalidArgument (syntax,
    // unknown field) or Unsupported (outside the subset), the message quoting
    // the expression and naming the offending part.
    static Result<KeyExpression> compile(std::string_view text, const std::vector<FieldDef>& fields,
                                         CodePage codePage);

    [[nodiscard]] const std::string& text() const { return m_text; }
    // Width in bytes of the key this expression gives (may be 0 for a key of
    // literals only cut to nothing; callers refuse such a key).
    [[nodiscard]] std::size_t width() const { return m_nodes.empty() ? 0 : m_nodes.back().width; }

    // Writes the key of `record` into `out`: exactly `keyLength` bytes,
    // padded with blanks or cut.  Bytes a short record lacks read as blanks,
    // so any input is safe.  `out` is reused to avoid allocations.
    void evaluate(std::string_view record, std::size_t keyLength, std::string& out) const;

private:
    enum class Op : std::uint8_t {
        Field,
        Literal,
        Concat,
        Upper,
        Lower,
        RTrim,
        LTrim,
        AllTrim,
        Left,
        Substr,
        PadR,
        Dtos
    };
    struct Node {
        Op op = Op::Literal;
        std::uint32_t offset = 0;   // Field: offset in the record
        std::uint32_t length = 0;   // Field: width; Left/PadR: n; Substr: count
        std::uint32_t start = 0;    // Substr: 1-based start
        bool hasCount = false;      // Substr: count given
        char pad = ' ';             // PadR: pad character
        std::string literal;        // Literal
        std::vector<int> children;  // indexes into m_nodes, all before this node
        std::size_t width = 0;
    };
    class Parser;

    void evalNode(int index, std::string_view record, std::string& out) const;

    std::string m_text;
    std::vector<Node> m_nodes;  // the root is the last node
    const std::uint8_t* m_upper = nullptr;
    const std::uint8_t* m_lower = nullptr;
};

}  // namespace quivra::storage
