#include "capture/console/bridge_protocol.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace mrv::bridge {
namespace {

TEST(BridgeProtocolTest, FramesSurviveAnyCutOfTheStream) {
  const std::string text(70000, 't');
  const std::string stream = EncodeFrame(kAskLength) + EncodeFrame(kText, text) +
                             EncodeFrame(kLength, EncodeLength(123456)) + EncodeFrame(kChanged);
  for (std::size_t piece : {stream.size(), std::size_t{1}, std::size_t{4093}}) {
    FrameReader reader;
    std::vector<Frame> frames;
    for (std::size_t i = 0; i < stream.size(); i += piece) {
      reader.Feed(std::string_view(stream).substr(i, piece));
      while (auto frame = reader.Next()) frames.push_back(*frame);
    }
    ASSERT_EQ(frames.size(), 4u);
    EXPECT_EQ(frames[0].kind, kAskLength);
    EXPECT_EQ(frames[0].payload, "");
    EXPECT_EQ(frames[1].payload, text);
    EXPECT_EQ(DecodeLength(frames[2].payload), 123456u);
    EXPECT_EQ(frames[3].kind, kChanged);
  }
  EXPECT_EQ(DecodeLength("abc"), std::nullopt);
  // A frame without even its kind cannot be told apart from a broken stream.
  FrameReader empty;
  empty.Feed(EncodeLength(0) + EncodeFrame(kAskText));
  EXPECT_FALSE(empty.Next().has_value());
  EXPECT_TRUE(empty.broken());
}

TEST(BridgeProtocolTest, DefaultSocketIsPrivateToTheUser) {
  const char* before = std::getenv("XDG_RUNTIME_DIR");
  const std::string saved = before != nullptr ? before : "";
  setenv("XDG_RUNTIME_DIR", "/run/user/4242", 1);
  EXPECT_EQ(DefaultSocketPath().path, std::filesystem::path("/run/user/4242/morvane-console.sock"));

  unsetenv("XDG_RUNTIME_DIR");
  const SocketPath fallback = DefaultSocketPath();
  EXPECT_EQ(fallback.error, "");
  const auto folder = fallback.path.parent_path();
  EXPECT_EQ(folder.filename(), "morvane-" + std::to_string(getuid()));
  struct stat info {};
  EXPECT_EQ(stat(folder.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);

  // A folder others may write to could hold a socket that pretends to be the bridge.
  chmod(folder.c_str(), 0777);
  EXPECT_NE(DefaultSocketPath().error, "");
  chmod(folder.c_str(), 0700);
  if (!saved.empty()) setenv("XDG_RUNTIME_DIR", saved.c_str(), 1);
}

}  // namespace
}  // namespace mrv::bridge
