// The input script of the headless backend: what the program receives, frame by frame.
//
//   # a comment runs to the end of the line
//   seed 1234                 the value of the next seed_random (in order of the seed lines)
//   120 80 1                  one frame: mouse x, y and button mask
//   120 80 1 x3               the same for three frames
//   400 300 0 : 27            a frame whose start queues Esc
//   : 0 72                    mouse as in the frame before; queues the two bytes of Up
//   : 'a' 'b' ' '             characters in single quotes stand for their bytes
//
// Mouse values may be -32768 ... 65535 (negative ones keep their low 16 bits, as a window
// reports a pointer left of or above the client area). Keys of a repeated line are queued in
// its first frame only.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "types.hpp"

namespace gfx {

struct ScriptFrame {
    MouseState mouse;
    std::uint32_t count = 1;  // frames this line stands for
    std::vector<Key> keys;
};

struct Script {
    std::vector<ScriptFrame> frames;
    std::vector<std::uint32_t> seeds;
};

struct ScriptResult {
    Script script;
    std::string error;  // "" when the text is a valid script; else "line N: what is wrong"
};

ScriptResult parse_script(std::string_view text);

}  // namespace gfx
