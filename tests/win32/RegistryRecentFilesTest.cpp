// The recent files in the real registry, under a throwaway key of HKEY_CURRENT_USER that the test
// deletes again: what is stored comes back, in order, and values that are not paths are passed over.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "win32/RegistryRecentFiles.h"

namespace pelliton::win32 {
namespace {

constexpr const wchar_t* kTestsKey = L"Software\\Pelliton Tests";
constexpr const wchar_t* kKey = L"Software\\Pelliton Tests\\Recent Files";

class RegistryRecentFilesTest : public testing::Test {
protected:
    void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, kTestsKey); }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, kTestsKey); }

    RegistryRecentFiles store{kKey};
};

TEST_F(RegistryRecentFilesTest, StoredPathsComeBackNewestFirstAsUtf16Values) {
    EXPECT_TRUE(store.Load().empty());
    const std::vector<std::string> paths{"C:\\mods\\caf\xC3\xA9.rsh", "D:\\a&b.rsh", "\\\\server\\share\\x.rsh"};
    store.Store(paths);
    EXPECT_EQ(store.Load(), paths);
    EXPECT_EQ(RegistryRecentFiles(kKey).Load(), paths) << "as the next run reads them";

    wchar_t first[64] = {};
    DWORD bytes = sizeof first;
    DWORD type = 0;
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, kKey, L"File1", RRF_RT_ANY, &type, first, &bytes), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_STREQ(first, L"C:\\mods\\caf\u00E9.rsh");

    // A shorter list leaves no value of the longer one behind.
    store.Store({"C:\\only.rsh"});
    EXPECT_EQ(store.Load(), std::vector<std::string>{"C:\\only.rsh"});
    EXPECT_NE(RegGetValueW(HKEY_CURRENT_USER, kKey, L"File2", RRF_RT_ANY, nullptr, nullptr, nullptr), ERROR_SUCCESS);
}

TEST_F(RegistryRecentFilesTest, ValuesThatAreNotPathsArePassedOver) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr), ERROR_SUCCESS);
    const DWORD number = 7;
    RegSetValueExW(key, L"File1", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
    RegSetValueExW(key, L"File2", 0, REG_SZ, reinterpret_cast<const BYTE*>(L""), sizeof(wchar_t));
    // Text without its closing NUL, as another program may have written it.
    const wchar_t unended[] = {L'C', L':', L'\\', L'x'};
    RegSetValueExW(key, L"File3", 0, REG_SZ, reinterpret_cast<const BYTE*>(unended), sizeof unended);
    RegSetValueExW(key, L"File9", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"C:\\y"), 5 * sizeof(wchar_t));
    RegCloseKey(key);
    EXPECT_EQ(store.Load(), std::vector<std::string>{"C:\\x"});
}

}  // namespace
}  // namespace pelliton::win32
