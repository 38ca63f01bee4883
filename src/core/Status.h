#pragma once
// Status and Result: how every fallible call reports what went wrong.  A
// Status carries a code and a message meant for the user's error box; a
// storage message names the file (and where useful the field, record or
// offset).

#include <string>
#include <string_view>
#include <utility>
#include <variant>

namespace quivra::core {

class Status {
public:
    enum class Code {
        Ok,
        NotFound,         // a file that should exist does not
        IoError,          // the operating system refused a read, write, sync or rename
        Corruption,       // file bytes that contradict the format
        InvalidArgument,  // a caller asked for something that cannot be (unknown field, bad record
                          // number)
        Conversion,       // a field or text that is not the number asked for
        Encoding,         // a text the table's code page cannot hold
        Unsupported,      // a valid file or request this engine does not handle
        Busy,             // a lock could not be taken
        Cancelled,        // the caller asked long work to stop; nothing was changed
        Unavailable,      // a server that cannot be reached now; the same call may work later
    };

    Status() = default;
    static Status ok() { return {}; }
    static Status notFound(std::string msg) { return {Code::NotFound, std::move(msg)}; }
    static Status ioError(std::string msg) { return {Code::IoError, std::move(msg)}; }
    static Status corruption(std::string msg) { return {Code::Corruption, std::move(msg)}; }
    static Status invalidArgument(std::string msg) {
        return {Code::InvalidArgument, std::move(msg)};
    }
    static Status conversion(std::string msg) { return {Code::Conversion, std::move(msg)}; }
    static Status encoding(std::string msg) { return {Code::Encoding, std::move(msg)}; }
    static Status unsupported(std::string msg) { return {Code::Unsupported, std::move(msg)}; }
    static Status busy(std::string msg) { return {Code::Busy, std::move(msg)}; }
    static Status cancelled(std::string msg) { return {Code::Cancelled, std::move(msg)}; }
    static Status unavailable(std::string msg) { return {Code::Unavailable, std::move(msg)}; }

    [[nodiscard]] bool isOk() const { return m_code == Code::Ok; }
    explicit operator bool() const { return isOk(); }
    [[nodiscard]] Code code() const { return m_code; }
    [[nodiscard]] const std::string& message() const { return m_message; }

private:
    Status(Code code, std::string msg) : m_code(code), m_message(std::move(msg)) {}
    Code m_code = Code::Ok;
    std::string m_message;
};

// The texts the user sees when a number cannot be read from a text.
std::string notAnIntegerMessage(std::string_view text);  // "'%s' is not a valid integer value"
std::string notAFloatMessage(std::string_view text);  // "'%s' is not a valid floating point value"

// A value or the Status that explains why there is none.
template <class T>
class [[nodiscard]] Result {
public:
    Result(T value) : m_v(std::move(value)) {}         // NOLINT(google-explicit-constructor)
    Result(Status status) : m_v(std::move(status)) {}  // NOLINT(google-explicit-constructor)

    [[nodiscard]] bool isOk() const { return std::holds_alternative<T>(m_v); }
    explicit operator bool() const { return isOk(); }
    // Precondition: isOk().
    const T& value() const& { return std::get<T>(m_v); }
    T& value() & { return std::get<T>(m_v); }
    T&& value() && { return std::get<T>(std::move(m_v)); }
    const T& operator*() const& { return value(); }
    const T* operator->() const { return &value(); }
    T valueOr(T fallback) const { return isOk() ? value() : std::move(fallback); }
    // The failure, or an ok Status when a value is held.
    [[nodiscard]] Status status() const { return isOk() ? Status::ok() : std::get<Status>(m_v); }

private:
    std::variant<T, Status> m_v;
};

}  // namespace quivra::core

// The table store was the first user of these types and its callers name them
// storage::Status and storage::Result; both names stand for the same types.
namespace quivra::storage {
using core::Status;
template <class T>
using Result = core::Result<T>;
using core::notAFloatMessage;
using core::notAnIntegerMessage;
}  // namespace quivra::storage
