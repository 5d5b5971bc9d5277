#include "program_run.hpp"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string_view>

extern char** environ;

namespace bench {
namespace {

std::string bin_dir() {
    return std::filesystem::read_symlink("/proc/self/exe").parent_path().string();
}

// A file of its own in the temporary directory, removed with the object.
struct TempFile {
    std::string path;
    explicit TempFile(const std::string& contents) {
        const char* dir = std::getenv("TMPDIR");
        std::string pattern =
            std::string(dir != nullptr && *dir != '\0' ? dir : "/tmp") + "/demo_bench_XXXXXX";
        const int fd = mkstemp(pattern.data());
        if (fd < 0) {
            std::perror("bench: mkstemp");
            std::exit(1);
        }
        path = pattern;
        std::size_t done = 0;
        while (done < contents.size()) {
            const ssize_t n = write(fd, contents.data() + done, contents.size() - done);
            if (n <= 0) {
                std::perror("bench: writing a temporary file");
                std::exit(1);
            }
            done += static_cast<std::size_t>(n);
        }
        close(fd);
    }
    ~TempFile() { std::remove(path.c_str()); }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
};

std::vector<std::vector<std::string>> read_trace(const std::string& path) {
    std::vector<std::vector<std::string>> frames(1);
    std::ifstream f(path);
    std::string line;
    while (std::getline(f, line)) {
        if (line.rfind("frame ", 0) == 0) {
            frames.emplace_back();
        } else {
            frames.back().push_back(line);
        }
    }
    return frames;
}

double seconds(const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6;
}

}  // namespace

RunResult run_program(const std::string& program, const RunInput& in) {
    const TempFile script(in.script);
    const TempFile input(in.stdin_text);
    const TempFile trace("");

    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) {
        if (std::string_view(*e).substr(0, 4) != "GFX_") env.emplace_back(*e);
    }
    env.push_back("GFX_BACKEND=headless");
    env.push_back("GFX_SCRIPT=" + script.path);
    if (in.seed) env.push_back("GFX_SEED=" + std::to_string(*in.seed));
    if (in.trace) env.push_back("GFX_TRACE=" + trace.path);
    std::vector<char*> envp;
    for (std::string& s : env) envp.push_back(s.data());
    envp.push_back(nullptr);

    const std::string path = bin_dir() + "/" + program;
    std::string arg0 = program;
    char* argv[] = {arg0.data(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, input.path.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);

    RunResult r;
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int err = posix_spawn(&pid, path.c_str(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (err != 0) {
        std::fprintf(stderr, "bench: cannot start %s: %s\n", path.c_str(), std::strerror(err));
        return r;
    }
    int status = 0;
    rusage usage{};
    while (wait4(pid, &status, 0, &usage) < 0) {
        if (errno != EINTR) {
            std::perror("bench: wait4");
            return r;
        }
    }
    r.wall_seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    r.cpu_seconds = seconds(usage.ru_utime) + seconds(usage.ru_stime);
    r.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    if (in.trace) r.frames = read_trace(trace.path);
    return r;
}

}  // namespace bench
