// The few registry calls the system information lookup makes, shaped like their Win32 ANSI forms so
// the lookup can be tested everywhere against a registry held in memory.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace pelliton {

using RegistryRoot = std::uint32_t;     // a predefined root key, as its 32-bit value
using RegistryKey = std::uintptr_t;     // HKEY of an opened key
using RegistryResult = std::int32_t;    // LONG; 0 is success

inline constexpr RegistryRoot kHkeyLocalMachine = 0x80000002;  // HKEY_LOCAL_MACHINE
inline constexpr RegistryResult kErrorSuccess = 0;             // ERROR_SUCCESS
inline constexpr RegistryResult kErrorFileNotFound = 2;        // ERROR_FILE_NOT_FOUND
inline constexpr RegistryResult kErrorMoreData = 234;          // ERROR_MORE_DATA
inline constexpr std::uint32_t kRegSz = 1;                     // REG_SZ
inline constexpr std::uint32_t kRegDword = 4;                  // REG_DWORD

class Registry {
public:
    virtual ~Registry() = default;

    // RegOpenKeyExA.
    virtual RegistryResult OpenKey(RegistryRoot root, const std::string& subKey, std::uint32_t options,
                                   std::uint32_t access, RegistryKey& opened) = 0;
    // RegQueryValueExA: byteCount holds data's size on entry and the value's size on return; a value
    // larger than data gives kErrorMoreData.
    virtual RegistryResult QueryValue(RegistryKey key, const std::string& valueName, std::uint32_t& type,
                                      std::span<std::uint8_t> data, std::uint32_t& byteCount) = 0;
    // RegCloseKey.
    virtual RegistryResult CloseKey(RegistryKey key) = 0;
};

}  // namespace pelliton
