#include "capture/console/bridge_protocol.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace mrv::bridge {

namespace {

constexpr std::size_t kHeaderBytes = 4;
constexpr std::string_view kSocketName = "morvane-console.sock";

void AppendLittleEndian(std::string& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out += static_cast<char>((value >> shift) & 0xff);
}

std::uint32_t ReadLittleEndian(std::string_view bytes) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[i]);
  return value;
}

std::string FolderProblem(const std::filesystem::path& folder) {
  struct stat info {};
  if (lstat(folder.c_str(), &info) != 0) {
    if (errno != ENOENT) return "cannot use " + folder.string() + ": " + std::strerror(errno);
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
      return "cannot create " + folder.string() + ": " + std::strerror(errno);
    }
    if (lstat(folder.c_str(), &info) != 0) {
      return "cannot use " + folder.string() + ": " + std::strerror(errno);
    }
  }
  // Someone else's folder, or one others may write to, could hold a socket that only
  // pretends to be the bridge.
  if (!S_ISDIR(info.st_mode) || info.st_uid != getuid() || (info.st_mode & 077) != 0) {
    return folder.string() + " is not a private folder of this user";
  }
  return {};
}

}  // namespace

std::string EncodeFrame(char kind, std::string_view payload) {
  std::string frame;
  frame.reserve(kHeaderBytes + 1 + payload.size());
  AppendLittleEndian(frame, static_cast<std::uint32_t>(payload.size() + 1));
  frame += kind;
  frame += payload;
  return frame;
}

std::string EncodeLength(std::uint32_t length) {
  std::string bytes;
  AppendLittleEndian(bytes, length);
  return bytes;
}

std::optional<std::uint32_t> DecodeLength(std::string_view payload) {
  if (payload.size() != kHeaderBytes) return std::nullopt;
  return ReadLittleEndian(payload);
}

void FrameReader::Feed(std::string_view bytes) {
  // Drop what was consumed before growing, so the buffer holds one frame at most.
  if (start_ > 0) {
    buffer_.erase(0, start_);
    start_ = 0;
  }
  buffer_ += bytes;
}

std::optional<Frame> FrameReader::Next() {
  if (broken_) return std::nullopt;
  const std::string_view rest = std::string_view(buffer_).substr(start_);
  if (rest.size() < kHeaderBytes) return std::nullopt;
  const std::uint32_t length = ReadLittleEndian(rest);
  if (length == 0 || length > kMaxFrameBytes) {
    broken_ = true;
    return std::nullopt;
  }
  if (rest.size() - kHeaderBytes < length) return std::nullopt;
  Frame frame{rest[kHeaderBytes], std::string(rest.substr(kHeaderBytes + 1, length - 1))};
  start_ += kHeaderBytes + length;
  return frame;
}

void FrameReader::Clear() {
  buffer_.clear();
  start_ = 0;
  broken_ = false;
}

std::string TypedLineProblem(std::string_view line) {
  if (line.size() > kMaxTypedLine) {
    return "the line has " + std::to_string(line.size()) + " characters; the game takes at most " +
           std::to_string(kMaxTypedLine);
  }
  for (const char c : line) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte >= 0x7f) {
      return "the line holds the byte " + std::to_string(byte) +
             ", which makes the game drop it and what is typed after it";
    }
  }
  return {};
}

SocketPath DefaultSocketPath() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && runtime[0] != '\0') {
    return {std::filesystem::path(runtime) / kSocketName, {}};
  }
  const auto folder = std::filesystem::path("/tmp") / ("morvane-" + std::to_string(getuid()));
  std::string problem = FolderProblem(folder);
  if (!problem.empty()) return {{}, std::move(problem)};
  return {folder / kSocketName, {}};
}

}  // namespace mrv::bridge
