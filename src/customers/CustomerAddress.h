#pragma once
// CustomerAddress: the typed part of a saved set-up, the fields the customer
// windows edit.  Texts are UTF-8, as the user typed them (comments may hold
// several lines).

#include <string>
#include <string_view>

namespace quivra::customers {

struct CustomerAddress {
    std::string name;      // NAME, required
    std::string addr1;     // ADDR1, required
    std::string addr2;     // ADDR2
    std::string city;      // CITY, required
    std::string state;     // STATE, required, upper case
    std::string zip;       // ZIP
    std::string country;   // COUNTRY
    std::string ccode;     // CCODE ("Code:")
    std::string comments;  // COMMENTS (memo)

    // True when NAME, ADDR1, CITY and STATE each hold more than blanks; a
    // blank-only text would be stored as an empty field.
    [[nodiscard]] bool isComplete() const;

    bool operator==(const CustomerAddress&) const = default;
};

// `text` with every line break written CR LF, the convention of xBase memo
// files: LF, CR and CR LF alike become CR LF.
std::string withCrLf(std::string_view text);

// The message a save gets when isComplete() is false.
inline constexpr const char* kIncompleteAddressMessage = "Incomplete address, cannot add record";

}  // namespace quivra::customers
