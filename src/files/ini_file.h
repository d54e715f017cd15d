// A small INI reader and writer with the usual rules: section and key names match
// without regard to ASCII case, values lose their surrounding blanks, and a write
// changes only the one line it concerns, every other byte of the file is kept.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mrv {

// A decimal integer, or hexadecimal after "0x"/"0X"; empty when the text is neither.
std::optional<std::int32_t> ParseIniInteger(std::string_view text);

class IniFile {
 public:
  // The settings file is a few kilobytes; anything far larger is not one.
  static constexpr std::size_t kMaxFileBytes = std::size_t{4} << 20;
  // A value is seen up to this many characters; the rest of a longer one is not.
  static constexpr std::size_t kMaxValueLength = 2047;

  // False when the file is missing, unreadable, not a regular file or larger than
  // kMaxFileBytes.
  bool Load(const std::filesystem::path& path);
  // Replaces the content with the given text, as if it had been read from a file.
  void Parse(std::string_view text);
  // Writes the content back to the file it was loaded from, through a temporary file.
  bool Save() const;

  // The value of the key, or empty when the section or the key is missing.
  std::optional<std::string> Find(std::string_view section, std::string_view key) const;
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view fallback) const;
  std::int32_t ReadInteger(std::string_view section, std::string_view key,
                           std::int32_t fallback) const;
  bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;

  // Replaces the key's value in place, or adds the key at the end of its section (the
  // section at the end of the file when missing). False, with nothing changed, for a
  // name or value that the file could not read back (line breaks, a "=" in the key,
  // a "]" in the section, a name that is empty or would read as a comment).
  bool WriteString(std::string_view section, std::string_view key, std::string_view value);
  bool WriteInteger(std::string_view section, std::string_view key, std::int32_t value);
  bool WriteBool(std::string_view section, std::string_view key, bool value);

  // The whole content as it would be saved.
  std::string Text() const;

 private:
  enum class Kind { kOther, kSection, kKey };
  struct Line {
    std::string text;    // without the line break
    std::string ending;  // the line break exactly as it was ("" for a last line without)
    Kind kind = Kind::kOther;
    std::size_t name_begin = 0;  // section or key name, blanks excluded
    std::size_t name_size = 0;
    std::size_t value_begin = 0;  // just after the "=" of a key
    std::string_view name() const { return std::string_view(text).substr(name_begin, name_size); }
  };
  struct Range {
    std::size_t header;  // the section line
    std::size_t end;     // one past the section's last line
  };

  static Line MakeLine(std::string text, std::string ending);
  std::optional<Range> FindSection(std::string_view section) const;
  std::optional<std::size_t> FindKey(const Range& range, std::string_view key) const;
  std::string_view NewLineEnding() const;
  void EndLastLine();

  std::filesystem::path path_;
  std::vector<Line> lines_;
};

}  // namespace mrv
