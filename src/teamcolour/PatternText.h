// A team-colour pattern described in lines of text, for pelliton-rsh list and the window's log.
#pragma once

#include <string>
#include <vector>

#include "teamcolour/TeamPattern.h"

namespace pelliton {

// "team colour pattern "default": 256 x 256", then a line per layer present ("layer 0 primary"),
// the base picture and the badge and banner rectangles (or that there is none).
std::vector<std::string> DescribePattern(const TeamPattern& pattern);

// "47, 107, 64 x 64": x, y, width and height as the file holds them.
std::string DescribeRectangle(const PatternRectangle& rectangle);

}  // namespace pelliton
