// Finding and starting the platform's system information program through the registry.
#pragma once

#include <string>
#include <string_view>

#include "about/ProgramStarter.h"
#include "about/Registry.h"
#include "common/PellitonError.h"

namespace pelliton {

inline constexpr std::string_view kSysInfoUnavailableMessage = "System Information Is Unavailable At This Time";

// Registry texts are bytes in the system's ANSI code page; they are passed on as they are.
inline constexpr std::string_view kMsinfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr std::string_view kMsinfoPathValue = "PATH";
inline constexpr std::string_view kSharedToolsLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr std::string_view kMsinfoFolderValue = "MSINFO";
inline constexpr std::string_view kMsinfoProgram = "MSINFO32.EXE";

// KEY_READ | KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_CREATE_LINK: where write rights are refused,
// the open fails and the lookup counts as failed.
inline constexpr std::uint32_t kSysInfoKeyAccess = 0x2003F;
inline constexpr std::size_t kRegistryValueBufferBytes = 1024;

// Reads a value into text: true when the key opened and the value was read. A missing key or value
// (or one beyond the buffer) empties text and gives false; a value of a type other than text or
// number leaves text as it was. A buffer without a NUL cannot be cut to text and throws
// PellitonError; the key is closed on every path.
bool GetKeyValue(Registry& registry, RegistryRoot root, const std::string& keyName, const std::string& valueName,
                 std::string& text);

// Looks the program up and starts it; false when it cannot be found or started, for the caller to
// show kSysInfoUnavailableMessage.
bool StartSystemInformation(Registry& registry, ProgramStarter& starter);

}  // namespace pelliton
