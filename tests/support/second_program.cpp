#include "support/second_program.h"

#include <map>

namespace mrv::test {

namespace {

constexpr const char* kFlag = "--second-program";

std::map<std::string, SecondProgramTask>& Tasks() {
  static std::map<std::string, SecondProgramTask> tasks;
  return tasks;
}

}  // namespace

bool RegisterSecondProgram(const std::string& name, SecondProgramTask task) {
  Tasks()[name] = task;
  return true;
}

std::vector<std::string> SecondProgramArguments(const std::string& name,
                                                const std::vector<std::string>& arguments) {
  std::vector<std::string> all = {kFlag, name};
  all.insert(all.end(), arguments.begin(), arguments.end());
  return all;
}

std::optional<int> RunSecondProgram(int argc, char** argv) {
  if (argc < 3 || std::string(argv[1]) != kFlag) return std::nullopt;
  const auto task = Tasks().find(argv[2]);
  if (task == Tasks().end()) return 2;
  return task->second(std::vector<std::string>(argv + 3, argv + argc));
}

}  // namespace mrv::test
