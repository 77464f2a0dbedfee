// `wustool make IN.json OUT.wus`: writes the WUS file that a JSON document
// (json_codec.h) describes, exactly; the inverse of `wustool dump`.
#pragma once

#include <string>
#include <vector>

namespace wus::tool {

// Returns true iff `json` describes a WUS file, and stores its bytes and any
// warnings; otherwise `*error` says what is wrong and where.
bool MakeWusBytes(std::string_view json, std::string* bytes, std::vector<std::string>* warnings,
                  std::string* error);

// The command; `args` are the arguments after "make". Returns the exit status.
int RunMake(const std::vector<std::string>& args);

}  // namespace wus::tool
