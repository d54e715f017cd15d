// Game text made inert in HTML and in the SVG inside it: nicknames and game names
// never add markup or script to a report.
#pragma once

#include <string>
#include <string_view>

namespace mrv {

// & < > " ' as &amp; &lt; &gt; &quot; &#39;.
std::string EscapeHtml(std::string_view text);

}  // namespace mrv
