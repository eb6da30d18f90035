// The window program's command line, which both front ends read the same way.
#include <gtest/gtest.h>

#include "ui/WindowCommandLine.h"

namespace pelliton::ui {
namespace {

using Action = WindowStart::Action;

TEST(WindowCommandLine, OpensTheFirstFileOrPrintsWhatAnOptionBeforeItAsks) {
    struct Case {
        std::vector<std::string> arguments;
        Action action;
        std::optional<std::string> file;
    };
    const Case cases[] = {
        {{}, Action::kOpenWindow, std::nullopt},
        {{"a.rsh"}, Action::kOpenWindow, "a.rsh"},
        {{"-x", "--long", "a.rsh", "b.rsh"}, Action::kOpenWindow, "a.rsh"},
        {{"--", "-dash.rsh"}, Action::kOpenWindow, "-dash.rsh"},
        {{"--", "--version"}, Action::kOpenWindow, "--version"},
        {{"-v"}, Action::kOpenWindow, std::nullopt},
        {{"", "a.rsh"}, Action::kOpenWindow, "a.rsh"},
        {{"--version"}, Action::kPrintVersion, std::nullopt},
        {{"-x", "--version", "a.rsh"}, Action::kPrintVersion, std::nullopt},
        {{"-h"}, Action::kPrintHelp, std::nullopt},
        {{"--help", "--version"}, Action::kPrintHelp, std::nullopt},
        {{"a.rsh", "--help"}, Action::kOpenWindow, "a.rsh"},
    };
    for (const Case& c : cases) {
        std::string line;
        for (const std::string& argument : c.arguments) line += " [" + argument + "]";
        SCOPED_TRACE(line);
        const WindowStart start = ParseWindowCommandLine(c.arguments);
        EXPECT_EQ(start.action, c.action);
        EXPECT_EQ(start.file, c.file);
    }
}

}  // namespace
}  // namespace pelliton::ui
