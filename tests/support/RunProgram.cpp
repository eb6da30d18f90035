#include "support/RunProgram.h"

#include <system_error>

#include "common/Utf8Path.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;
#endif

namespace pelliton::testing {

namespace {

#ifdef _WIN32
// One argument as the program's C runtime splits the command line again: quoted when it holds
// blanks or quotes, with quotes and the backslashes before them escaped.
std::wstring QuotedArgument(const std::wstring& arg) {
    if (!arg.empty() && arg.find_first_of(L" \t\n\v\"") == std::wstring::npos) return arg;
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        quoted.push_back(c);
        backslashes = 0;
    }
    quoted.append(2 * backslashes, L'\\');
    quoted.push_back(L'"');
    return quoted;
}

// A handle to a new file that the child process inherits.
HANDLE InheritableFile(const std::filesystem::path& path) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        throw std::system_error(static_cast<int>(GetLastError()), std::system_category(), "cannot create output file");
    }
    return file;
}

int Run(const std::filesystem::path& program, const std::vector<std::string>& args, const std::filesystem::path& out,
        const std::filesystem::path& err) {
    std::wstring commandLine = QuotedArgument(program.wstring());
    for (const std::string& arg : args) commandLine += L" " + QuotedArgument(PathFromUtf8(arg).wstring());
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = InheritableFile(out);
    startup.hStdError = InheritableFile(err);
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        nullptr, &startup, &process);
    const DWORD startError = GetLastError();
    CloseHandle(startup.hStdOutput);
    CloseHandle(startup.hStdError);
    if (!started) throw std::system_error(static_cast<int>(startError), std::system_category(), "cannot start program");
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = 0;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(status);
}
#else
int Run(const std::filesystem::path& program, const std::vector<std::string>& args, const std::filesystem::path& out,
        const std::filesystem::path& err) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::string programText = program.string();
    std::vector<std::string> argText = args;
    std::vector<char*> argv{programText.data()};
    for (std::string& arg : argText) argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    const int started = posix_spawn(&child, programText.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (started != 0) throw std::system_error(started, std::generic_category(), "cannot start " + programText);
    int waitStatus = 0;
    waitpid(child, &waitStatus, 0);
    return WIFEXITED(waitStatus) ? WEXITSTATUS(waitStatus) : -1;
}
#endif

}  // namespace

ProgramRun RunProgram(const std::filesystem::path& program, const std::vector<std::string>& args, const TempDir& dir) {
    const auto out = dir.path() / "program.out";
    const auto err = dir.path() / "program.err";
    const int status = Run(program, args, out, err);
    const auto outBytes = ReadFileBytes(out);
    const auto errBytes = ReadFileBytes(err);
    return {status, {outBytes.begin(), outBytes.end()}, {errBytes.begin(), errBytes.end()}};
}

}  // namespace pelliton::testing
