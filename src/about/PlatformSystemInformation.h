// The registry and program starter of the platform the tool runs on.
#pragma once

#include <memory>

#include "about/ProgramStarter.h"
#include "about/Registry.h"

namespace pelliton {

struct SystemInformationPlatform {
    std::unique_ptr<Registry> registry;
    std::unique_ptr<ProgramStarter> starter;
};

// On Windows the real registry and process start; elsewhere a registry without keys, so the lookup
// always ends in the "unavailable" message.
SystemInformationPlatform PlatformSystemInformation();

}  // namespace pelliton
