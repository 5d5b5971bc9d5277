// What the layer needs from the place it draws to: a window (SDL2) or nothing (headless).
// All calls come from the program thread.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "input.hpp"
#include "page.hpp"
#include "palette.hpp"

namespace gfx {

class Backend {
  public:
    virtual ~Backend() = default;

    // Creates the window; false when it cannot (the cause is reported by the backend).
    virtual bool open(std::string_view caption) = 0;
    virtual void close() = 0;

    // The visual page changed: shown anew. `flip` is true when set_visual_page asked for it;
    // a window then waits for the display's refresh, as page flipping does.
    virtual void show(const Page& visual, bool flip) = 0;

    // The program is about to read the mouse x (the first read of a frame's mouse sample).
    virtual void before_mouse_read() = 0;
    // The program found the key queue empty. `blocking` is true inside read_key, which
    // calls this again until a byte is waiting.
    virtual void key_queue_empty(bool blocking) = 0;

    // The seed for seed_random.
    virtual std::uint32_t clock_seed() = 0;
};

// When a new frame of input begins: at every read of the mouse x, and at every wait for a key
// with the queue empty (a blocking read, or the second poll in a row without a mouse read).
// The headless backend takes the script's next line there; a recording writes one.
struct FrameRule {
    bool waiting = false;
    bool on_mouse_read() {
        waiting = false;
        return true;
    }
    bool on_key_queue_empty(bool blocking) {
        if (blocking || waiting) {
            waiting = false;
            return true;
        }
        waiting = true;
        return false;
    }
};

// The SDL2 window backend.
std::unique_ptr<Backend> make_window_backend(Input& in);
// The window backend, recording what the program receives when GFX_RECORD names a file.
std::unique_ptr<Backend> make_live_backend(Input& in);
// The headless backend; reads its script and settings from the environment.
std::unique_ptr<Backend> make_headless_backend(Input& in);

}  // namespace gfx
