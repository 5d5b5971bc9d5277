#include "run_headless.hpp"

#include <png.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "palette.hpp"

namespace demo_test {
namespace {

std::string read_file(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::stringstream ss;
    ss << f.rdbuf();
    return ss.str();
}

void write_file(const std::string& path, const std::string& text) {
    std::ofstream f(path, std::ios::binary);
    f << text;
}

std::string bin_dir() {
    const char* dir = std::getenv("DEMO_BIN_DIR");
    if (dir == nullptr || *dir == '\0') {
        throw std::runtime_error("DEMO_BIN_DIR is not set; run the tests through ctest");
    }
    return dir;
}

}  // namespace

HeadlessRun run_headless(const std::string& program, const HeadlessOptions& options) {
    HeadlessRun run;
    char tmpl[] = "/tmp/demo_run_XXXXXX";
    if (mkdtemp(tmpl) == nullptr) throw std::runtime_error("mkdtemp failed");
    run.dir = tmpl;
    const std::string script = run.dir + "/script.txt";
    const std::string trace = run.dir + "/trace.txt";
    const std::string in = run.dir + "/stdin.txt";
    const std::string out = run.dir + "/stdout.txt";
    const std::string err = run.dir + "/stderr.txt";
    write_file(script, options.script);
    write_file(in, options.stdin_text);
    const std::string path = bin_dir() + "/" + program;

    const pid_t pid = fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) {
        setenv("GFX_BACKEND", "headless", 1);
        setenv("GFX_SCRIPT", script.c_str(), 1);
        if (options.trace) setenv("GFX_TRACE", trace.c_str(), 1);
        if (options.seed) setenv("GFX_SEED", std::to_string(*options.seed).c_str(), 1);
        if (!options.png_frames.empty()) {
            setenv("GFX_PNG_DIR", run.dir.c_str(), 1);
            setenv("GFX_PNG_FRAMES", options.png_frames.c_str(), 1);
        }
        if (std::freopen(in.c_str(), "rb", stdin) == nullptr ||
            std::freopen(out.c_str(), "wb", stdout) == nullptr ||
            std::freopen(err.c_str(), "wb", stderr) == nullptr) {
            _exit(126);
        }
        execl(path.c_str(), path.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    run.stdout_text = read_file(out);
    run.stderr_text = read_file(err);

    run.frames.emplace_back();
    std::istringstream lines(read_file(trace));
    std::string line;
    while (std::getline(lines, line)) {
        if (line.rfind("frame ", 0) == 0) run.frames.emplace_back();
        run.frames.back().push_back(line);
    }
    return run;
}

std::vector<std::string> words(const std::string& line) {
    std::vector<std::string> out;
    std::size_t i = 0;
    while (i < line.size()) {
        if (line[i] == ' ') {
            ++i;
            continue;
        }
        std::string w;
        if (line[i] == '"') {
            ++i;
            while (i < line.size() && line[i] != '"') {
                if (line[i] == '\\' && i + 1 < line.size()) ++i;
                w += line[i++];
            }
            ++i;
        } else {
            while (i < line.size() && line[i] != ' ') w += line[i++];
        }
        out.push_back(w);
    }
    return out;
}

std::vector<Op> ops(const std::vector<std::string>& frame) {
    std::vector<Op> out;
    for (const std::string& line : frame) {
        const std::vector<std::string> w = words(line);
        if (w.empty()) continue;
        Op op{w[0], {}, {}};
        const bool has_text = op.name == "text" || op.name == "window";
        const std::size_t numbers = has_text ? w.size() - 1 : w.size();
        for (std::size_t i = 1; i < numbers; ++i) op.args.push_back(std::stod(w[i]));
        if (has_text) op.text = w.back();
        out.push_back(op);
    }
    return out;
}

std::uint32_t Picture::at(int x, int y) const {
    const std::size_t i = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                           static_cast<std::size_t>(x)) *
                          3;
    return (std::uint32_t{rgb[i]} << 16) | (std::uint32_t{rgb[i + 1]} << 8) | rgb[i + 2];
}

Picture read_png(const std::string& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, path.c_str()) == 0) {
        throw std::runtime_error("cannot read " + path);
    }
    image.format = PNG_FORMAT_RGB;
    Picture p;
    p.width = static_cast<int>(image.width);
    p.height = static_cast<int>(image.height);
    p.rgb.resize(PNG_IMAGE_SIZE(image));
    if (png_image_finish_read(&image, nullptr, p.rgb.data(), 0, nullptr) == 0) {
        png_image_free(&image);
        throw std::runtime_error("cannot decode " + path);
    }
    return p;
}

std::uint32_t shown_rgb(gfx::Colour c) {
    const gfx::Colour e = gfx::default_palette()[gfx::nearest_entry(c)];
    return (std::uint32_t{e.r} << 16) | (std::uint32_t{e.g} << 8) | e.b;
}

}  // namespace demo_test
