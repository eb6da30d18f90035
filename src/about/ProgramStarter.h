// What the system information lookup needs of the platform besides the registry.
#pragma once

#include <string>

namespace pelliton {

class ProgramStarter {
public:
    virtual ~ProgramStarter() = default;

    // True for an existing file that is neither a folder, nor hidden, nor a system file.
    virtual bool IsOrdinaryFile(const std::string& path) const = 0;
    // Starts the program without arguments in a normal window that takes the focus, without waiting
    // for it; false when it cannot be started.
    virtual bool StartProgram(const std::string& path) = 0;
};

}  // namespace pelliton
