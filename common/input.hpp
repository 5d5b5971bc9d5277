// Input shared between a backend (the window thread) and the program thread.
#pragma once

#include <atomic>
#include <cstdint>

#include "key_ring.hpp"
#include "types.hpp"

namespace gfx {

struct Input {
    KeyRing keys;
    std::atomic<std::uint16_t> mouse_x{0};
    std::atomic<std::uint16_t> mouse_y{0};
    std::atomic<std::uint16_t> mask{0};

    void set_mouse(MouseState m) {
        mouse_x.store(m.x, std::memory_order_relaxed);
        mouse_y.store(m.y, std::memory_order_relaxed);
        mask.store(m.mask, std::memory_order_relaxed);
    }
};

// The one input state of the process.
Input& input();

}  // namespace gfx
