// Reads a text file line by line in large chunks, so that memory stays flat whatever
// the file's size. Lines end at CR, LF or CR LF; a last line without a break counts.
//
// Two ways to take a line: copied into a string (the plain form, for small files), or
// as a view into the read buffer (for logs of any size: only a line that spans two
// chunks is gathered in a buffer of the reader's own). Both give the same lines.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "files/open_file.h"

namespace mrv {

class LineReader {
 public:
  // Lines longer than max_line are cut to max_line; overlong() tells the caller.
  static constexpr std::size_t kDefaultChunk = std::size_t{1} << 16;
  explicit LineReader(std::size_t max_line = 1 << 20, std::size_t chunk = kDefaultChunk)
      : max_line_(max_line), chunk_(chunk) {}
  ~LineReader();
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  bool Open(const std::filesystem::path& path, InputKind kind = InputKind::kAny);
  // Reads the program's standard input; it is not closed at the end.
  void OpenStandardInput();
  void Close();
  bool is_open() const { return file_ != nullptr; }

  // The next line without its break; false at the end of the file or on a read error.
  bool Next(std::string& line);
  // The same line as a view, valid until the next call.
  bool Next(std::string_view& line);
  // The last line was longer than max_line (its rest was skipped).
  bool overlong() const { return overlong_; }
  // Length of the last line as it stood in the file, break excluded.
  std::uint64_t last_length() const { return last_length_; }
  bool read_error() const { return read_error_; }

 private:
  bool Fill();
  // Next(std::string_view&) wherever the line ends: in this chunk, a later one or at
  // the end of the file, after a CR or an LF.
  bool NextAcrossChunks(std::string_view& line);
  // Offset of the next break in [begin_, end_), or its length.
  std::size_t BreakInChunk() const;
  // Steps over the break at begin_: a CR, an LF, or both.
  void TakeBreak();
  // Steps over the LF of a CR LF that the end of the last chunk split; true when it did.
  bool SkipSplitLineFeed();

  std::size_t max_line_;
  std::size_t chunk_;
  std::FILE* file_ = nullptr;
  bool owns_file_ = false;
  bool chunk_has_cr_ = false;  // most logs hold no CR at all: one scan per chunk tells
  std::string gathered_;       // a line that spans chunks, for the view form
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
