// What the layer needs from the place it draws to: a window (SDL2) or nothing (headless).
// All calls come from the program thread.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "page.hpp"
#include "input.hpp"
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

// The SDL2 window backend; nullptr when SDL support is not built.
std::unique_ptr<Backend> make_window_backend(Input& in);
// The headless backend; reads its script and settings from the environment.
std::unique_ptr<Backend> make_headless_backend(Input& in);

}  // namespace gfx
