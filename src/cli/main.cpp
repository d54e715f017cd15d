// morvane-cli: the statistics core from the command line.
#include <cstdio>
#include <string>

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--version") {
      std::printf("morvane-cli %s\n", MORVANE_VERSION);
      return 0;
    }
  }
  std::fprintf(stderr, "usage: morvane-cli --version\n");
  return 2;
}
