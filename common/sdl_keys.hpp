// SDL events -> key bytes and mouse state. Pure functions over SDL's codes, so the tests feed
// them made-up events without a window. Only the window backend and its tests include this.
#pragma once

#include <SDL_events.h>
#include <SDL_keyboard.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "input.hpp"
#include "types.hpp"

namespace gfx {

enum class KeyKind { none, byte, special };

// What one key press puts into the queue: nothing, one byte, or 0 and a scan code.
struct KeyPress {
    KeyKind kind = KeyKind::none;
    Key code = 0;
    // The press was taken here (or is an Alt combination), so the text event SDL sends after
    // it must not type its character too.
    bool swallow_text = false;
};

// Printable characters are not produced here: they come as text (text_bytes), which knows the
// keyboard layout. `mod` is SDL's modifier state (SDL_Keymod bits) at the press.
KeyPress translate_key(SDL_Keycode key, SDL_Scancode scancode, std::uint16_t mod);

// The key bytes of a UTF-8 text event: ASCII as itself, code points 160 ... 255 as their Latin-1
// byte; control characters (sent by translate_key instead), other code points and malformed
// sequences give nothing.
std::string text_bytes(std::string_view utf8);

// What the event handler remembers between events.
struct EventState {
    std::uint16_t buttons = 0;    // kLeftButton | kRightButton | kMiddleButton held
    std::uint16_t modifiers = 0;  // kShift | kCtrl as of the latest key event
    bool swallow_text = false;
    bool close_queued = false;  // a window close event queued 0 107; SDL_QUIT follows it
};

// Applies one event to the shared input. True when it queued a key or set the mouse state.
bool handle_event(const SDL_Event& e, Input& in, EventState& state);

}  // namespace gfx
