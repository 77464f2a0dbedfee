// The streaming JSON writer.
#include "tools/json_writer.h"

#include "text/format.h"
#include "tools/json_codec.h"

namespace wus::tool {
namespace {
constexpr std::size_t kFlushSize = 1 << 16;
}  // namespace

void JsonWriter::NewLine(std::size_t depth) {
  buffer_.push_back('\n');
  buffer_.append(2 * depth, ' ');
}

void JsonWriter::BeforeValue() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (levels_.empty()) return;
  Level& level = levels_.back();
  if (level.count++ > 0) buffer_.push_back(',');
  if (level.isInline) {
    if (level.count > 1) buffer_.push_back(' ');
  } else {
    NewLine(levels_.size());
  }
}

void JsonWriter::Key(std::string_view key) {
  BeforeValue();
  AppendJsonText(key, &buffer_);
  buffer_.append(": ");
  afterKey_ = true;
}

void JsonWriter::Begin(char bracket, bool isInline) {
  BeforeValue();
  buffer_.push_back(bracket);
  bool outerInline = !levels_.empty() && levels_.back().isInline;
  levels_.push_back({isInline || outerInline, 0});
}

void JsonWriter::End(char bracket) {
  Level level = levels_.back();
  levels_.pop_back();
  if (!level.isInline && level.count > 0) NewLine(levels_.size());
  buffer_.push_back(bracket);
  FlushIfFull();
}

void JsonWriter::Unsigned(std::uint64_t value) {
  BeforeValue();
  AppendFormat(&buffer_, "%llu", static_cast<unsigned long long>(value));
}

void JsonWriter::Signed(std::int64_t value) {
  BeforeValue();
  AppendFormat(&buffer_, "%lld", static_cast<long long>(value));
}

void JsonWriter::Bool(bool value) {
  BeforeValue();
  buffer_.append(value ? "true" : "false");
}

void JsonWriter::Text(std::string_view bytes) {
  BeforeValue();
  AppendJsonText(bytes, &buffer_);
  FlushIfFull();
}

void JsonWriter::BeginText() {
  BeforeValue();
  buffer_.push_back('"');
}

void JsonWriter::TextPiece(std::string_view bytes) {
  AppendJsonTextPiece(bytes, &buffer_);
  FlushIfFull();
}

void JsonWriter::EndText() { buffer_.push_back('"'); }

void JsonWriter::Float(float value) {
  BeforeValue();
  AppendJsonFloat(value, &buffer_);
}

void JsonWriter::FlushIfFull() {
  if (buffer_.size() >= kFlushSize) {
    sink_(buffer_);
    buffer_.clear();
  }
}

void JsonWriter::Finish() {
  buffer_.push_back('\n');
  sink_(buffer_);
  buffer_.clear();
}

}  // namespace wus::tool
