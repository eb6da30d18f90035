// Temporary files that an interruption must not leave behind: Ctrl+C, or a request to terminate,
// while a large file is written would otherwise leave a half-written temporary file in the modder's
// folder. The handler removes every file registered here, then lets the interruption end the
// program as it would have.
#pragma once

#include <filesystem>

namespace pelliton {

// Keeps path registered while it lives; path must outlive it and stay unchanged. Installs the
// handlers the first time, where the program has none of its own. Without a free place (more
// files than are ever written at once), the file is simply not registered.
class InterruptCleanup {
public:
    explicit InterruptCleanup(const std::filesystem::path& path);
    ~InterruptCleanup();
    InterruptCleanup(const InterruptCleanup&) = delete;
    InterruptCleanup& operator=(const InterruptCleanup&) = delete;

private:
    int place_;
};

// What the handlers call: removes every registered file, with calls safe inside a signal handler.
void RemoveRegisteredFiles() noexcept;

// Each platform's side: the handlers, and removing a file by its native name.
void InstallInterruptHandlers();
void RemoveFileNow(const std::filesystem::path::value_type* name) noexcept;

}  // namespace pelliton
