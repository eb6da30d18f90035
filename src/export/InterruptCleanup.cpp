#include "export/InterruptCleanup.h"

#include <array>
#include <atomic>
#include <mutex>

namespace pelliton {

namespace {

using NativeName = const std::filesystem::path::value_type*;

// A handler may run at any moment on any thread: plain atomic pointers are all it reads.
std::array<std::atomic<NativeName>, 64> registered{};
static_assert(std::atomic<NativeName>::is_always_lock_free);

}  // namespace

InterruptCleanup::InterruptCleanup(const std::filesystem::path& path) : place_(-1) {
    static std::once_flag installed;
    std::call_once(installed, InstallInterruptHandlers);
    for (std::size_t place = 0; place < registered.size(); ++place) {
        NativeName free = nullptr;
        if (registered[place].compare_exchange_strong(free, path.c_str())) {
            place_ = static_cast<int>(place);
            return;
        }
    }
}

InterruptCleanup::~InterruptCleanup() {
    if (place_ >= 0) registered[static_cast<std::size_t>(place_)].store(nullptr);
}

void RemoveRegisteredFiles() noexcept {
    for (auto& name : registered) {
        if (const NativeName file = name.load(); file != nullptr) RemoveFileNow(file);
    }
}

}  // namespace pelliton
