// The computer's local date and time as text, for names a player reads.
#pragma once

#include <string>

namespace mrv {

// Now, in local time, written with std::strftime's `format`.
std::string LocalTimeText(const char* format);

}  // namespace mrv
