// A streaming JSON writer: values go out as they come, so a document of any
// size needs little memory. Containers are laid out one element per line,
// or on one line when begun as inline (everything inside is inline too).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace wus::tool {

// Receives the text of the document piece by piece, in order.
using TextSink = std::function<void(std::string_view)>;

class JsonWriter {
 public:
  explicit JsonWriter(TextSink sink) : sink_(std::move(sink)) {}
  JsonWriter(const JsonWriter&) = delete;
  JsonWriter& operator=(const JsonWriter&) = delete;

  void BeginObject(bool isInline = false) { Begin('{', isInline); }
  void EndObject() { End('}'); }
  void BeginArray(bool isInline = false) { Begin('[', isInline); }
  void EndArray() { End(']'); }
  // The key of the next value of the current object.
  void Key(std::string_view key);

  void Unsigned(std::uint64_t value);
  void Signed(std::int64_t value);
  void Bool(bool value);
  void Text(std::string_view bytes);  // bytes shown as in byte_text.h
  // A text given in pieces: BeginText, any number of TextPiece, EndText
  // write what Text would write for the pieces joined.
  void BeginText();
  void TextPiece(std::string_view bytes);
  void EndText();
  void Float(float value);  // as in json_codec.h

  // Ends the document with a line end and hands out what is left.
  void Finish();

 private:
  struct Level {
    bool isInline;
    std::size_t count;
  };
  void Begin(char bracket, bool isInline);
  void End(char bracket);
  // Writes what goes before a value: a separator and the indentation.
  void BeforeValue();
  void NewLine(std::size_t depth);
  void FlushIfFull();

  TextSink sink_;
  std::string buffer_;
  std::vector<Level> levels_;
  bool afterKey_ = false;
};

}  // namespace wus::tool
