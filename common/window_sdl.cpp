// The SDL2 window backend. The window, its event loop and all SDL calls live on a thread of
// their own; the program thread shares with it only the Input (atomics, the key ring's mutex)
// and the frame buffer below, under its mutex.
#include <SDL.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "backend.hpp"
#include "sdl_keys.hpp"

namespace gfx {
namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr auto kFlipTimeout = 100ms;  // a flip never waits longer, whatever the window does
constexpr auto kPollIdle = 2ms;       // a polling loop that showed nothing new waits this long
constexpr auto kBlockingIdle = 10ms;  // the blocking key read polls at this rate
constexpr int kActiveWaitMs = 1;      // the window thread's wait for the next frame ...
constexpr int kIdleWaitMs = 10;       // ... and when none came for kActiveSpan
constexpr auto kActiveSpan = 200ms;
constexpr double kClockRate = 60.0;     // frames per second without vertical sync
constexpr double kVsyncGuard = 0.75;    // with vsync, presents at most this close together
constexpr int kVsyncProbePresents = 6;  // presents timed to see whether vsync really waits

enum class Status { closed, starting, running, failed };

// What the two threads share; every field is read and written under `mutex`.
struct Shared {
    std::mutex mutex;
    std::condition_variable changed;  // a status change, a flip or new input
    Status status = Status::closed;
    bool quit = false;
    Page frame{};                    // the newest published visual page
    std::uint64_t published = 0;     // sequence number of `frame`
    std::uint64_t flipped = 0;       // the newest sequence number taken for the screen
    std::uint64_t input_events = 0;  // counts events that changed the Input
};

// The program's own path as it was started (the kernel's short name stops at 15 characters).
std::string program_name() {
    std::ifstream cmdline("/proc/self/cmdline", std::ios::binary);
    std::string name;
    if (cmdline && std::getline(cmdline, name, '\0') && !name.empty()) return name;
    return "<program>";
}

// One line on stderr naming the cause and the fix.
void report_no_window() {
    std::fprintf(stderr,
                 "gfx: cannot open the window: %s; no display? run it under Xvfb: xvfb-run -a %s\n",
                 SDL_GetError(), program_name().c_str());
}

void report_no_drawing() {
    std::fprintf(stderr,
                 "gfx: cannot draw in the window: %s; check the display's graphics driver, or run "
                 "it under Xvfb: xvfb-run -a %s\n",
                 SDL_GetError(), program_name().c_str());
}

struct Window {
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    bool vsync = false;
    Clock::duration min_interval{};  // between two presents
};

void destroy(Window& w) {
    if (w.texture != nullptr) SDL_DestroyTexture(w.texture);
    if (w.renderer != nullptr) SDL_DestroyRenderer(w.renderer);
    if (w.window != nullptr) SDL_DestroyWindow(w.window);
    w = {};
}

Clock::duration period_of(double rate) {
    return std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(1.0 / rate));
}

void present(const Window& w) {
    SDL_RenderClear(w.renderer);
    SDL_RenderCopy(w.renderer, w.texture, nullptr, nullptr);
    SDL_RenderPresent(w.renderer);
}

// A renderer may report vsync and still return from a present at once: time a few presents
// before trusting it.
bool vsync_really_waits(const Window& w, Clock::duration refresh) {
    present(w);
    const auto start = Clock::now();
    for (int i = 1; i < kVsyncProbePresents; ++i) present(w);
    return Clock::now() - start >= (kVsyncProbePresents - 1) * refresh / 2;
}

double display_rate(SDL_Window* window) {
    SDL_DisplayMode mode{};
    if (SDL_GetWindowDisplayMode(window, &mode) == 0 && mode.refresh_rate > 0) {
        return mode.refresh_rate;
    }
    return kClockRate;
}

// The palette as texture pixels, made once per window.
using PixelTable = std::array<std::uint32_t, 256>;

PixelTable pixel_table() {
    PixelTable t{};
    const Palette& p = default_palette();
    for (std::size_t i = 0; i < t.size(); ++i) {
        t[i] = 0xFF000000u | (std::uint32_t{p[i].r} << 16) | (std::uint32_t{p[i].g} << 8) |
               std::uint32_t{p[i].b};
    }
    return t;
}

void upload(const Window& w, const Page& page, const PixelTable& table) {
    void* pixels = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(w.texture, nullptr, &pixels, &pitch) != 0) return;
    std::array<std::uint32_t, kPageWidth> row{};
    for (int y = 0; y < kPageHeight; ++y) {
        const std::size_t start = static_cast<std::size_t>(y) * kPageWidth;
        for (std::size_t x = 0; x < row.size(); ++x) row[x] = table[page[start + x]];
        std::memcpy(static_cast<unsigned char*>(pixels) + static_cast<std::ptrdiff_t>(y) * pitch,
                    row.data(), sizeof row);
    }
    SDL_UnlockTexture(w.texture);
}

bool create(Window& w, const std::string& caption) {
    w.window = SDL_CreateWindow(caption.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                kPageWidth, kPageHeight, SDL_WINDOW_SHOWN);
    if (w.window == nullptr) {
        report_no_window();
        return false;
    }
    w.renderer =
        SDL_CreateRenderer(w.window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
    if (w.renderer == nullptr) w.renderer = SDL_CreateRenderer(w.window, -1, SDL_RENDERER_SOFTWARE);
    if (w.renderer == nullptr) {
        report_no_drawing();
        return false;
    }
    w.texture = SDL_CreateTexture(w.renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                                  kPageWidth, kPageHeight);
    if (w.texture == nullptr) {
        report_no_drawing();
        return false;
    }
    SDL_SetRenderDrawColor(w.renderer, 0, 0, 0, 255);
    SDL_RendererInfo info{};
    const bool asked_vsync = SDL_GetRendererInfo(w.renderer, &info) == 0 &&
                             (info.flags & SDL_RENDERER_PRESENTVSYNC) != 0;
    const Clock::duration refresh = period_of(display_rate(w.window));
    w.vsync = asked_vsync && vsync_really_waits(w, refresh);
    if (asked_vsync && !w.vsync) SDL_RenderSetVSync(w.renderer, 0);
    // With vsync the present itself waits; the guard only catches a vsync that stops waiting.
    w.min_interval = w.vsync ? std::chrono::duration_cast<Clock::duration>(refresh * kVsyncGuard)
                             : period_of(kClockRate);
    return true;
}

void set_status(Shared& sh, Status s) {
    {
        std::lock_guard lock(sh.mutex);
        sh.status = s;
    }
    sh.changed.notify_all();
}

// How long the window thread may sleep in the event wait (an input event ends it early): until
// the next present is due, briefly while frames are coming, longer when the program is idle.
int event_wait_ms(bool frame_waiting, Clock::time_point next_present,
                  Clock::time_point last_frame) {
    const auto now = Clock::now();
    if (now < next_present) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(next_present - now).count();
        return static_cast<int>(std::min<std::int64_t>(left, kIdleWaitMs));
    }
    if (frame_waiting) return 0;
    return now - last_frame < kActiveSpan ? kActiveWaitMs : kIdleWaitMs;
}

void run_window(Shared& sh, Input& in, const std::string& caption) {
    // Ctrl+C in the console ends the program, and a drag past the window's edge keeps reporting
    // the pointer: both are part of how the window behaves, so the environment cannot change them.
    SDL_SetHintWithPriority(SDL_HINT_NO_SIGNAL_HANDLERS, "1", SDL_HINT_OVERRIDE);
    SDL_SetHintWithPriority(SDL_HINT_MOUSE_AUTO_CAPTURE, "1", SDL_HINT_OVERRIDE);
    // Only drivers that make a window someone can see: without a display SDL would fall back
    // to an offscreen one and the program would run unseen. SDL_VIDEODRIVER still decides.
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    SDL_SetHint(SDL_HINT_VIDEODRIVER,
                wayland != nullptr && *wayland != '\0' ? "x11,wayland" : "x11");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        report_no_window();
        SDL_Quit();  // a failed start still holds what it set up
        set_status(sh, Status::failed);
        return;
    }
    Window w;
    if (!create(w, caption)) {
        destroy(w);
        SDL_Quit();
        set_status(sh, Status::failed);
        return;
    }
    SDL_StartTextInput();

    const PixelTable table = pixel_table();
    auto local = std::make_unique<Page>();  // the frame being converted, owned by this thread
    upload(w, *local, table);
    present(w);
    // What the window shows: a frame equal to it needs no conversion and no present, which is
    // most of an idle demo's work (a frame loop redraws the same picture at the display rate).
    auto onscreen = std::make_unique<Page>(*local);
    set_status(sh, Status::running);

    EventState events;
    std::uint64_t shown = 0;
    bool frame_waiting = false;  // a published frame is not taken yet
    Clock::time_point next_present = Clock::now();
    Clock::time_point last_frame = next_present;  // when the latest new frame went on screen
    for (;;) {
        bool expose = false;
        bool input_changed = false;
        SDL_Event e;
        if (SDL_WaitEventTimeout(&e, event_wait_ms(frame_waiting, next_present, last_frame)) != 0) {
            do {
                if (e.type == SDL_WINDOWEVENT && e.window.event == SDL_WINDOWEVENT_EXPOSED) {
                    expose = true;
                }
                input_changed = handle_event(e, in, events) || input_changed;
            } while (SDL_PollEvent(&e) != 0);
        }

        // The flip: at its time the newest frame is taken, and the program may draw on while
        // it is converted and presented.
        bool flip = false;
        {
            std::unique_lock lock(sh.mutex);
            if (input_changed) ++sh.input_events;
            if (sh.quit) break;
            frame_waiting = sh.published != shown;
            if (frame_waiting && Clock::now() >= next_present) {
                *local = sh.frame;
                shown = sh.published;
                sh.flipped = shown;
                frame_waiting = false;
                flip = true;
            }
        }
        if (input_changed || flip) sh.changed.notify_all();

        if (flip) {
            const auto start = Clock::now();
            const bool changed = !(*local == *onscreen);
            if (changed) {
                upload(w, *local, table);
                present(w);
                *onscreen = *local;
            }
            last_frame = Clock::now();
            // Clock pacing keeps a steady rate and restarts after a stall; with vsync the present
            // has waited for the display, and the guard counts from its end.
            next_present += w.min_interval;
            if (next_present < start) next_present = start + w.min_interval;
            if (w.vsync && changed) next_present = last_frame + w.min_interval;
        } else if (expose) {
            present(w);
        }
    }
    destroy(w);
    SDL_Quit();
}

class WindowBackend final : public Backend {
  public:
    explicit WindowBackend(Input& in) : in_(in) {}
    ~WindowBackend() override { close(); }

    bool open(std::string_view caption) override {
        {
            std::lock_guard lock(sh_.mutex);
            if (sh_.status == Status::running) return true;
            sh_.status = Status::starting;
            sh_.quit = false;
        }
        thread_ = std::thread(run_window, std::ref(sh_), std::ref(in_), std::string(caption));
        std::unique_lock lock(sh_.mutex);
        sh_.changed.wait(lock, [&] { return sh_.status != Status::starting; });
        if (sh_.status == Status::running) return true;
        lock.unlock();
        thread_.join();  // it has ended already
        return false;
    }

    void close() override {
        {
            std::lock_guard lock(sh_.mutex);
            sh_.quit = true;
        }
        if (thread_.joinable()) thread_.join();
        std::lock_guard lock(sh_.mutex);
        sh_.status = Status::closed;
    }

    void show(const Page& visual, bool flip) override {
        std::unique_lock lock(sh_.mutex);
        if (sh_.status != Status::running) return;
        sh_.frame = visual;
        const std::uint64_t seq = ++sh_.published;
        if (!flip) return;
        ++flips_;
        sh_.changed.wait_for(lock, kFlipTimeout,
                             [&] { return sh_.flipped >= seq || sh_.status != Status::running; });
    }

    void before_mouse_read() override {
        if (flips_ == flips_at_mouse_read_) wait_for_input(kPollIdle);
        flips_at_mouse_read_ = flips_;
    }

    void key_queue_empty(bool blocking) override {
        if (blocking) {
            wait_for_input(kBlockingIdle);
            return;
        }
        if (flips_ == flips_at_key_poll_) wait_for_input(kPollIdle);
        flips_at_key_poll_ = flips_;
    }

    std::uint32_t clock_seed() override {
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::system_clock::now().time_since_epoch());
        return static_cast<std::uint32_t>(static_cast<std::uint64_t>(ms.count()));
    }

  private:
    // Sleeps up to `limit`, less when the window thread records new input meanwhile.
    void wait_for_input(std::chrono::milliseconds limit) {
        std::unique_lock lock(sh_.mutex);
        const std::uint64_t seen = sh_.input_events;
        sh_.changed.wait_for(lock, limit, [&] { return sh_.input_events != seen; });
    }

    Input& in_;
    Shared sh_;
    std::thread thread_;
    // Program thread only: flips counted to tell a polling loop from a frame loop.
    std::uint64_t flips_ = 0;
    std::uint64_t flips_at_mouse_read_ = 0;
    std::uint64_t flips_at_key_poll_ = 0;
};

}  // namespace

std::unique_ptr<Backend> make_window_backend(Input& in) {
    return std::make_unique<WindowBackend>(in);
}

}  // namespace gfx
