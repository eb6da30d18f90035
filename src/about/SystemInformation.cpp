// Finding and starting the platform's system information program through the registry.
#include "about/SystemInformation.h"

#include <algorithm>
#include <array>

#include "common/LittleEndianReader.h"

namespace pelliton {

namespace {

// Closes the key however the read ends.
class OpenedKey {
public:
    OpenedKey(Registry& registry, RegistryKey key) : registry_(registry), key_(key) {}
    ~OpenedKey() { registry_.CloseKey(key_); }
    OpenedKey(const OpenedKey&) = delete;
    OpenedKey& operator=(const OpenedKey&) = delete;

private:
    Registry& registry_;
    RegistryKey key_;
};

}  // namespace

bool GetKeyValue(Registry& registry, RegistryRoot root, const std::string& keyName, const std::string& valueName,
                 std::string& text) {
    RegistryKey key = 0;
    if (registry.OpenKey(root, keyName, 0, kSysInfoKeyAccess, key) != kErrorSuccess) {
        text.clear();
        return false;
    }
    const OpenedKey closeOnReturn(registry, key);

    std::array<std::uint8_t, kRegistryValueBufferBytes> buffer{};
    std::uint32_t byteCount = kRegistryValueBufferBytes;
    std::uint32_t type = 0;
    if (registry.QueryValue(key, valueName, type, buffer, byteCount) != kErrorSuccess) {
        text.clear();
        return false;
    }

    // The cut looks at the whole buffer, not at the byte count the read returned.
    const auto nul = std::find(buffer.begin(), buffer.end(), std::uint8_t{0});
    if (nul == buffer.end()) {
        throw PellitonError("registry value " + valueName + " holds no NUL in its " +
                            std::to_string(kRegistryValueBufferBytes) + " bytes");
    }
    if (type == kRegSz) {
        text.assign(buffer.begin(), nul);
    } else if (type == kRegDword) {
        text = std::to_string(LittleEndianReader(buffer).UInt32());
    }
    return true;
}

bool StartSystemInformation(Registry& registry, ProgramStarter& starter) {
    try {
        std::string path;
        if (!GetKeyValue(registry, kHkeyLocalMachine, std::string(kMsinfoKey), std::string(kMsinfoPathValue), path)) {
            std::string folder;
            if (!GetKeyValue(registry, kHkeyLocalMachine, std::string(kSharedToolsLocationKey),
                             std::string(kMsinfoFolderValue), folder)) {
                return false;
            }
            // One backslash always goes between, even after a folder that ends in one.
            path = folder + "\\" + std::string(kMsinfoProgram);
            if (!starter.IsOrdinaryFile(path)) return false;
        }
        // A value of another type leaves the path empty, and nothing can be started from it.
        return !path.empty() && starter.StartProgram(path);
    } catch (const PellitonError&) {
        return false;
    }
}

}  // namespace pelliton
