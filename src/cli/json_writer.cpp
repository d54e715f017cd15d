#include "cli/json_writer.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace mrv::cli {

void JsonWriter::BeforeValue() {
  if (after_key_) {
    after_key_ = false;
    return;
  }
  if (!first_) out_ += ',';
  first_ = false;
}

void JsonWriter::BeginObject() {
  BeforeValue();
  out_ += '{';
  first_ = true;
}

void JsonWriter::EndObject() {
  out_ += '}';
  first_ = false;
}

void JsonWriter::BeginArray() {
  BeforeValue();
  out_ += '[';
  first_ = true;
}

void JsonWriter::EndArray() {
  out_ += ']';
  first_ = false;
}

void JsonWriter::Key(std::string_view key) {
  String(key);
  out_ += ':';
  after_key_ = true;
}

void JsonWriter::String(std::string_view text) {
  BeforeValue();
  out_ += '"';
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out_ += '\\';
      out_ += c;
    } else if (byte < 0x20 || (byte >= 0x7f && byte < 0xa0)) {
      // Control characters; C1 ones too, which some terminals obey.
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
      out_ += escaped;
    } else if (byte >= 0x80) {
      out_ += static_cast<char>(0xC0 | (byte >> 6));
      out_ += static_cast<char>(0x80 | (byte & 0x3F));
    } else {
      out_ += c;
    }
  }
  out_ += '"';
}

void JsonWriter::Number(std::int64_t value) {
  BeforeValue();
  char digits[24];
  out_.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

void JsonWriter::Decimal(double value) {
  BeforeValue();
  if (!std::isfinite(value)) {
    out_ += "null";
    return;
  }
  char text[64];
  // Whatever the locale: "." and no thousands separator.
  std::string_view digits(
      text,
      static_cast<std::size_t>(
          std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 3).ptr - text));
  digits = digits.substr(0, digits.find_last_not_of('0') + 1);
  if (digits.ends_with('.')) digits.remove_suffix(1);
  out_ += digits == "-0" ? "0" : digits;
}

void JsonWriter::Null() {
  BeforeValue();
  out_ += "null";
}

void JsonWriter::Field(std::string_view key, std::string_view text) {
  Key(key);
  String(text);
}

void JsonWriter::Field(std::string_view key, std::int64_t value) {
  Key(key);
  Number(value);
}

void JsonWriter::DecimalField(std::string_view key, std::optional<double> value) {
  Key(key);
  if (value) {
    Decimal(*value);
  } else {
    Null();
  }
}

}  // namespace mrv::cli
