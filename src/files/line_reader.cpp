#include "files/line_reader.h"

#include <cstring>

namespace mrv {

namespace {

constexpr std::size_t kChunk = 1 << 16;

// Offset of the first CR or LF, or `size`. memchr scans far faster than a byte loop,
// and LF is by far the common break.
std::size_t BreakOffset(const char* data, std::size_t size) {
  const void* lf = std::memchr(data, '\n', size);
  const std::size_t lf_at = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - data) : size;
  const void* cr = std::memchr(data, '\r', lf_at);
  return cr ? static_cast<std::size_t>(static_cast<const char*>(cr) - data) : lf_at;
}

}  // namespace

LineReader::~LineReader() { Close(); }

bool LineReader::Open(const std::filesystem::path& path, InputKind kind) {
  Close();
  file_ = OpenForReading(path, kind);
  buffer_.resize(kChunk);
  begin_ = end_ = 0;
  eof_ = read_error_ = overlong_ = pending_lf_ = false;
  last_length_ = 0;
  return file_ != nullptr;
}

void LineReader::Close() {
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
}

bool LineReader::Fill() {
  if (eof_ || file_ == nullptr) return false;
  begin_ = 0;
  end_ = std::fread(buffer_.data(), 1, buffer_.size(), file_);
  if (end_ == 0) {
    eof_ = true;
    if (std::ferror(file_)) read_error_ = true;
    return false;
  }
  return true;
}

bool LineReader::Next(std::string& line) {
  line.clear();
  overlong_ = false;
  last_length_ = 0;
  bool any = false;
  for (;;) {
    if (begin_ == end_ && !Fill()) return any && !read_error_;
    if (pending_lf_) {
      pending_lf_ = false;
      if (buffer_[begin_] == '\n') {
        ++begin_;
        continue;
      }
    }
    any = true;
    const char* start = buffer_.data() + begin_;
    const std::size_t available = end_ - begin_;
    const std::size_t n = BreakOffset(start, available);
    const std::size_t room = max_line_ > line.size() ? max_line_ - line.size() : 0;
    line.append(start, n < room ? n : room);
    if (n > room) overlong_ = true;
    last_length_ += n;
    begin_ += n;
    if (begin_ < end_) {
      const char brk = buffer_[begin_++];
      if (brk == '\r') {
        if (begin_ < end_) {
          if (buffer_[begin_] == '\n') ++begin_;
        } else {
          pending_lf_ = true;
        }
      }
      return true;
    }
  }
}

}  // namespace mrv
