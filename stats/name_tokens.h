// The two name tokens of a WUS file name: the texts inside its first two
// pairs of parentheses, "(Alpha)_(Bravo)_3.wus" giving "Alpha" and "Bravo".
// The report's name is made of them.
#pragma once

#include <string>
#include <string_view>

namespace wus {

// Walks `fileName` once: "(" is dropped wherever it stands, the first ")"
// ends the first token, the character after it is skipped, and the second
// token is taken the same way from there. A name without parentheses yields
// itself as the first token and an empty second one.
void TakeNameTokens(std::string_view fileName, std::string* token1, std::string* token2);

}  // namespace wus
