// A test that needs two programs at once (two writers of one file, a writer killed at
// any moment) runs a second copy of its own test program. Started with
// "--second-program NAME ARGUMENTS...", that copy's main runs the task registered
// under NAME instead of the tests, and exits with the task's code.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace mrv::test {

using SecondProgramTask = int (*)(const std::vector<std::string>& arguments);

// For a namespace-scope constant of the test file: always true.
bool RegisterSecondProgram(const std::string& name, SecondProgramTask task);

// The arguments that start the test program as the named task.
std::vector<std::string> SecondProgramArguments(const std::string& name,
                                                const std::vector<std::string>& arguments);

// Called first by main: the task's exit code when the arguments name one; 2 for a name
// nobody registered.
std::optional<int> RunSecondProgram(int argc, char** argv);

}  // namespace mrv::test
