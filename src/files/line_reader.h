// Reads a text file line by line in large chunks, so that memory stays flat whatever
// the file's size. Lines end at CR, LF or CR LF; a last line without a break counts.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "files/open_file.h"

namespace mrv {

class LineReader {
 public:
  // Lines longer than max_line are cut to max_line; overlong() tells the caller.
  explicit LineReader(std::size_t max_line = 1 << 20) : max_line_(max_line) {}
  ~LineReader();
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  bool Open(const std::filesystem::path& path, InputKind kind = InputKind::kAny);
  void Close();
  bool is_open() const { return file_ != nullptr; }

  // The next line without its break; false at the end of the file or on a read error.
  bool Next(std::string& line);
  // The last line was longer than max_line (its rest was skipped).
  bool overlong() const { return overlong_; }
  // Length of the last line as it stood in the file, break excluded.
  std::uint64_t last_length() const { return last_length_; }
  bool read_error() const { return read_error_; }

 private:
  bool Fill();

  std::size_t max_line_;
  std::FILE* file_ = nullptr;
  std::vector<char> buffer_;
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  bool eof_ = false;
  bool read_error_ = false;
  bool overlong_ = false;
  bool pending_lf_ = false;  // a CR ended the last chunk's line; skip one LF
  std::uint64_t last_length_ = 0;
};

}  // namespace mrv
