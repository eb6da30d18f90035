// The program's command line: what it asks for, and the answer to --help and --version.
#include "win32/CommandLine.h"

#include <windows.h>

#include <shellapi.h>

#include <vector>

#include "win32/WideText.h"

namespace pelliton::win32 {

ui::WindowStart WindowStartFromCommandLine(const wchar_t* commandLine) {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(commandLine, &count);
    if (arguments == nullptr) return {};
    std::vector<std::string> utf8;
    for (int index = 1; index < count; ++index) utf8.push_back(WideToUtf8(arguments[index]));
    LocalFree(arguments);
    return ui::ParseWindowCommandLine(utf8);
}

void PrintToConsole(const std::string& text) {
    HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    bool opened = false;
    if ((output == nullptr || output == INVALID_HANDLE_VALUE) && AttachConsole(ATTACH_PARENT_PROCESS)) {
        output = CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
        opened = output != INVALID_HANDLE_VALUE;
    }
    if (output == nullptr || output == INVALID_HANDLE_VALUE) return;  // nowhere to write: nobody to read it
    DWORD written = 0;
    WriteFile(output, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    if (opened) CloseHandle(output);
}

}  // namespace pelliton::win32
