// The registry lookup of the system information program, against a registry held in memory.
#include <gtest/gtest.h>

#include <functional>

#include "about/InMemoryRegistry.h"
#include "about/RecordingProgramStarter.h"
#include "about/SystemInformation.h"

namespace pelliton {
namespace {

using testing::InMemoryRegistry;
using testing::RecordingProgramStarter;
using testing::RegistryValue;
using testing::TextValue;

const std::string kPathKey(kMsinfoKey);
const std::string kFolderKey(kSharedToolsLocationKey);
const std::string kPath(kMsinfoPathValue);
const std::string kFolder(kMsinfoFolderValue);
const std::string kProgramPath = "C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo\\msinfo32.exe";
const std::string kFolderText = "C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo";

RegistryValue Bytes(std::uint32_t type, std::string bytes) { return {type, std::move(bytes)}; }

struct LookupCase {
    const char* name;
    std::function<void(InMemoryRegistry&, RecordingProgramStarter&)> arrange;
    bool found;
    std::vector<std::string> fileTests;  // what was tested for an ordinary file, in order
    std::vector<std::string> starts;     // what was started, in order
    bool readsFolder;                    // the second location was opened
};

class StartSystemInformationTest : public ::testing::TestWithParam<LookupCase> {};

TEST_P(StartSystemInformationTest, FindsAndStartsTheProgram) {
    const LookupCase& lookup = GetParam();
    InMemoryRegistry registry;
    RecordingProgramStarter starter;
    lookup.arrange(registry, starter);

    EXPECT_EQ(StartSystemInformation(registry, starter), lookup.found);
    EXPECT_EQ(starter.fileTests, lookup.fileTests);
    EXPECT_EQ(starter.starts, lookup.starts);
    const bool readsFolder = std::any_of(registry.opens.begin(), registry.opens.end(),
                                         [](const InMemoryRegistry::Open& open) { return open.subKey == kFolderKey; });
    EXPECT_EQ(readsFolder, lookup.readsFolder);
    EXPECT_EQ(registry.openKeys, 0) << "every opened key is closed";
}

const std::string kFolderProgram = kFolderText + "\\MSINFO32.EXE";

INSTANTIATE_TEST_SUITE_P(
    Lookups, StartSystemInformationTest,
    ::testing::Values(
        LookupCase{"PathStartedUnchangedWithoutFileTest",
                   [](auto& registry, auto& starter) {
                       registry.Set(kPathKey, kPath, TextValue(kProgramPath));
                       registry.Set(kFolderKey, kFolder, TextValue(kFolderText));
                       starter.startable = {kProgramPath};
                   },
                   true, {}, {kProgramPath}, false},
        LookupCase{"PathToAMissingProgramFailsWithoutTryingTheFolder",
                   [](auto& registry, auto& starter) {
                       registry.Set(kPathKey, kPath, TextValue("C:\\gone\\msinfo32.exe"));
                       registry.Set(kFolderKey, kFolder, TextValue(kFolderText));
                       starter.ordinaryFiles = {kFolderProgram};
                       starter.startable = {kFolderProgram};
                   },
                   false, {}, {"C:\\gone\\msinfo32.exe"}, false},
        LookupCase{"FolderJoinedWithOneBackslash",
                   [](auto& registry, auto& starter) {
                       registry.Set(kFolderKey, kFolder, TextValue(kFolderText));
                       starter.ordinaryFiles = {kFolderProgram};
                       starter.startable = {kFolderProgram};
                   },
                   true, {kFolderProgram}, {kFolderProgram}, true},
        LookupCase{"FolderWithTrailingBackslashGivesTwo",
                   [](auto& registry, auto& starter) {
                       registry.Set(kFolderKey, kFolder, TextValue("C:\\MSInfo\\"));
                       starter.ordinaryFiles = {"C:\\MSInfo\\\\MSINFO32.EXE"};
                       starter.startable = {"C:\\MSInfo\\\\MSINFO32.EXE"};
                   },
                   true, {"C:\\MSInfo\\\\MSINFO32.EXE"}, {"C:\\MSInfo\\\\MSINFO32.EXE"}, true},
        LookupCase{"FolderWithoutTheProgramFails",
                   [](auto& registry, auto& starter) {
                       registry.Set(kFolderKey, kFolder, TextValue(kFolderText));
                       starter.startable = {kFolderProgram};
                   },
                   false, {kFolderProgram}, {}, true},
        LookupCase{"PathKeyWithoutPathValueFallsBackToFolder",
                   [](auto& registry, auto& starter) {
                       registry.Set(kPathKey, "Other", TextValue(kProgramPath));
                       registry.Set(kFolderKey, kFolder, TextValue(kFolderText));
                       starter.ordinaryFiles = {kFolderProgram};
                       starter.startable = {kFolderProgram};
                   },
                   true, {kFolderProgram}, {kFolderProgram}, true},
        LookupCase{"BothLookupsFail", [](auto&, auto&) {}, false, {}, {}, true},
        LookupCase{"PathOver1024BytesCountsAsMissing",
                   [](auto& registry, auto& starter) {
                       registry.Set(kPathKey, kPath, TextValue(std::string(1024, 'x')));
                       registry.Set(kFolderKey, kFolder, TextValue(kFolderText));
                       starter.ordinaryFiles = {kFolderProgram};
                       starter.startable = {kFolderProgram};
                   },
                   true, {kFolderProgram}, {kFolderProgram}, true},
        LookupCase{"PathOfSeveralPartsCutAtTheFirstNul",
                   [](auto& registry, auto& starter) {
                       registry.Set(kPathKey, kPath, Bytes(kRegSz, kProgramPath + '\0' + "C:\\second.exe" + '\0'));
                       starter.startable = {kProgramPath};
                   },
                   true, {}, {kProgramPath}, false},
        LookupCase{"PathWithoutNulShowsTheMessageAtOnce",
                   [](auto& registry, auto& starter) {
                       registry.Set(kPathKey, kPath, Bytes(kRegSz, std::string(1024, 'x')));
                       registry.Set(kFolderKey, kFolder, TextValue(kFolderText));
                       starter.ordinaryFiles = {kFolderProgram};
                       starter.startable = {kFolderProgram};
                   },
                   false, {}, {}, false},
        LookupCase{"PathOfAnotherTypeLeavesNothingToStart",
                   [](auto& registry, auto& starter) {
                       registry.Set(kPathKey, kPath, Bytes(3, "binary"));  // REG_BINARY
                       registry.Set(kFolderKey, kFolder, TextValue(kFolderText));
                       starter.ordinaryFiles = {kFolderProgram};
                       starter.startable = {"", kFolderProgram};
                   },
                   false, {}, {}, false},
        LookupCase{"KeysRefusingWriteRightsCountAsMissing",
                   [](auto& registry, auto& starter) {
                       registry.refuseWriteRights = true;
                       registry.Set(kPathKey, kPath, TextValue(kProgramPath));
                       registry.Set(kFolderKey, kFolder, TextValue(kFolderText));
                       starter.ordinaryFiles = {kFolderProgram};
                       starter.startable = {kProgramPath, kFolderProgram};
                   },
                   false, {}, {}, true}),
    [](const ::testing::TestParamInfo<LookupCase>& info) { return std::string(info.param.name); });

struct KeyValueCase {
    const char* name;
    RegistryValue value;
    std::string expected;  // text on return, which held "before" on entry
};

TEST(GetKeyValueTest, ReadsValuesAsText) {
    const KeyValueCase cases[] = {
        {"text", TextValue("C:\\Tools"), "C:\\Tools"},
        {"text without NUL of its own, in a zeroed buffer", Bytes(kRegSz, "C:\\Tools"), "C:\\Tools"},
        {"text filling the whole buffer", TextValue(std::string(1023, 'y')), std::string(1023, 'y')},
        {"number", Bytes(kRegDword, std::string("\x78\x56\x34\x12", 4)), "305419896"},
        {"number with the high bit set", Bytes(kRegDword, std::string("\xFF\xFF\xFF\xFF", 4)), "4294967295"},
        {"another type keeps the text it had", Bytes(7, std::string("a\0b\0\0", 5)), "before"},  // REG_MULTI_SZ
    };
    for (const KeyValueCase& value : cases) {
        SCOPED_TRACE(value.name);
        InMemoryRegistry registry;
        registry.Set("Key", "Value", value.value);
        std::string text = "before";
        EXPECT_TRUE(GetKeyValue(registry, kHkeyLocalMachine, "Key", "Value", text));
        EXPECT_EQ(text, value.expected);
        EXPECT_EQ(registry.openKeys, 0);
    }
}

TEST(GetKeyValueTest, MissingKeyOrValueEmptiesTheText) {
    InMemoryRegistry registry;
    registry.Set("Key", "Value", TextValue("there"));
    const std::pair<std::string, std::string> misses[] = {{"Other", "Value"}, {"Key", "Other"}};
    for (const auto& [key, value] : misses) {
        SCOPED_TRACE(key + "\\" + value);
        std::string text = "before";
        EXPECT_FALSE(GetKeyValue(registry, kHkeyLocalMachine, key, value, text));
        EXPECT_EQ(text, "");
        EXPECT_EQ(registry.openKeys, 0);
    }
}

TEST(GetKeyValueTest, OpensWithOptionsZeroAndTheFullAccessMask) {
    InMemoryRegistry registry;
    registry.Set("Key", "Value", TextValue("there"));
    std::string text;
    ASSERT_TRUE(GetKeyValue(registry, kHkeyLocalMachine, "Key", "Value", text));
    ASSERT_EQ(registry.opens.size(), 1u);
    EXPECT_EQ(registry.opens[0].access, 0x2003Fu);
}

TEST(GetKeyValueTest, BufferWithoutNulIsAnErrorAfterClosingTheKey) {
    InMemoryRegistry registry;
    registry.Set("Key", "Value", Bytes(kRegSz, std::string(1024, 'x')));
    std::string text = "before";
    EXPECT_THROW(GetKeyValue(registry, kHkeyLocalMachine, "Key", "Value", text), PellitonError);
    EXPECT_EQ(registry.openKeys, 0);
}

}  // namespace
}  // namespace pelliton
