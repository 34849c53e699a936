#include "hosts/xlsx/converted_workbook.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <system_error>
#include <thread>
#include <vector>

#include "common/text.h"
#include "hosts/host_error.h"

extern char** environ;

namespace plovis {
namespace {

namespace fs = std::filesystem;

std::string quoted(const fs::path& file) {
    return "\"" + file.string() + "\"";
}

fs::path onPath(const char* program) {
    const char* path = std::getenv("PATH");
    std::string_view rest = path ? path : "/usr/bin:/bin";
    while (!rest.empty()) {
        const std::size_t colon = rest.find(':');
        const fs::path candidate = fs::path(rest.substr(0, colon)) / program;
        if (access(candidate.c_str(), X_OK) == 0) return candidate;
        rest = colon == std::string_view::npos ? "" : rest.substr(colon + 1);
    }
    return {};
}

fs::path findConverter(const fs::path& given) {
    if (!given.empty()) return access(given.c_str(), X_OK) == 0 ? given : fs::path();
    for (const char* name : {"soffice", "libreoffice"}) {
        if (fs::path found = onPath(name); !found.empty()) return found;
    }
    return {};
}

// A folder made afresh under `parent` ("parent/.plovis-convert-XXXXXX"), removed with the object.
struct ScratchFolder {
    explicit ScratchFolder(const fs::path& parent) {
        std::string pattern = (parent / ".plovis-convert-XXXXXX").string();
        if (!mkdtemp(pattern.data())) {
            throw HostError("the folder " + quoted(parent) +
                            " cannot be written: " + std::generic_category().message(errno));
        }
        path = pattern;
    }
    ~ScratchFolder() {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    fs::path path;
};

// Runs the converter with its output thrown away; its exit status, or -1 when it could not be
// started or was stopped after the time allowed.
int runConverter(const std::vector<std::string>& arguments, int timeoutSeconds) {
    std::vector<char*> argv;
    for (const std::string& a : arguments)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int started = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (started != 0) return -1;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool newerThan(const fs::path& a, const fs::path& b) {
    std::error_code ec1, ec2;
    const auto ta = fs::last_write_time(a, ec1);
    const auto tb = fs::last_write_time(b, ec2);
    return !ec1 && !ec2 && ta >= tb;
}

// Where the converted workbook goes: "scheme.xlsx", or "scheme-converted.xlsx" (then
// "-converted-2" ...) when an older file has the name.
fs::path targetFor(const fs::path& file) {
    fs::path target = fs::path(file).replace_extension(".xlsx");
    for (int n = 1; fs::exists(target) && !newerThan(target, file); ++n) {
        const std::string suffix = n == 1 ? "-converted" : "-converted-" + std::to_string(n);
        target = file.parent_path() / (file.stem().string() + suffix + ".xlsx");
    }
    return target;
}

}  // namespace

bool needsConversion(const fs::path& file) {
    const std::string ext = upperCase(file.extension().string());
    return ext == ".XLS" || ext == ".ODS";
}

WorkbookToOpen workbookToOpen(const fs::path& file, const fs::path& converter, int timeoutSeconds) {
    if (!needsConversion(file)) return {file, {}};
    const fs::path original = fs::absolute(file);
    if (!fs::is_regular_file(original)) throw HostError(quoted(file) + ": no such file");
    const fs::path target = targetFor(original);
    if (fs::exists(target)) {
        return {target, quoted(target.filename()) + ", converted from " + quoted(file.filename()) +
                            " before, is opened; " + quoted(file.filename()) +
                            " is left as it was."};
    }
    const fs::path program = findConverter(converter);
    if (program.empty()) {
        throw HostError(quoted(file) +
                        " is not an .xlsx workbook. PLOVIS converts .xls and .ods "
                        "workbooks with LibreOffice, which is not installed: install the Debian "
                        "package " +
                        std::string(kConverterPackage) +
                        ", or save the workbook as .xlsx yourself.");
    }
    ScratchFolder out(original.parent_path());
    ScratchFolder profile(fs::temp_directory_path());
    const int status = runConverter(
        {program.string(), "-env:UserInstallation=file://" + profile.path.string(), "--headless",
         "--convert-to", "xlsx", "--outdir", out.path.string(), original.string()},
        timeoutSeconds);
    const fs::path made = out.path / (original.stem().string() + ".xlsx");
    if (status != 0 || !fs::is_regular_file(made)) {
        throw HostError(quoted(file) + " could not be converted to .xlsx by " + quoted(program) +
                        (status > 0 ? " (exit status " + std::to_string(status) + ")" : ""));
    }
    std::error_code ec;
    fs::rename(made, target, ec);
    if (ec) throw HostError(quoted(target) + " could not be written: " + ec.message());
    return {target, quoted(file.filename()) + " was converted to " + quoted(target.filename()) +
                        " by LibreOffice; PLOVIS works on " + quoted(target.filename()) +
                        " and leaves " + quoted(file.filename()) + " as it was."};
}

}  // namespace plovis
