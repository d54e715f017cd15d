// A minimal JSON writer. Game text is 8-bit Latin-1; strings come out as UTF-8.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace mrv::cli {

// Appends to a string the caller owns and writes out when it likes: a stream's
// formatting per character costs more than the report it writes.
class JsonWriter {
 public:
  explicit JsonWriter(std::string& out) : out_(out) {}
  void BeginObject();
  void EndObject();
  void BeginArray();
  void EndArray();
  void Key(std::string_view key);
  void String(std::string_view text);
  void Number(std::int64_t value);
  // A fraction rounded to three decimals, without trailing zeros: 1.25, 2, 0.333.
  void Decimal(double value);
  void Null();
  // A key with its value, the common case.
  void Field(std::string_view key, std::string_view text);
  void Field(std::string_view key, std::int64_t value);
  // A decimal, or null for no value.
  void DecimalField(std::string_view key, std::optional<double> value);

 private:
  void BeforeValue();
  std::string& out_;
  bool first_ = true;   // no value yet at this level
  bool after_key_ = false;
};

}  // namespace mrv::cli
