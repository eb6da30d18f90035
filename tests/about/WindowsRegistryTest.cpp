// The lookup through the real Windows registry and process start. It writes the program's path only
// where none is set (a test machine or a Wine prefix), and takes it out again.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "about/PlatformSystemInformation.h"
#include "about/SystemInformation.h"
#include "support/TempDir.h"

namespace pelliton {
namespace {

bool ValueExists(const std::string& key, const std::string& value) {
    return RegGetValueA(HKEY_LOCAL_MACHINE, key.c_str(), value.c_str(), RRF_RT_ANY, nullptr, nullptr, nullptr) ==
           ERROR_SUCCESS;
}

// The stand-in program, built beside this test program.
std::string MarkerProgram() {
    char own[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, own, MAX_PATH);
    return (std::filesystem::path(std::string(own, length)).parent_path() / "started-marker.exe").string();
}

// Sets the program path for the test's length, and only where no machine setting can be lost.
class ProgramPathValue {
public:
    explicit ProgramPathValue(const std::string& program) {
        HKEY key = nullptr;
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, std::string(kMsinfoKey).c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                            nullptr, &key, nullptr) != ERROR_SUCCESS) {
            return;
        }
        set_ = RegSetValueExA(key, std::string(kMsinfoPathValue).c_str(), 0, REG_SZ,
                              reinterpret_cast<const BYTE*>(program.c_str()),
                              static_cast<DWORD>(program.size() + 1)) == ERROR_SUCCESS;
        RegCloseKey(key);
    }
    ~ProgramPathValue() {
        HKEY key = nullptr;
        if (!set_ || RegOpenKeyExA(HKEY_LOCAL_MACHINE, std::string(kMsinfoKey).c_str(), 0, KEY_SET_VALUE, &key) !=
                         ERROR_SUCCESS) {
            return;
        }
        RegDeleteValueA(key, std::string(kMsinfoPathValue).c_str());
        RegCloseKey(key);
    }
    ProgramPathValue(const ProgramPathValue&) = delete;
    ProgramPathValue& operator=(const ProgramPathValue&) = delete;

    bool IsSet() const { return set_; }

private:
    bool set_ = false;
};

class WindowsSystemInformation : public ::testing::Test {
protected:
    void SetUp() override {
        if (ValueExists(std::string(kMsinfoKey), std::string(kMsinfoPathValue)) ||
            ValueExists(std::string(kSharedToolsLocationKey), std::string(kMsinfoFolderValue))) {
            GTEST_SKIP() << "this machine names its system information program; the test leaves it alone";
        }
    }
    SystemInformationPlatform platform_ = PlatformSystemInformation();
};

TEST_F(WindowsSystemInformation, WithoutTheProgramInTheRegistryTheLookupFails) {
    EXPECT_FALSE(StartSystemInformation(*platform_.registry, *platform_.starter));
}

TEST_F(WindowsSystemInformation, StartsTheProgramTheRegistryNames) {
    testing::TempDir dir;
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());  // the program inherits it, and leaves its mark there
    ProgramPathValue value(MarkerProgram());
    ASSERT_TRUE(value.IsSet()) << "the registry value could not be written";

    const bool started = StartSystemInformation(*platform_.registry, *platform_.starter);
    const auto mark = dir.path() / "system-information-started.txt";
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (started && !std::filesystem::exists(mark) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(200));  // the program closes its file
    std::filesystem::current_path(previous);
    EXPECT_TRUE(started);
    EXPECT_TRUE(std::filesystem::exists(mark)) << "the program named in the registry did not run";
}

}  // namespace
}  // namespace pelliton
