// The headless backend: no window. Input comes from a script (GFX_SCRIPT), pictures of the
// visual page go to GFX_PNG_DIR at the frames listed in GFX_PNG_FRAMES, and the run ends with
// exit code 3 when the script is used up while the program still wants input.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "backend.hpp"
#include "png.hpp"
#include "script.hpp"
#include "trace.hpp"

namespace gfx {
namespace {

constexpr int kScriptUsedUp = 3;
constexpr int kBadSettings = 2;

[[noreturn]] void fail(const std::string& what) {
    std::fprintf(stderr, "gfx: %s\n", what.c_str());
    trace_flush();
    std::exit(kBadSettings);
}

class Headless final : public Backend {
  public:
    explicit Headless(Input& in) : in_(in) {
        if (const char* path = std::getenv("GFX_SCRIPT"); path != nullptr && *path != '\0') {
            std::ifstream f(path, std::ios::binary);
            if (!f) fail(std::string("cannot read the script ") + path + "; check GFX_SCRIPT");
            std::stringstream text;
            text << f.rdbuf();
            ScriptResult r = parse_script(text.str());
            if (!r.error.empty()) fail(std::string("script ") + path + ", " + r.error);
            script_ = std::move(r.script);
        }
        if (const char* seed = std::getenv("GFX_SEED"); seed != nullptr && *seed != '\0') {
            char* end = nullptr;
            const unsigned long v = std::strtoul(seed, &end, 10);
            if (*end != '\0' || v > 0xFFFFFFFFUL)
                fail("GFX_SEED wants a whole number 0 ... 4294967295");
            fixed_seed_ = static_cast<std::uint32_t>(v);
            has_fixed_seed_ = true;
        }
        if (const char* dir = std::getenv("GFX_PNG_DIR"); dir != nullptr) png_dir_ = dir;
        if (const char* list = std::getenv("GFX_PNG_FRAMES"); list != nullptr) parse_frames(list);
    }

    bool open(std::string_view) override { return true; }

    void close() override {
        if (closed_) return;
        closed_ = true;
        end_run();
    }

    void show(const Page& visual, bool) override { visual_ = &visual; }

    void before_mouse_read() override {
        if (rule_.on_mouse_read()) tick();
    }

    void key_queue_empty(bool blocking) override {
        if (rule_.on_key_queue_empty(blocking)) tick();
    }

    std::uint32_t clock_seed() override {
        if (next_seed_ < script_.seeds.size()) return script_.seeds[next_seed_++];
        if (has_fixed_seed_) return fixed_seed_;
        using namespace std::chrono;
        return static_cast<std::uint32_t>(
            duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count());
    }

  private:
    void parse_frames(const std::string& list) {
        std::stringstream ss(list);
        std::string item;
        while (std::getline(ss, item, ',')) {
            if (item.empty()) continue;
            if (item == "end") {
                png_end_ = true;
                continue;
            }
            char* end = nullptr;
            const unsigned long v = std::strtoul(item.c_str(), &end, 10);
            if (*end != '\0' || v == 0 || v > 0xFFFFFFFFUL) {
                fail("GFX_PNG_FRAMES wants frame numbers from 1 and 'end', separated by commas");
            }
            png_frames_.insert(static_cast<std::uint32_t>(v));
        }
        if (png_dir_.empty()) png_dir_.assign(1, '.');
    }

    void save(const std::string& name) {
        if (visual_ == nullptr) return;
        write_png(png_dir_ + "/" + name, *visual_, default_palette());
    }

    // The frame in progress ends: its picture, when it is one of those asked for.
    void end_frame() {
        if (frame_ == 0 || png_frames_.count(frame_) == 0) return;
        char name[32];
        std::snprintf(name, sizeof name, "frame_%05u.png", frame_);
        save(name);
    }

    // The frame in progress ends; the next one begins with the script's next line.
    void tick() {
        end_frame();
        if (line_ >= script_.frames.size()) {
            finish();
            std::exit(kScriptUsedUp);
        }
        const ScriptFrame& f = script_.frames[line_];
        in_.set_mouse(f.mouse);
        if (used_ == 0) {
            for (Key k : f.keys) in_.keys.push(k);
        }
        if (++used_ >= f.count) {
            used_ = 0;
            ++line_;
        }
        ++frame_;
        trace_op("frame", {static_cast<double>(frame_)});
    }

    // The window closes: the last frame ends with the run.
    void end_run() {
        if (ended_) return;
        end_frame();
        finish();
    }

    void finish() {
        if (png_end_ && !ended_) save("end.png");
        ended_ = true;
        trace_flush();
    }

    Input& in_;
    Script script_;
    std::size_t line_ = 0;     // script line of the next frame
    std::uint32_t used_ = 0;   // frames of that line already begun
    std::uint32_t frame_ = 0;  // number of the frame in progress (0 before the first)
    std::size_t next_seed_ = 0;
    std::uint32_t fixed_seed_ = 0;
    bool has_fixed_seed_ = false;
    FrameRule rule_;
    bool closed_ = false;
    bool ended_ = false;
    const Page* visual_ = nullptr;
    std::string png_dir_;
    std::set<std::uint32_t> png_frames_;
    bool png_end_ = false;
};

}  // namespace

std::unique_ptr<Backend> make_headless_backend(Input& in) {
    return std::make_unique<Headless>(in);
}

}  // namespace gfx
