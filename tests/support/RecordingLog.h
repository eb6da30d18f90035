// A log sink and front end that keeps what it is told, for checking the lines a load writes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "session/SessionView.h"

namespace pelliton::testing {

class RecordingView : public SessionView {
public:
    void AddDebugLine(std::string_view text) override { lines.emplace_back(text); }
    void ClearLog() override {
        lines.clear();
        ++clears;
    }
    void SetStatusText(std::string_view text) override { status = text; }

    std::vector<std::string> lines;
    std::string status;
    int clears = 0;
};

}  // namespace pelliton::testing
