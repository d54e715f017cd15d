#include "files/line_reader.h"

#include <algorithm>
#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace mrv {

namespace {

// Offset of the first CR or LF, or `size`. memchr scans far faster than a byte loop,
// and LF is by far the common break.
std::size_t BreakOffset(const char* data, std::size_t size) {
  const void* lf = std::memchr(data, '\n', size);
  const std::size_t lf_at =
      lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - data) : size;
  const void* cr = std::memchr(data, '\r', lf_at);
  return cr ? static_cast<std::size_t>(static_cast<const char*>(cr) - data) : lf_at;
}

// Offset of the first LF, or `size`. Console lines are short, so 16 bytes at a time
// inline beats a call to memchr, whose setup costs more than such a line's scan.
std::size_t LineFeedOffset(const char* data, std::size_t size) {
#if defined(__SSE2__)
  if (size >= 16) {
    const __m128i lf = _mm_set1_epi8('\n');
    // The last block overlaps the one before rather than leave a tail.
    for (std::size_t at = 0;; at = std::min(at + 16, size - 16)) {
      const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at));
      const auto found = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, lf)));
      if (found != 0) return at + static_cast<std::size_t>(std::countr_zero(found));
      if (at == size - 16) return size;
    }
  }
#endif
  for (std::size_t at = 0; at < size; ++at) {
    if (data[at] == '\n') return at;
  }
  return size;
}

}  // namespace

LineReader::~LineReader() {
  Close();
}

bool LineReader::Open(const std::filesystem::path& path, InputKind kind) {
  Close();
  file_ = OpenForReading(path, kind);
  owns_file_ = true;
  buffer_.resize(chunk_);
  begin_ = end_ = 0;
  eof_ = read_error_ = overlong_ = pending_lf_ = false;
  last_length_ = 0;
  return file_ != nullptr;
}

void LineReader::OpenStandardInput() {
  Open({});
  file_ = stdin;
  owns_file_ = false;
}

void LineReader::Close() {
  if (file_ != nullptr && owns_file_) std::fclose(file_);
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
  chunk_has_cr_ = std::memchr(buffer_.data(), '\r', end_) != nullptr;
  return true;
}

std::size_t LineReader::BreakInChunk() const {
  const char* start = buffer_.data() + begin_;
  const std::size_t available = end_ - begin_;
  return chunk_has_cr_ ? BreakOffset(start, available) : LineFeedOffset(start, available);
}

void LineReader::TakeBreak() {
  const char brk = buffer_[begin_++];
  if (brk != '\r') return;
  if (begin_ == end_) {
    pending_lf_ = true;
  } else if (buffer_[begin_] == '\n') {
    ++begin_;
  }
}

bool LineReader::SkipSplitLineFeed() {
  if (!pending_lf_) return false;
  pending_lf_ = false;
  if (buffer_[begin_] != '\n') return false;
  ++begin_;
  return true;
}

bool LineReader::Next(std::string& line) {
  line.clear();
  overlong_ = false;
  last_length_ = 0;
  bool any = false;
  for (;;) {
    if (begin_ == end_ && !Fill()) return any && !read_error_;
    if (SkipSplitLineFeed()) continue;
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
      TakeBreak();
      return true;
    }
  }
}

bool LineReader::Next(std::string_view& line) {
  // As for nearly every line of a log: it stands whole in the chunk, which holds no CR.
  if (begin_ < end_ && !chunk_has_cr_ && !pending_lf_) {
    const char* start = buffer_.data() + begin_;
    const std::size_t n = LineFeedOffset(start, end_ - begin_);
    if (n < end_ - begin_ && n <= max_line_) {
      line = std::string_view(start, n);
      overlong_ = false;
      last_length_ = n;
      begin_ += n + 1;
      return true;
    }
  }
  return NextAcrossChunks(line);
}

bool LineReader::NextAcrossChunks(std::string_view& line) {
  gathered_.clear();
  overlong_ = false;
  last_length_ = 0;
  bool any = false;
  bool spans_chunks = false;
  for (;;) {
    if (begin_ == end_ && !Fill()) {
      line = gathered_;
      return any && !read_error_;
    }
    if (SkipSplitLineFeed()) continue;
    any = true;
    const char* start = buffer_.data() + begin_;
    const std::size_t n = BreakInChunk();
    last_length_ += n;
    begin_ += n;
    const bool complete = begin_ < end_;
    if (complete && !spans_chunks) {
      // The common case: the whole line stands in the buffer.
      overlong_ = n > max_line_;
      line = std::string_view(start, overlong_ ? max_line_ : n);
      TakeBreak();
      return true;
    }
    spans_chunks = true;
    const std::size_t room = max_line_ > gathered_.size() ? max_line_ - gathered_.size() : 0;
    gathered_.append(start, n < room ? n : room);
    if (n > room) overlong_ = true;
    if (complete) {
      TakeBreak();
      line = gathered_;
      return true;
    }
  }
}

}  // namespace mrv
