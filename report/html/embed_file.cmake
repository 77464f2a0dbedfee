# Turns one file into a C++ source that holds its bytes, run at build time:
#   cmake -DINPUT=file -DOUTPUT=out.cpp -DFUNCTION=Name -P embed_file.cmake
# The source defines `wus::html::EmbeddedFile Name()` (report/html/embedded.h):
# the bytes and their SHA-256 in hex. A byte array rather than a string
# literal, so that any byte and any length is fine for every compiler.
file(READ "${INPUT}" hex HEX)
file(SHA256 "${INPUT}" sha256)
file(SIZE "${INPUT}" size)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
# Sixteen bytes a line keeps the generated file readable in a diff tool.
string(REGEX REPLACE "((0x..,){16})" "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}.tmp"
"// Generated from ${INPUT} by embed_file.cmake; do not edit.
#include \"report/html/embedded.h\"

namespace wus::html {
namespace {
// One byte more, so that an empty file still gives an array.
const unsigned char kBytes[] = {
${bytes}0x00};
}  // namespace

EmbeddedFile ${FUNCTION}() {
  return {std::string_view(reinterpret_cast<const char*>(kBytes), ${size}),
          \"${sha256}\"};
}

}  // namespace wus::html
")
# Only a changed output makes its object compile again.
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
