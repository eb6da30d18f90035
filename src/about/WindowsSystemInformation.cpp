// The Windows registry and process start behind the system information lookup.
#include <windows.h>

#include "about/PlatformSystemInformation.h"

namespace pelliton {

namespace {

HKEY ToHkey(RegistryKey key) { return reinterpret_cast<HKEY>(key); }

// The headers sign-extend the predefined roots to the width of a pointer; so must we.
HKEY RootHkey(RegistryRoot root) { return reinterpret_cast<HKEY>(static_cast<LONG_PTR>(static_cast<LONG>(root))); }

class WindowsRegistry final : public Registry {
public:
    RegistryResult OpenKey(RegistryRoot root, const std::string& subKey, std::uint32_t options, std::uint32_t access,
                           RegistryKey& opened) override {
        HKEY key = nullptr;
        const LONG result = RegOpenKeyExA(RootHkey(root), subKey.c_str(), options, access, &key);
        opened = reinterpret_cast<RegistryKey>(key);
        return result;
    }

    RegistryResult QueryValue(RegistryKey key, const std::string& valueName, std::uint32_t& type,
                              std::span<std::uint8_t> data, std::uint32_t& byteCount) override {
        DWORD valueType = 0;
        DWORD count = static_cast<DWORD>(data.size());
        const LONG result =
            RegQueryValueExA(ToHkey(key), valueName.c_str(), nullptr, &valueType, data.data(), &count);
        type = valueType;
        byteCount = count;
        return result;
    }

    RegistryResult CloseKey(RegistryKey key) override { return RegCloseKey(ToHkey(key)); }
};

class WindowsProgramStarter final : public ProgramStarter {
public:
    bool IsOrdinaryFile(const std::string& path) const override {
        const DWORD attributes = GetFileAttributesA(path.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES &&
               (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) == 0;
    }

    bool StartProgram(const std::string& path) override {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_SHOWNORMAL;
        PROCESS_INFORMATION process{};
        // CreateProcessA may write into the command line, so it gets a copy of its own.
        std::string commandLine = "\"" + path + "\"";
        if (!CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &process)) {
            return false;
        }
        // The program runs on by itself; nothing here waits for it or tracks it.
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return true;
    }
};

}  // namespace

SystemInformationPlatform PlatformSystemInformation() {
    return {std::make_unique<WindowsRegistry>(), std::make_unique<WindowsProgramStarter>()};
}

}  // namespace pelliton
