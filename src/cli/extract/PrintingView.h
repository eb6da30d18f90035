// The headless front end's view of the open road: log lines go to a stream, nothing else is shown.
#pragma once

#include <ostream>
#include <string_view>

#include "session/SessionView.h"

namespace pelliton {

class PrintingView : public SessionView {
public:
    explicit PrintingView(std::ostream& out) : out_(out) {}

    void AddDebugLine(std::string_view text) override { out_ << text << '\n'; }
    // The logs of several files follow one another, and there is no status line to show.
    void ClearLog() override {}
    void SetStatusText(std::string_view) override {}

private:
    std::ostream& out_;
};

}  // namespace pelliton
