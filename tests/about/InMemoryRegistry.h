// A registry held in memory that answers as the Win32 calls do, and remembers how it was used.
#pragma once

#include <algorithm>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "about/Registry.h"

namespace pelliton::testing {

inline constexpr RegistryResult kErrorAccessDenied = 5;  // ERROR_ACCESS_DENIED

struct RegistryValue {
    std::uint32_t type = kRegSz;
    std::string bytes;  // stored exactly; a text value brings its own terminating NUL
};

inline RegistryValue TextValue(const std::string& text) { return {kRegSz, text + '\0'}; }

class InMemoryRegistry final : public Registry {
public:
    void Set(const std::string& keyName, const std::string& valueName, RegistryValue value) {
        keys_[keyName][valueName] = std::move(value);
    }

    RegistryResult OpenKey(RegistryRoot root, const std::string& subKey, std::uint32_t options, std::uint32_t access,
                           RegistryKey& opened) override {
        opens.push_back({subKey, access});
        if (root != kHkeyLocalMachine || options != 0) return kErrorFileNotFound;
        if (refuseWriteRights && (access & kWriteRights) != 0) return kErrorAccessDenied;
        const auto key = keys_.find(subKey);
        if (key == keys_.end()) return kErrorFileNotFound;
        handles_.push_back(&key->second);
        opened = handles_.size();  // handles count from 1
        ++openKeys;
        return kErrorSuccess;
    }

    RegistryResult QueryValue(RegistryKey key, const std::string& valueName, std::uint32_t& type,
                              std::span<std::uint8_t> data, std::uint32_t& byteCount) override {
        const Values& values = *handles_.at(key - 1);
        const auto value = values.find(valueName);
        if (value == values.end()) return kErrorFileNotFound;
        type = value->second.type;
        const std::string& bytes = value->second.bytes;
        const bool fits = bytes.size() <= byteCount && bytes.size() <= data.size();
        byteCount = static_cast<std::uint32_t>(bytes.size());
        if (!fits) return kErrorMoreData;
        std::copy(bytes.begin(), bytes.end(), data.begin());
        return kErrorSuccess;
    }

    RegistryResult CloseKey(RegistryKey) override {
        --openKeys;
        return kErrorSuccess;
    }

    struct Open {
        std::string subKey;
        std::uint32_t access;
    };
    std::vector<Open> opens;       // every OpenKey call, in order
    int openKeys = 0;              // opened and not yet closed
    bool refuseWriteRights = false;

private:
    using Values = std::map<std::string, RegistryValue>;
    static constexpr std::uint32_t kWriteRights = 0x0006;  // KEY_SET_VALUE | KEY_CREATE_SUB_KEY

    std::map<std::string, Values> keys_;
    std::vector<const Values*> handles_;
};

}  // namespace pelliton::testing
