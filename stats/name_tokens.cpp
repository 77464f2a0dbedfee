// The name tokens of a WUS file name.
#include "stats/name_tokens.h"

namespace wus {
namespace {

// Takes one token from `cursor` on; leaves `cursor` after the ")" that ended
// it, or at the end of the name.
void TakeToken(std::string_view name, std::size_t& cursor, std::string* token) {
  token->clear();
  while (cursor < name.size()) {
    char c = name[cursor++];
    if (c == '(') continue;
    if (c == ')') break;
    token->push_back(c);
  }
}

}  // namespace

void TakeNameTokens(std::string_view fileName, std::string* token1, std::string* token2) {
  std::size_t cursor = 0;
  TakeToken(fileName, cursor, token1);
  ++cursor;  // usually the "_" between ")" and "("
  TakeToken(fileName, cursor, token2);
}

}  // namespace wus
