#include "sdl_keys.hpp"

#include <array>
#include <cstddef>

namespace gfx {
namespace {

// PC scan codes of the special keys.
constexpr Key kUp = 72;
constexpr Key kLeft = 75;
constexpr Key kRight = 77;
constexpr Key kDown = 80;
constexpr Key kHome = 71;
constexpr Key kEnd = 79;
constexpr Key kPageUp = 73;
constexpr Key kPageDown = 81;
constexpr Key kInsert = 82;
constexpr Key kDelete = 83;
constexpr Key kF1 = 59;  // F1 ... F10 are 59 ... 68
constexpr Key kF11 = 133;
constexpr Key kF12 = 134;

// PC scan codes of the letter keys, 'a' first: what Alt+letter sends after its 0.
constexpr std::array<Key, 26> kLetterScanCodes = {
    30, 48, 46, 32, 18, 33, 34, 35, 23, 36, 37, 38, 50,  // a ... m
    49, 24, 25, 16, 19, 31, 20, 22, 47, 17, 45, 21, 44,  // n ... z
};

constexpr KeyPress special(Key code) {
    return {KeyKind::special, code, true};
}
constexpr KeyPress byte(Key code) {
    return {KeyKind::byte, code, true};
}

KeyPress navigation_key(SDL_Keycode key) {
    switch (key) {
        case SDLK_UP:
            return special(kUp);
        case SDLK_LEFT:
            return special(kLeft);
        case SDLK_RIGHT:
            return special(kRight);
        case SDLK_DOWN:
            return special(kDown);
        case SDLK_HOME:
            return special(kHome);
        case SDLK_END:
            return special(kEnd);
        case SDLK_PAGEUP:
            return special(kPageUp);
        case SDLK_PAGEDOWN:
            return special(kPageDown);
        case SDLK_INSERT:
            return special(kInsert);
        case SDLK_DELETE:
            return special(kDelete);
        case SDLK_F11:
            return special(kF11);
        case SDLK_F12:
            return special(kF12);
        default:
            break;
    }
    if (key >= SDLK_F1 && key <= SDLK_F10) return special(static_cast<Key>(kF1 + (key - SDLK_F1)));
    return {};
}

// With Num Lock off the keypad digits are the navigation keys, as on a PC; with it on they type
// their digit as text.
KeyPress keypad_navigation(SDL_Scancode scancode) {
    switch (scancode) {
        case SDL_SCANCODE_KP_7:
            return special(kHome);
        case SDL_SCANCODE_KP_8:
            return special(kUp);
        case SDL_SCANCODE_KP_9:
            return special(kPageUp);
        case SDL_SCANCODE_KP_4:
            return special(kLeft);
        case SDL_SCANCODE_KP_6:
            return special(kRight);
        case SDL_SCANCODE_KP_1:
            return special(kEnd);
        case SDL_SCANCODE_KP_2:
            return special(kDown);
        case SDL_SCANCODE_KP_3:
            return special(kPageDown);
        case SDL_SCANCODE_KP_0:
            return special(kInsert);
        case SDL_SCANCODE_KP_PERIOD:
            return special(kDelete);
        default:
            return {};
    }
}

void push(Input& in, KeyPress k) {
    if (k.kind == KeyKind::byte) in.keys.push(k.code);
    if (k.kind == KeyKind::special) in.keys.push_special(k.code);
}

std::uint16_t modifier_bits(std::uint16_t sdl_mod) {
    std::uint16_t bits = 0;
    if ((sdl_mod & KMOD_SHIFT) != 0) bits |= kShift;
    if ((sdl_mod & KMOD_CTRL) != 0) bits |= kCtrl;
    return bits;
}

std::uint16_t button_bit(std::uint8_t sdl_button) {
    switch (sdl_button) {
        case SDL_BUTTON_LEFT:
            return kLeftButton;
        case SDL_BUTTON_RIGHT:
            return kRightButton;
        case SDL_BUTTON_MIDDLE:
            return kMiddleButton;
        default:
            return 0;  // the side buttons have no bit
    }
}

std::uint16_t buttons_of(std::uint32_t sdl_state) {
    std::uint16_t bits = 0;
    if ((sdl_state & SDL_BUTTON_LMASK) != 0) bits |= kLeftButton;
    if ((sdl_state & SDL_BUTTON_RMASK) != 0) bits |= kRightButton;
    if ((sdl_state & SDL_BUTTON_MMASK) != 0) bits |= kMiddleButton;
    return bits;
}

// Outside the client area (a drag under mouse capture) coordinates keep their low 16 bits:
// conversion to an unsigned type is modular, so -3 becomes 65533.
void set_mouse(Input& in, std::int32_t x, std::int32_t y, const EventState& state) {
    in.set_mouse({static_cast<std::uint16_t>(x), static_cast<std::uint16_t>(y),
                  static_cast<std::uint16_t>(state.buttons | state.modifiers)});
}

void queue_close(Input& in) {
    in.keys.push_special(kCloseCode);
}

}  // namespace

KeyPress translate_key(SDL_Keycode key, SDL_Scancode scancode, std::uint16_t mod) {
    const bool alt = (mod & KMOD_ALT) != 0;
    const bool ctrl = (mod & KMOD_CTRL) != 0;

    // Alt+F4 asks the window to close; like the close box it only queues the request.
    if (alt && key == SDLK_F4) return special(kCloseCode);
    if (const KeyPress k = navigation_key(key); k.kind != KeyKind::none) return k;
    if ((mod & KMOD_NUM) == 0) {
        if (const KeyPress k = keypad_navigation(scancode); k.kind != KeyKind::none) return k;
    }
    switch (key) {
        case SDLK_RETURN:
        case SDLK_RETURN2:
        case SDLK_KP_ENTER:
            return byte(kEnter);
        case SDLK_ESCAPE:
            return byte(kEsc);
        case SDLK_BACKSPACE:
            return byte(kBackspace);
        case SDLK_TAB:
            return byte(kTab);
        default:
            break;
    }
    // Letters by the layout's meaning (the keycode), so Alt+D is the D key on any layout.
    if (key >= SDLK_a && key <= SDLK_z) {
        const auto letter = static_cast<std::size_t>(key - SDLK_a);
        if (alt) return special(kLetterScanCodes[letter]);
        if (ctrl) return byte(static_cast<Key>(letter + 1));
    }
    // Any other key with Alt held is a combination, not text.
    return {KeyKind::none, 0, alt};
}

std::string text_bytes(std::string_view utf8) {
    std::string out;
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        std::size_t length = 1;
        std::uint32_t cp = lead;
        if (lead >= 0x80) {
            if ((lead & 0xE0) == 0xC0) {
                length = 2;
                cp = lead & 0x1Fu;
            } else if ((lead & 0xF0) == 0xE0) {
                length = 3;
                cp = lead & 0x0Fu;
            } else if ((lead & 0xF8) == 0xF0) {
                length = 4;
                cp = lead & 0x07u;
            } else {
                ++i;  // a stray continuation byte or an invalid lead
                continue;
            }
            if (i + length > utf8.size()) break;  // cut off at the end
            bool valid = true;
            for (std::size_t j = 1; j < length; ++j) {
                const auto next = static_cast<unsigned char>(utf8[i + j]);
                if ((next & 0xC0) != 0x80) valid = false;
                cp = (cp << 6) | (next & 0x3Fu);
            }
            if (!valid) {
                ++i;
                continue;
            }
        }
        i += length;
        const bool printable_ascii = cp >= 0x20 && cp < 0x7F;
        const bool printable_latin1 = cp >= 0xA0 && cp <= 0xFF;
        // An overlong form of an ASCII character (C1 81 for 'A') is not that character.
        if ((printable_ascii && length == 1) || (printable_latin1 && length == 2)) {
            out.push_back(static_cast<char>(static_cast<unsigned char>(cp)));
        }
    }
    return out;
}

bool handle_event(const SDL_Event& e, Input& in, EventState& state) {
    const bool after_close = state.close_queued;
    state.close_queued = false;
    switch (e.type) {
        case SDL_KEYDOWN: {
            state.modifiers = modifier_bits(e.key.keysym.mod);
            const KeyPress k =
                translate_key(e.key.keysym.sym, e.key.keysym.scancode, e.key.keysym.mod);
            state.swallow_text = k.swallow_text;
            push(in, k);
            return k.kind != KeyKind::none;
        }
        case SDL_KEYUP:
            state.modifiers = modifier_bits(e.key.keysym.mod);
            state.swallow_text = false;
            return false;
        case SDL_TEXTINPUT: {
            if (state.swallow_text) {
                state.swallow_text = false;
                return false;
            }
            const std::string bytes = text_bytes(e.text.text);
            for (const char c : bytes) in.keys.push(static_cast<Key>(c));
            return !bytes.empty();
        }
        case SDL_MOUSEMOTION:
            state.buttons = buttons_of(e.motion.state);
            set_mouse(in, e.motion.x, e.motion.y, state);
            return true;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            const std::uint16_t bit = button_bit(e.button.button);
            if (e.button.state == SDL_PRESSED) {
                state.buttons = static_cast<std::uint16_t>(state.buttons | bit);
            } else {
                state.buttons = static_cast<std::uint16_t>(state.buttons & ~bit);
            }
            set_mouse(in, e.button.x, e.button.y, state);
            return true;
        }
        case SDL_WINDOWEVENT:
            if (e.window.event != SDL_WINDOWEVENT_CLOSE) return false;
            queue_close(in);
            state.close_queued = true;
            return true;
        case SDL_QUIT:
            // Closing the last window sends a close event and then SDL_QUIT: one request.
            if (after_close) return false;
            queue_close(in);
            return true;
        default:
            return false;
    }
}

}  // namespace gfx
