#include "files/ini_file.h"

#include <cstdio>

#include "files/open_file.h"
#include "files/safe_file.h"
#include "model/text.h"

namespace mrv {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool HasLineBreak(std::string_view text) {
  return text.find_first_of("\r\n") != std::string_view::npos;
}

// A name the reader finds again exactly: no surrounding blanks, no line break, and
// nothing that would make its line read as a comment or a section.
bool IsWritableName(std::string_view name) {
  return !name.empty() && TrimBlanks(name).size() == name.size() && !HasLineBreak(name) &&
         name.front() != ';' && name.front() != '[';
}

std::optional<std::uint32_t> ParseHex(std::string_view digits) {
  if (digits.empty() || digits.size() > 8) return std::nullopt;
  std::uint32_t value = 0;
  for (char c : digits) {
    int digit;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    } else {
      return std::nullopt;
    }
    value = value * 16 + static_cast<std::uint32_t>(digit);
  }
  return value;
}

}  // namespace

std::optional<std::int32_t> ParseIniInteger(std::string_view text) {
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    // Eight hex digits cover the 32 bits, so 0xFFFFFFFF reads as -1.
    const auto bits = ParseHex(text.substr(2));
    if (!bits) return std::nullopt;
    return static_cast<std::int32_t>(*bits);
  }
  return ParseInt32(text);
}

IniFile::Line IniFile::MakeLine(std::string text, std::string ending) {
  Line line{std::move(text), std::move(ending)};
  const std::string_view view(line.text);
  // A text editor may have put a UTF-8 byte order mark in front of the first line.
  std::size_t first = view.starts_with("\xEF\xBB\xBF") ? 3 : 0;
  while (first < view.size() && IsBlank(view[first])) ++first;
  if (first == view.size() || view[first] == ';') return line;
  if (view[first] == '[') {
    const auto close = view.find(']', first + 1);
    if (close == std::string_view::npos) return line;
    const auto inner = view.substr(first + 1, close - first - 1);
    const auto name = TrimBlanks(inner);
    line.kind = Kind::kSection;
    line.name_begin = static_cast<std::size_t>(name.data() - view.data());
    line.name_size = name.size();
    return line;
  }
  const auto equals = view.find('=', first);
  if (equals == std::string_view::npos) return line;
  const auto name = TrimBlanks(view.substr(first, equals - first));
  if (name.empty()) return line;
  line.kind = Kind::kKey;
  line.name_begin = first;
  line.name_size = name.size();
  line.value_begin = equals + 1;
  return line;
}

void IniFile::Parse(std::string_view text) {
  lines_.clear();
  std::size_t start = 0;
  while (start < text.size()) {
    const auto brk = text.find_first_of("\r\n", start);
    if (brk == std::string_view::npos) {
      lines_.push_back(MakeLine(std::string(text.substr(start)), {}));
      break;
    }
    const std::size_t brk_size =
        (text[brk] == '\r' && brk + 1 < text.size() && text[brk + 1] == '\n') ? 2 : 1;
    lines_.push_back(MakeLine(std::string(text.substr(start, brk - start)),
                              std::string(text.substr(brk, brk_size))));
    start = brk + brk_size;
  }
}

bool IniFile::Load(const std::filesystem::path& path) {
  path_ = path;
  lines_.clear();
  std::FILE* file = OpenForReading(path, InputKind::kRegular);
  if (file == nullptr) return false;
  // Read in chunks, so that memory follows the file's real size, and stop one chunk
  // past the limit whatever size the file system reports.
  std::string content;
  char chunk[1 << 16];
  std::size_t got;
  while (content.size() <= kMaxFileBytes && (got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
    content.append(chunk, got);
  }
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed || content.size() > kMaxFileBytes) return false;
  Parse(content);
  return true;
}

bool IniFile::Save() const {
  return ReplaceFileSafely(path_, Text()) == ReplaceResult::kReplaced;
}

std::string IniFile::Text() const {
  std::size_t size = 0;
  for (const auto& line : lines_) size += line.text.size() + line.ending.size();
  std::string text;
  text.reserve(size);
  for (const auto& line : lines_) {
    text += line.text;
    text += line.ending;
  }
  return text;
}

std::optional<IniFile::Range> IniFile::FindSection(std::string_view section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].kind != Kind::kSection || !EqualsIgnoreCase(lines_[i].name(), section)) continue;
    std::size_t end = i + 1;
    while (end < lines_.size() && lines_[end].kind != Kind::kSection) ++end;
    return Range{i, end};
  }
  return std::nullopt;
}

std::optional<std::size_t> IniFile::FindKey(const Range& range, std::string_view key) const {
  for (std::size_t i = range.header + 1; i < range.end; ++i) {
    if (lines_[i].kind == Kind::kKey && EqualsIgnoreCase(lines_[i].name(), key)) return i;
  }
  return std::nullopt;
}

std::optional<std::string> IniFile::Find(std::string_view section, std::string_view key) const {
  const auto range = FindSection(section);
  if (!range) return std::nullopt;
  const auto index = FindKey(*range, key);
  if (!index) return std::nullopt;
  const Line& line = lines_[*index];
  const auto value = TrimBlanks(std::string_view(line.text).substr(line.value_begin));
  return std::string(value.substr(0, kMaxValueLength));
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view fallback) const {
  auto value = Find(section, key);
  return value ? std::move(*value) : std::string(fallback);
}

std::int32_t IniFile::ReadInteger(std::string_view section, std::string_view key,
                                  std::int32_t fallback) const {
  const auto value = Find(section, key);
  if (!value) return fallback;
  return ParseIniInteger(*value).value_or(fallback);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool fallback) const {
  return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

std::string_view IniFile::NewLineEnding() const {
  for (const auto& line : lines_) {
    if (!line.ending.empty()) return line.ending;
  }
  return "\r\n";
}

void IniFile::EndLastLine() {
  if (!lines_.empty() && lines_.back().ending.empty()) {
    lines_.back().ending = std::string(NewLineEnding());
  }
}

bool IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  if (!IsWritableName(section) || section.find(']') != std::string_view::npos ||
      !IsWritableName(key) || key.find('=') != std::string_view::npos || HasLineBreak(value)) {
    return false;
  }
  const std::string ending(NewLineEnding());
  const std::string key_line = std::string(key) + "=" + std::string(value);
  const auto range = FindSection(section);
  if (!range) {
    EndLastLine();
    if (!lines_.empty() && !TrimBlanks(lines_.back().text).empty()) {
      lines_.push_back(MakeLine({}, ending));
    }
    lines_.push_back(MakeLine("[" + std::string(section) + "]", ending));
    lines_.push_back(MakeLine(key_line, ending));
    return true;
  }
  if (const auto index = FindKey(*range, key)) {
    Line& line = lines_[*index];
    // Keep the key as it is spelled in the file and the blanks after "=".
    std::size_t keep = line.value_begin;
    while (keep < line.text.size() && IsBlank(line.text[keep])) ++keep;
    line.text.replace(keep, std::string::npos, value);
    return true;
  }
  // After the section's last key, so that blank lines and comments that lead into the
  // next section stay in front of it.
  std::size_t after = range->header;
  for (std::size_t i = range->header + 1; i < range->end; ++i) {
    if (lines_[i].kind == Kind::kKey) after = i;
  }
  if (lines_[after].ending.empty()) lines_[after].ending = ending;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(after + 1),
                MakeLine(key_line, ending));
  return true;
}

bool IniFile::WriteInteger(std::string_view section, std::string_view key, std::int32_t value) {
  return WriteString(section, key, std::to_string(value));
}

bool IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  return WriteString(section, key, value ? "1" : "0");
}

}  // namespace mrv
