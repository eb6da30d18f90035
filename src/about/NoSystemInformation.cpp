// Platforms without a registry or a system information program: every lookup finds nothing.
#include "about/PlatformSystemInformation.h"

namespace pelliton {

namespace {

class NoRegistry final : public Registry {
public:
    RegistryResult OpenKey(RegistryRoot, const std::string&, std::uint32_t, std::uint32_t, RegistryKey&) override {
        return kErrorFileNotFound;
    }
    RegistryResult QueryValue(RegistryKey, const std::string&, std::uint32_t&, std::span<std::uint8_t>,
                              std::uint32_t&) override {
        return kErrorFileNotFound;
    }
    RegistryResult CloseKey(RegistryKey) override { return kErrorSuccess; }
};

class NoProgramStarter final : public ProgramStarter {
public:
    bool IsOrdinaryFile(const std::string&) const override { return false; }
    bool StartProgram(const std::string&) override { return false; }
};

}  // namespace

SystemInformationPlatform PlatformSystemInformation() {
    return {std::make_unique<NoRegistry>(), std::make_unique<NoProgramStarter>()};
}

}  // namespace pelliton
