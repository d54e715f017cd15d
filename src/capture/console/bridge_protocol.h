// The protocol between the morvane-console bridge, which runs the game on a terminal,
// and its clients, over a Unix-domain stream socket. Shared by both sides.
//
// Every message is a frame: 4 bytes of length (little-endian; it counts the kind byte
// and the payload), 1 kind byte, then the payload.
//
//   client -> bridge                  bridge -> client
//   'L' text length                   'l' the length: 4 bytes, little-endian
//   'T' text                          't' the text
//   'X' text and loss                 'x' bytes lost before the text (4 bytes,
//                                         little-endian, at most 2^32 - 1), the text
//   'D' drop what was read: N,        'o' done
//       4 bytes, little-endian
//   'Y' type a line: the line         'o' typed, or 'e' refused: the reason
//   'S' typing state                  's' one byte, a TypingState
//   'K' typed bytes not read yet      'k' the count: 4 bytes, little-endian
//   'R' clear the text: nothing       'o' done, or 'e' for a payload (first protocol)
//                                     'c' the text changed (not asked for, see below)
//
// Each client has a text of its own: the console's lines from where that client last
// dropped what it read (from the oldest kept line, for a new client). 'D' drops the
// first N bytes of what the client's last 'T' sent, and never more, so lines the game
// printed after that read stay; other clients' texts are not touched. 'R' of the first
// protocol drops all the client's text, read or not. When the game printed faster than
// a client read, the oldest lines went before that client read them: 'X' tells how much
// was lost since the client's last 'X'.
//
// The game reads typed lines at its own pace, a byte a frame: 'Y' queues the line, in
// the order lines come from all clients, and 'K' tells how much the game still has to
// read before it has read the client's last line (0 once it has).
//
// Each request gets exactly one answer, in order. Once it has answered, the bridge sends
// one 'c' at the next change of the text, so a client waits for changes by reading its
// socket instead of asking again and again; any request arms the next 'c'.
// A frame longer than kMaxFrameBytes, or of a kind the receiver does not know, ends the
// connection.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace mrv::bridge {

enum Kind : char {
  kAskLength = 'L',
  kAskText = 'T',
  kDropRead = 'D',
  kTypeLine = 'Y',
  kAskTyping = 'S',
  kClearText = 'R',
  kAskNewText = 'X',
  kAskUnread = 'K',
  kLength = 'l',
  kText = 't',
  kNewText = 'x',
  kUnread = 'k',
  kDone = 'o',
  kRefused = 'e',
  kTyping = 's',
  kChanged = 'c',
};

// Whether the game reads what is typed into its terminal console.
enum class TypingState : char {
  kNotYet = 'w',  // not known yet
  kReady = 'r',   // its terminal console started
  kOff = 'x',     // it does not: its terminal console failed or was turned off
};

// The kept console text; the oldest lines go first when it is full.
inline constexpr std::size_t kMaxTextBytes = std::size_t{1} << 20;
inline constexpr std::size_t kMaxFrameBytes = kMaxTextBytes + 64;
// The game's terminal console drops a line of 256 characters or more.
inline constexpr std::size_t kMaxTypedLine = 255;
// Typed bytes the game has not read yet, at most: a game that reads nothing must not
// make the bridge, or the terminal, hold more and more.
inline constexpr std::size_t kMaxUnreadTyping = 4096;

struct Frame {
  char kind = 0;
  std::string payload;
};

std::string EncodeFrame(char kind, std::string_view payload = {});
std::string EncodeLength(std::uint32_t length);
// The payload of an 'l' frame; empty when it is not 4 bytes.
std::optional<std::uint32_t> DecodeLength(std::string_view payload);

// Cuts a byte stream into frames.
class FrameReader {
 public:
  void Feed(std::string_view bytes);
  // The next whole frame, if one has arrived.
  std::optional<Frame> Next();
  // A frame longer than kMaxFrameBytes was announced: the stream cannot go on.
  bool broken() const { return broken_; }
  void Clear();

 private:
  std::string buffer_;
  std::size_t start_ = 0;
  bool broken_ = false;
};

// Why the game's terminal console would not take this line; empty when it would.
// Only printable 7-bit characters, and fewer than 256 of them: a control byte or one of
// 0x80 and above makes the game drop it with everything typed after it, and a longer
// line is dropped as well.
std::string TypedLineProblem(std::string_view line);

struct SocketPath {
  std::filesystem::path path;
  std::string error;  // set when there is no usable path
};

// $XDG_RUNTIME_DIR/morvane-console.sock or, when that variable is not set,
// morvane-console.sock in the per-user folder /tmp/morvane-<uid>, which is created
// with mode 0700 when missing and refused when another user could write to it.
SocketPath DefaultSocketPath();

}  // namespace mrv::bridge
