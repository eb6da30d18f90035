// Where log lines go: the window's log pane, or standard output in the headless front end.
#pragma once

#include <string_view>

namespace pelliton {

class DebugLog {
public:
    virtual ~DebugLog() = default;
    // One line of the log; the sink adds the line end.
    virtual void AddDebugLine(std::string_view text) = 0;
};

}  // namespace pelliton
