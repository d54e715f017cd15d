// The program's home page, shown by every message and report that points the user to it.
#pragma once

#include <string_view>

namespace mrv {

inline constexpr std::string_view kHomePage = "https://morvane.example.org";

}  // namespace mrv
