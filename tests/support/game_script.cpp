#include "support/game_script.h"

#include "support/paths.h"

namespace mrv::test {

std::string WriteScript(const std::filesystem::path& folder, const std::string& name,
                        const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + '\n';
  WriteFileBytes(folder / name, text);
  return (folder / name).string();
}

std::vector<std::string> MapStart(const std::string& map) {
  return {"map " + map,
          "print 8 crosshairs parsed",
          "print CL_InitCGame:  2.05 seconds",
          "print Com_TouchMemory: 0 msec",
          "expect 5000 mapname",
          "expect 5000 name"};
}

std::vector<std::string> GameStart(const std::string& map) {
  return Then({"name ^1Fak", "console"}, MapStart(map));
}

std::vector<std::string> Then(std::vector<std::string> lines,
                              const std::vector<std::string>& more) {
  lines.insert(lines.end(), more.begin(), more.end());
  return lines;
}

std::string WaitForText(GameConsole& console, std::string_view needle) {
  const auto deadline = std::chrono::steady_clock::now() + kPatience;
  std::string text = console.Text();
  while (text.find(needle) == std::string::npos && std::chrono::steady_clock::now() < deadline) {
    console.WaitForChange(std::chrono::milliseconds(200));
    text = console.Text();
  }
  return text;
}

}  // namespace mrv::test
