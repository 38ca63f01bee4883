// Recursive-descent parser and evaluator for index key expressions.  The
// compiled form is a flat vector of nodes, children before parents, so an
// expression is cheap to copy and needs no heap nodes.  Evaluation appends
// to one output string and transforms the tail a function owns in place;
// after the first record no allocation happens, which keeps a rebuild of a
// million records fast.

#include "KeyExpression.h"

#include "IdxCaseMap.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>

namespace quivra::storage {
namespace {

std::string upperAscii(std::string_view s) {
    std::string r(s);
    for (char& c : r) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return r;
}

bool isIdentStart(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}
bool isIdentChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

}  // namespace

class KeyExpression::Parser {
    struct Function {
        std::string_view name;
        Op op;
        bool countArgument;  // takes a second argument (a count); SUBSTR and PADR a third
    };
    // The order matters only for abbreviations: the first full name that the
    // typed name begins is taken (FoxPro accepts four letters or more).
    static constexpr std::array<Function, 10> kFunctions{{{"UPPER", Op::Upper, false},
                                                          {"LOWER", Op::Lower, false},
                                                          {"TRIM", Op::RTrim, false},
                                                          {"RTRIM", Op::RTrim, false},
                                                          {"LTRIM", Op::LTrim, false},
                                                          {"ALLTRIM", Op::AllTrim, false},
                                                          {"LEFT", Op::Left, true},
                                                          {"SUBSTR", Op::Substr, true},
                                                          {"PADR", Op::PadR, true},
                                                          {"DTOS", Op::Dtos, false}}};

public:
    Parser(std::string_view text, const std::vector<FieldDef>& fields, std::vector<Node>& nodes)
        : m_text(text), m_fields(fields), m_nodes(nodes) {}

    // Returns the root node index, or a failure.
    Result<int> parseAll() {
        Result<int> root = parseSum();
        if (!root) return root;
        skipBlanks();
        if (m_pos < m_text.size()) return unexpected();
        return root;
    }

private:
    [[nodiscard]] Status fail(const std::string& what) const {
        return Status::invalidArgument("Key expression \"" + std::string(m_text) + "\": " + what);
    }
    [[nodiscard]] Status unsupported(const std::string& what) const {
        return Status::unsupported("Key expression \"" + std::string(m_text) + "\": " + what);
    }
    [[nodiscard]] Status unexpected() const {
        if (m_pos >= m_text.size()) return fail("the expression ends too early");
        return fail("unexpected \"" + std::string(1, m_text[m_pos]) + "\" at position " +
                    std::to_string(m_pos + 1));
    }

    void skipBlanks() {
        while (m_pos < m_text.size() && (m_text[m_pos] == ' ' || m_text[m_pos] == '\t')) ++m_pos;
    }
    bool take(char c) {
        skipBlanks();
        if (m_pos < m_text.size() && m_text[m_pos] == c) {
            ++m_pos;
            return true;
        }
        return false;
    }
    int push(Node node) {
        m_nodes.push_back(std::move(node));
        return static_cast<int>(m_nodes.size()) - 1;
    }

    Result<int> parseSum() {
        Result<int> first = parseTerm();
        if (!first) return first;
        Node concat;
        concat.op = Op::Concat;
        concat.children.push_back(*first);
        for (;;) {
            skipBlanks();
            if (m_pos < m_text.size() && m_text[m_pos] == '-') {
                return unsupported("the operator \"-\" is not supported in an index key");
            }
            if (!take('+')) break;
            Result<int> next = parseTerm();
            if (!next) return next;
            concat.children.push_back(*next);
        }
        if (concat.children.size() == 1) return concat.children.front();
        for (int child : concat.children) concat.width += m_nodes[child].width;
        return push(std::move(concat));
    }

    Result<int> parseTerm() {
        skipBlanks();
        if (m_pos >= m_text.size()) return unexpected();
        const char c = m_text[m_pos];
        if (c == '(') {
            ++m_pos;
            Result<int> inner = parseSum();
            if (!inner) return inner;
            if (!take(')')) return unexpected();
            return inner;
        }
        if (c == '"' || c == '\'' || c == '[') return parseLiteral(c == '[' ? ']' : c);
        if (std::isdigit(static_cast<unsigned char>(c))) {
            return unsupported("the number at position " + std::to_string(m_pos + 1) +
                               " is not a character value (only character keys are supported)");
        }
        if (!isIdentStart(c)) return unexpected();
        const std::size_t begin = m_pos;
        while (m_pos < m_text.size() && isIdentChar(m_text[m_pos])) ++m_pos;
        const std::string name = upperAscii(m_text.substr(begin, m_pos - begin));
        skipBlanks();
        if (m_pos < m_text.size() && m_text[m_pos] == '(') {
            ++m_pos;
            return parseCall(name);
        }
        if (m_pos < m_text.size() &&
            (m_text[m_pos] == '.' || m_text.substr(m_pos).starts_with("->"))) {
            return unsupported("the alias \"" + name + "\" is not supported; name the field alone");
        }
        return parseField(name);
    }

    Result<int> parseLiteral(char close) {
        const std::size_t begin = ++m_pos;
        while (m_pos < m_text.size() && m_text[m_pos] != close) ++m_pos;
        if (m_pos >= m_text.size()) return fail("a text in quotes is not closed");
        Node node;
        node.op = Op::Literal;
        node.literal = std::string(m_text.substr(begin, m_pos - begin));
        node.width = node.literal.size();
        ++m_pos;
        return push(std::move(node));
    }

    Result<int> parseField(const std::string& name) {
        for (const FieldDef& f : m_fields) {
            if (f.name != name) continue;
            if (f.type != 'C') {
                return unsupported(
                    "the field " + name + " is of type " + std::string(1, f.type) +
                    "; only character fields can form a key (use DTOS() for a date)");
            }
            Node node;
            node.op = Op::Field;
            node.offset = f.offset;
            node.length = f.length;
            node.width = f.length;
            return push(std::move(node));
        }
        return fail("the table has no field " + name);
    }

    // A non-negative whole number literal (the count arguments).
    Result<std::uint32_t> parseCount(const std::string& function) {
        skipBlanks();
        std::uint32_t value = 0;
        const char* first = m_text.data() + m_pos;
        const char* last = m_text.data() + m_text.size();
        auto [ptr, ec] = std::from_chars(first, last, value);
        if (ec != std::errc() || value > 65535) {
            return unsupported("the numeric argument of " + function +
                               "() must be a whole number from 0 to 65535 written as digits");
        }
        m_pos += static_cast<std::size_t>(ptr - first);
        return value;
    }

    Result<int> parseCall(const std::string& typed) {
        const Function* fn = nullptr;
        if (typed.size() >= 4) {
            for (const Function& f : kFunctions) {
                if (f.name.starts_with(typed)) {
                    fn = &f;
                    break;
                }
            }
        }
        if (fn == nullptr) return unsupported("the function " + typed + "() is not supported");
        const std::string name(fn->name);
        if (fn->op == Op::Dtos) return parseDtos();
        Node node;
        node.op = fn->op;
        Result<int> arg = parseSum();
        if (!arg) return arg;
        node.children.push_back(*arg);
        const std::size_t argWidth = m_nodes[*arg].width;
        if (fn->countArgument) {
            if (!take(',')) return fail(name + "() needs a second argument");
            Result<std::uint32_t> n = parseCount(name);
            if (!n) return n.status();
            if (fn->op == Op::Substr && *n < 1) {
                return unsupported("SUBSTR() must start at position 1 or later");
            }
            (fn->op == Op::Substr ? node.start : node.length) = *n;
            if (fn->op == Op::Substr && take(',')) {
                Result<std::uint32_t> count = parseCount(name);
                if (!count) return count.status();
                node.length = *count;
                node.hasCount = true;
            } else if (fn->op == Op::PadR && take(',')) {
                Result<int> pad = parseTerm();
                if (!pad) return pad;
                const Node& p = m_nodes[*pad];
                if (p.op != Op::Literal || p.literal.size() != 1) {
                    return unsupported(
                        "the pad argument of PADR() must be one character in quotes");
                }
                node.pad = p.literal[0];
                m_nodes.pop_back();
            }
        }
        if (!take(')')) return unexpected();
        switch (node.op) {
            case Op::Left:
                node.width = std::min<std::size_t>(node.length, argWidth);
                break;
            case Op::Substr: {
                const std::size_t rest = node.start > argWidth ? 0 : argWidth - node.start + 1;
                node.width = node.hasCount ? std::min<std::size_t>(node.length, rest) : rest;
                break;
            }
            case Op::PadR:
                node.width = node.length;
                break;
            default:
                node.width = argWidth;
                break;
        }
        return push(std::move(node));
    }

    // DTOS(datefield): a date is stored as YYYYMMDD text, which is its key.
    Result<int> parseDtos() {
        skipBlanks();
        const std::size_t begin = m_pos;
        while (m_pos < m_text.size() && isIdentChar(m_text[m_pos])) ++m_pos;
        const std::string field = upperAscii(m_text.substr(begin, m_pos - begin));
        const auto it = std::find_if(m_fields.begin(), m_fields.end(),
                                     [&field](const FieldDef& f) { return f.name == field; });
        if (field.empty() || it == m_fields.end() || it->type != 'D' || it->length != 8) {
            return unsupported("DTOS() takes the name of a date field");
        }
        if (!take(')')) return unexpected();
        Node node;
        node.op = Op::Dtos;
        node.offset = it->offset;
        node.length = 8;
        node.width = 8;
        return push(std::move(node));
    }

    std::string_view m_text;
    const std::vector<FieldDef>& m_fields;
    std::vector<Node>& m_nodes;
    std::size_t m_pos = 0;
};

Result<KeyExpression> KeyExpression::compile(std::string_view text,
                                             const std::vector<FieldDef>& fields,
                                             CodePage codePage) {
    const auto isAscii = [](char c) { return static_cast<unsigned char>(c) < 0x80 && c != '\0'; };
    if (!std::all_of(text.begin(), text.end(), isAscii)) {
        return Status::unsupported("Key expression \"" + std::string(text) +
                                   "\": only ASCII characters are supported");
    }
    KeyExpression expr;
    expr.m_text = std::string(text);
    Parser parser(expr.m_text, fields, expr.m_nodes);
    Result<int> root = parser.parseAll();
    if (!root) return root.status();
    // The evaluator takes the last node as the root; a bare parenthesised
    // term may have left the root earlier in the vector.
    if (*root != static_cast<int>(expr.m_nodes.size()) - 1) {
        Node wrap;
        wrap.op = Op::Concat;
        wrap.children.push_back(*root);
        wrap.width = expr.m_nodes[*root].width;
        expr.m_nodes.push_back(std::move(wrap));
    }
    expr.m_upper = upperCaseMap(codePage).data();
    expr.m_lower = lowerCaseMap(codePage).data();
    return expr;
}

void KeyExpression::evaluate(std::string_view record, std::size_t keyLength,
                             std::string& out) const {
    out.clear();
    if (!m_nodes.empty()) evalNode(static_cast<int>(m_nodes.size()) - 1, record, out);
    out.resize(keyLength, ' ');
}

void KeyExpression::evalNode(int index, std::string_view record, std::string& out) const {
    const Node& node = m_nodes[static_cast<std::size_t>(index)];
    const std::size_t begin = out.size();
    switch (node.op) {
        case Op::Field:
        case Op::Dtos: {
            // Bytes beyond a short record read as blanks.
            const std::size_t have =
                node.offset < record.size()
                    ? std::min<std::size_t>(node.length, record.size() - node.offset)
                    : 0;
            out.append(record.data() + (have ? node.offset : 0), have);
            out.append(node.length - have, ' ');
            return;
        }
        case Op::Literal:
            out += node.literal;
            return;
        case Op::Concat:
            for (int child : node.children) evalNode(child, record, out);
            return;
        default:
            break;
    }
    evalNode(node.children.front(), record, out);
    const std::size_t size = out.size() - begin;
    switch (node.op) {
        case Op::Upper:
        case Op::Lower: {
            const std::uint8_t* map = node.op == Op::Upper ? m_upper : m_lower;
            for (std::size_t i = begin; i < out.size(); ++i) {
                out[i] = static_cast<char>(map[static_cast<std::uint8_t>(out[i])]);
            }
            return;
        }
        case Op::RTrim:
        case Op::AllTrim: {
            std::size_t end = out.size();
            while (end > begin && out[end - 1] == ' ') --end;
            out.resize(end);
            if (node.op == Op::RTrim) return;
            [[fallthrough]];
        }
        case Op::LTrim: {
            std::size_t first = begin;
            while (first < out.size() && out[first] == ' ') ++first;
            out.erase(begin, first - begin);
            return;
        }
        case Op::Left:
            if (size > node.length) out.resize(begin + node.length);
            return;
        case Op::Substr: {
            const std::size_t skip = std::min<std::size_t>(node.start - 1, size);
            out.erase(begin, skip);
            if (node.hasCount && out.size() - begin > node.length) out.resize(begin + node.length);
            return;
        }
        case Op::PadR:
            out.resize(begin + node.length, node.pad);
            return;
        default:
            return;
    }
}

}  // namespace quivra::storage
