#include "teamcolour/PatternText.h"

#include <sstream>

#include "rsh/TreeText.h"

namespace pelliton {

namespace {

std::string Sides(int width, int height) { return std::to_string(width) + " x " + std::to_string(height); }

std::string RectangleLine(const char* what, const std::optional<PatternRectangle>& rectangle) {
    return rectangle ? std::string(what) + " at " + DescribeRectangle(*rectangle) : std::string("no ") + what;
}

}  // namespace

std::string DescribeRectangle(const PatternRectangle& rectangle) {
    std::ostringstream text;  // shortest form that reads back: 47, not 47.000000
    text << rectangle.x << ", " << rectangle.y << ", " << rectangle.width << " x " << rectangle.height;
    return text.str();
}

std::vector<std::string> DescribePattern(const TeamPattern& pattern) {
    std::vector<std::string> lines = {"team colour pattern \"" + EscapeControls(pattern.name) +
                                      "\": " + Sides(pattern.width, pattern.height)};
    for (int layer = 0; layer < kPatternLayerCount; ++layer) {
        if (pattern.layers[static_cast<std::size_t>(layer)] != nullptr) {
            lines.push_back("layer " + std::to_string(layer) + " " + std::string(LayerName(layer)));
        }
    }
    lines.push_back("base picture \"" + EscapeControls(pattern.imageName) + "\": 32-bit, " +
                    Sides(pattern.width, pattern.height));
    lines.push_back(RectangleLine("badge", pattern.badge));
    lines.push_back(RectangleLine("banner", pattern.banner));
    return lines;
}

}  // namespace pelliton
