// What the picture tests expect of a refused file: a PellitonError whose reason names the file first.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "common/PellitonError.h"
#include "support/AllocationWatch.h"

namespace pelliton::testing {

// Runs read and expects it to refuse the file named name with a reason that contains reasonPart.
template <typename Read>
void ExpectRefusal(Read read, const std::string& name, const std::string& reasonPart) {
    try {
        read();
    } catch (const PellitonError& error) {
        const std::string reason = error.what();
        EXPECT_EQ(reason.rfind(name + ": ", 0), 0u) << reason;
        EXPECT_NE(reason.find(reasonPart), std::string::npos) << reason;
        return;
    }
    ADD_FAILURE() << name << " was read without an error; expected \"" << reasonPart << "\"";
}

// A file a decoder must refuse, and words its reason must contain.
struct MalformedFile {
    const char* label;
    std::vector<std::uint8_t> file;
    const char* reasonPart;
};

// Expects decode(file, name) to refuse each file without asking for largestRequest bytes or more:
// the files are tiny, whatever their headers declare.
template <typename Decode>
void ExpectEachRefusedSmall(std::span<const MalformedFile> cases, Decode decode, const std::string& name,
                            std::size_t largestRequest) {
    for (const MalformedFile& c : cases) {
        SCOPED_TRACE(c.label);
        const AllocationWatch watch;
        ExpectRefusal([&] { decode(c.file, name); }, name, c.reasonPart);
        EXPECT_LT(watch.LargestRequest(), largestRequest);
    }
}

}  // namespace pelliton::testing
