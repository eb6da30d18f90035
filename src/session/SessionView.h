// What the open road needs of a front end: the log, and the status line that shows the open file.
#pragma once

#include <string_view>

#include "common/DebugLog.h"

namespace pelliton {

class SessionView : public DebugLog {
public:
    virtual void ClearLog() = 0;
    virtual void SetStatusText(std::string_view text) = 0;  // UTF-8
};

}  // namespace pelliton
