#include "cli/shared/ProgressLine.h"

namespace pelliton {

ProgressLine::ProgressLine(std::ostream& err, bool shown, std::chrono::milliseconds quietFor)
    : err_(err), shown_(shown), showFrom_(Clock::now() + quietFor) {}

void ProgressLine::Show(const std::string& text, Clock::time_point now) {
    if (!shown_ || now < showFrom_ || (width_ > 0 && now - lastShown_ < std::chrono::milliseconds(100))) return;
    // Spaces cover what a longer text before left on the line.
    const std::size_t padding = width_ > text.size() ? width_ - text.size() : 0;
    err_ << '\r' << text << std::string(padding, ' ') << std::flush;
    width_ = text.size();
    lastShown_ = now;
}

void ProgressLine::Clear() {
    if (width_ == 0) return;
    err_ << '\r' << std::string(width_, ' ') << '\r' << std::flush;
    width_ = 0;
}

}  // namespace pelliton
