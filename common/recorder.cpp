// Recording a session in the window (GFX_RECORD=FILE): the window thread's input goes to a
// private Input, and the program sees it change only where a frame of input begins (the
// FrameRule), exactly as the headless backend feeds a script. Each frame is written as a
// script line, so replaying the file headless gives the program the same input at the same
// points: the same frames, the same pictures.
//
// The file is a headless script; comments carry the time of each line in milliseconds since
// the window opened ("# t=1234"), for tools that turn a recording into a video.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "backend.hpp"

namespace gfx {
namespace {

constexpr std::uint32_t kMaxRepeat = 10'000'000;  // the most a script line may repeat

class Recorder final : public Backend {
  public:
    Recorder(Input& program, std::FILE* out)
        : program_(program), out_(out), inner_(make_window_backend(window_)) {}

    ~Recorder() override { finish(); }

    bool open(std::string_view caption) override {
        start_ = std::chrono::steady_clock::now();
        std::fprintf(out_,
                     "# recorded session of \"%.*s\"; replay with GFX_BACKEND=headless "
                     "GFX_SCRIPT=<this file>\n",
                     static_cast<int>(caption.size()), caption.data());
        return inner_->open(caption);
    }

    void close() override {
        inner_->close();
        finish();
    }

    void show(const Page& visual, bool flip) override { inner_->show(visual, flip); }

    void before_mouse_read() override {
        inner_->before_mouse_read();
        if (rule_.on_mouse_read()) frame();
    }

    void key_queue_empty(bool blocking) override {
        inner_->key_queue_empty(blocking);
        if (rule_.on_key_queue_empty(blocking)) frame();
    }

    std::uint32_t clock_seed() override {
        const std::uint32_t seed = inner_->clock_seed();
        flush_run();
        std::fprintf(out_, "seed %u\n", seed);
        return seed;
    }

  private:
    // A frame begins: the window's latest input becomes the program's.
    void frame() {
        const MouseState m{window_.mouse_x.load(std::memory_order_relaxed),
                           window_.mouse_y.load(std::memory_order_relaxed),
                           window_.mask.load(std::memory_order_relaxed)};
        std::vector<Key> keys;
        while (const auto k = window_.keys.pop()) keys.push_back(*k);
        program_.set_mouse(m);
        for (Key k : keys) program_.keys.push(k);

        // Frames with the same mouse and no keys are written once, with a repeat count.
        const bool same =
            run_count_ > 0 && keys.empty() && m.x == run_.x && m.y == run_.y && m.mask == run_.mask;
        if (same && run_count_ < kMaxRepeat) {
            ++run_count_;
            return;
        }
        flush_run();
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                            std::chrono::steady_clock::now() - start_)
                            .count();
        if (keys.empty()) {
            run_ = m;
            run_count_ = 1;
            run_ms_ = ms;
            return;
        }
        std::string line =
            std::to_string(m.x) + ' ' + std::to_string(m.y) + ' ' + std::to_string(m.mask) + " :";
        for (Key k : keys) line += ' ' + std::to_string(k);
        std::fprintf(out_, "# t=%lld\n%s\n", static_cast<long long>(ms), line.c_str());
    }

    void flush_run() {
        if (run_count_ == 0) return;
        std::fprintf(out_, "# t=%lld\n%u %u %u", static_cast<long long>(run_ms_), unsigned{run_.x},
                     unsigned{run_.y}, unsigned{run_.mask});
        if (run_count_ > 1) std::fprintf(out_, " x%u", run_count_);
        std::fputc('\n', out_);
        run_count_ = 0;
    }

    void finish() {
        if (out_ == nullptr) return;
        flush_run();
        std::fclose(out_);
        out_ = nullptr;
    }

    Input& program_;
    Input window_;  // what the window thread writes
    std::FILE* out_;
    std::unique_ptr<Backend> inner_;
    FrameRule rule_;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
    MouseState run_;
    std::uint32_t run_count_ = 0;
    long long run_ms_ = 0;
};

}  // namespace

std::unique_ptr<Backend> make_live_backend(Input& in) {
    const char* path = std::getenv("GFX_RECORD");
    if (path == nullptr || *path == '\0') return make_window_backend(in);
    std::FILE* out = std::fopen(path, "w");
    if (out == nullptr) {
        std::fprintf(stderr, "gfx: cannot write the recording %s; check GFX_RECORD\n", path);
        return make_window_backend(in);
    }
    return std::make_unique<Recorder>(in, out);
}

}  // namespace gfx
