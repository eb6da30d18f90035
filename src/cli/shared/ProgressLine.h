// A line of progress on a terminal that a long batch keeps rewriting in place, and clears before
// anything else is printed, so that it never mixes with what the batch reports.
#pragma once

#include <chrono>
#include <ostream>
#include <string>

namespace pelliton {

class ProgressLine {
public:
    using Clock = std::chrono::steady_clock;

    // shown: whether err is a terminal (a log file would fill with rewritten lines). Nothing is shown
    // before quietFor has passed: a quick run prints no progress at all.
    ProgressLine(std::ostream& err, bool shown, std::chrono::milliseconds quietFor = std::chrono::seconds(1));
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;
    ~ProgressLine() { Clear(); }

    // Puts text on the line, at most ten times a second.
    void Show(const std::string& text, Clock::time_point now = Clock::now());
    // Takes the line away; the next Show puts it back.
    void Clear();

private:
    std::ostream& err_;
    bool shown_;
    Clock::time_point showFrom_;
    Clock::time_point lastShown_{};
    std::size_t width_ = 0;  // of the text on the line now; 0 when there is none
};

// Whether standard error goes to a terminal (a console on Windows).
bool StandardErrorIsTerminal();

}  // namespace pelliton
