// Key translation and the event handler of the window backend, fed with made-up SDL events.
#include "sdl_keys.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace gfx {
namespace {

struct KeyCase {
    const char* name;
    SDL_Keycode key;
    SDL_Scancode scancode;
    std::uint16_t mod;
    KeyKind kind;
    Key code;
};

constexpr std::uint16_t kNone = KMOD_NONE;

TEST(TranslateKey, MapsKeysToBytesAndScanCodes) {
    const std::vector<KeyCase> cases = {
        {"enter", SDLK_RETURN, SDL_SCANCODE_RETURN, kNone, KeyKind::byte, 13},
        {"keypad enter", SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, kNone, KeyKind::byte, 13},
        {"esc", SDLK_ESCAPE, SDL_SCANCODE_ESCAPE, kNone, KeyKind::byte, 27},
        {"backspace", SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE, kNone, KeyKind::byte, 8},
        {"tab", SDLK_TAB, SDL_SCANCODE_TAB, kNone, KeyKind::byte, 9},
        {"shift tab", SDLK_TAB, SDL_SCANCODE_TAB, KMOD_LSHIFT, KeyKind::byte, 9},
        {"up", SDLK_UP, SDL_SCANCODE_UP, kNone, KeyKind::special, 72},
        {"left", SDLK_LEFT, SDL_SCANCODE_LEFT, kNone, KeyKind::special, 75},
        {"right", SDLK_RIGHT, SDL_SCANCODE_RIGHT, kNone, KeyKind::special, 77},
        {"down", SDLK_DOWN, SDL_SCANCODE_DOWN, kNone, KeyKind::special, 80},
        {"home", SDLK_HOME, SDL_SCANCODE_HOME, kNone, KeyKind::special, 71},
        {"end", SDLK_END, SDL_SCANCODE_END, kNone, KeyKind::special, 79},
        {"page up", SDLK_PAGEUP, SDL_SCANCODE_PAGEUP, kNone, KeyKind::special, 73},
        {"page down", SDLK_PAGEDOWN, SDL_SCANCODE_PAGEDOWN, kNone, KeyKind::special, 81},
        {"insert", SDLK_INSERT, SDL_SCANCODE_INSERT, kNone, KeyKind::special, 82},
        {"delete", SDLK_DELETE, SDL_SCANCODE_DELETE, kNone, KeyKind::special, 83},
        {"F1", SDLK_F1, SDL_SCANCODE_F1, kNone, KeyKind::special, 59},
        {"F4", SDLK_F4, SDL_SCANCODE_F4, kNone, KeyKind::special, 62},
        {"F10", SDLK_F10, SDL_SCANCODE_F10, kNone, KeyKind::special, 68},
        {"F11", SDLK_F11, SDL_SCANCODE_F11, kNone, KeyKind::special, 133},
        {"F12", SDLK_F12, SDL_SCANCODE_F12, kNone, KeyKind::special, 134},
        {"shift F1 keeps its code", SDLK_F1, SDL_SCANCODE_F1, KMOD_LSHIFT, KeyKind::special, 59},
        {"alt F4 is the close request", SDLK_F4, SDL_SCANCODE_F4, KMOD_LALT, KeyKind::special, 107},
        {"right alt F4 too", SDLK_F4, SDL_SCANCODE_F4, KMOD_RALT, KeyKind::special, 107},
        {"ctrl a", SDLK_a, SDL_SCANCODE_A, KMOD_LCTRL, KeyKind::byte, 1},
        {"ctrl shift z", SDLK_z, SDL_SCANCODE_Z, KMOD_RCTRL | KMOD_LSHIFT, KeyKind::byte, 26},
        {"alt q", SDLK_q, SDL_SCANCODE_Q, KMOD_LALT, KeyKind::special, 16},
        {"alt p", SDLK_p, SDL_SCANCODE_P, KMOD_LALT, KeyKind::special, 25},
        {"alt a", SDLK_a, SDL_SCANCODE_A, KMOD_LALT, KeyKind::special, 30},
        {"alt d", SDLK_d, SDL_SCANCODE_D, KMOD_LALT, KeyKind::special, 32},
        {"alt l", SDLK_l, SDL_SCANCODE_L, KMOD_RALT, KeyKind::special, 38},
        {"alt z", SDLK_z, SDL_SCANCODE_Z, KMOD_LALT, KeyKind::special, 44},
        {"alt m", SDLK_m, SDL_SCANCODE_M, KMOD_LALT, KeyKind::special, 50},
        {"alt wins over ctrl", SDLK_d, SDL_SCANCODE_D, KMOD_LALT | KMOD_LCTRL, KeyKind::special,
         32},
        // A letter on another layout: the keycode says which letter it is.
        {"azerty a", SDLK_a, SDL_SCANCODE_Q, KMOD_LALT, KeyKind::special, 30},
        {"keypad 8 without num lock", SDLK_KP_8, SDL_SCANCODE_KP_8, kNone, KeyKind::special, 72},
        {"keypad 1 without num lock", SDLK_KP_1, SDL_SCANCODE_KP_1, kNone, KeyKind::special, 79},
        {"keypad . without num lock", SDLK_KP_PERIOD, SDL_SCANCODE_KP_PERIOD, kNone,
         KeyKind::special, 83},
        {"keypad 8 with num lock types", SDLK_KP_8, SDL_SCANCODE_KP_8, KMOD_NUM, KeyKind::none, 0},
        {"plain letter types", SDLK_a, SDL_SCANCODE_A, kNone, KeyKind::none, 0},
        {"shifted letter types", SDLK_a, SDL_SCANCODE_A, KMOD_LSHIFT, KeyKind::none, 0},
        {"space types", SDLK_SPACE, SDL_SCANCODE_SPACE, kNone, KeyKind::none, 0},
        {"alt digit gives nothing", SDLK_1, SDL_SCANCODE_1, KMOD_LALT, KeyKind::none, 0},
        {"a modifier alone", SDLK_LSHIFT, SDL_SCANCODE_LSHIFT, KMOD_LSHIFT, KeyKind::none, 0},
    };
    for (const KeyCase& c : cases) {
        const KeyPress k = translate_key(c.key, c.scancode, c.mod);
        EXPECT_EQ(k.kind, c.kind) << c.name;
        EXPECT_EQ(k.code, c.code) << c.name;
        // Whatever the press queued must not be typed again by the text event after it.
        if (k.kind != KeyKind::none) {
            EXPECT_TRUE(k.swallow_text) << c.name;
        }
    }
}

TEST(TranslateKey, OnlyAltCombinationsSwallowTheirText) {
    EXPECT_FALSE(translate_key(SDLK_a, SDL_SCANCODE_A, KMOD_LSHIFT).swallow_text);
    EXPECT_FALSE(translate_key(SDLK_SPACE, SDL_SCANCODE_SPACE, kNone).swallow_text);
    EXPECT_TRUE(translate_key(SDLK_1, SDL_SCANCODE_1, KMOD_LALT).swallow_text);
}

TEST(TextBytes, KeepsAsciiAndLatin1Only) {
    struct Case {
        const char* name;
        std::string utf8;
        std::string bytes;
    };
    const std::vector<Case> cases = {
        {"ascii", "a", "a"},
        {"several", "Ab 1", "Ab 1"},
        {"e acute", "\xC3\xA9", "\xE9"},
        {"y diaeresis, the last latin-1", "\xC3\xBF", "\xFF"},
        {"no-break space", "\xC2\xA0", "\xA0"},
        {"euro sign is beyond latin-1", "\xE2\x82\xAC", ""},
        {"emoji", "\xF0\x9F\x98\x80", ""},
        {"mixed", "x\xE2\x82\xAC\xC3\xA9y", "x\xE9y"},
        {"control characters come from key presses", "\r\t\x1B\x7F", ""},
        {"C1 controls", "\xC2\x85", ""},
        {"stray continuation byte", "\x80z", "z"},
        {"overlong A", "\xC1\x81", ""},
        {"cut off sequence", "q\xC3", "q"},
        {"bad continuation", "\xC3(", "("},
    };
    for (const Case& c : cases) EXPECT_EQ(text_bytes(c.utf8), c.bytes) << c.name;
}

// Feeds events to one handler and reads back what reached the input.
struct Events {
    Input in;
    EventState state;

    bool key(SDL_EventType type, SDL_Keycode sym, SDL_Scancode scancode, std::uint16_t mod) {
        SDL_Event e{};
        e.type = type;
        e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        e.key.keysym.sym = sym;
        e.key.keysym.scancode = scancode;
        e.key.keysym.mod = mod;
        return handle_event(e, in, state);
    }
    bool text(const char* utf8) {
        SDL_Event e{};
        e.type = SDL_TEXTINPUT;
        SDL_strlcpy(e.text.text, utf8, sizeof e.text.text);
        return handle_event(e, in, state);
    }
    bool button(bool down, std::uint8_t which, int x, int y) {
        SDL_Event e{};
        e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
        e.button.button = which;
        e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
        e.button.x = x;
        e.button.y = y;
        return handle_event(e, in, state);
    }
    bool motion(int x, int y, std::uint32_t buttons) {
        SDL_Event e{};
        e.type = SDL_MOUSEMOTION;
        e.motion.x = x;
        e.motion.y = y;
        e.motion.state = buttons;
        return handle_event(e, in, state);
    }
    bool plain(std::uint32_t type, std::uint8_t window_event = 0) {
        SDL_Event e{};
        e.type = type;
        e.window.event = window_event;
        return handle_event(e, in, state);
    }
    std::vector<int> keys() {
        std::vector<int> out;
        while (const auto k = in.keys.pop()) out.push_back(*k);
        return out;
    }
    // "x y mask", as the program would read them.
    std::string mouse() const {
        return std::to_string(in.mouse_x.load()) + " " + std::to_string(in.mouse_y.load()) + " " +
               std::to_string(in.mask.load());
    }
};

TEST(HandleEvent, TypedTextAndPressesQueueEachByteOnce) {
    Events ev;
    ev.key(SDL_KEYDOWN, SDLK_a, SDL_SCANCODE_A, kNone);
    ev.text("a");
    ev.key(SDL_KEYUP, SDLK_a, SDL_SCANCODE_A, kNone);
    ev.key(SDL_KEYDOWN, SDLK_RETURN, SDL_SCANCODE_RETURN, kNone);
    ev.key(SDL_KEYUP, SDLK_RETURN, SDL_SCANCODE_RETURN, kNone);
    ev.key(SDL_KEYDOWN, SDLK_F1, SDL_SCANCODE_F1, kNone);
    ev.key(SDL_KEYDOWN, SDLK_LALT, SDL_SCANCODE_LALT, KMOD_LALT);
    ev.key(SDL_KEYDOWN, SDLK_d, SDL_SCANCODE_D, KMOD_LALT);
    ev.text("d");  // what X sends after Alt+d: not typed
    ev.key(SDL_KEYUP, SDLK_d, SDL_SCANCODE_D, KMOD_LALT);
    ev.key(SDL_KEYUP, SDLK_LALT, SDL_SCANCODE_LALT, kNone);
    ev.text("\xC3\xA9");  // composed text without a press of its own
    EXPECT_EQ(ev.keys(), (std::vector<int>{97, 13, 0, 59, 0, 32, 0xE9}));
}

TEST(HandleEvent, SpecialKeyEntersTheFullRingWithItsPrefix) {
    Events ev;
    for (int i = 0; i < 30; ++i) ev.text("x");
    ev.key(SDL_KEYDOWN, SDLK_UP, SDL_SCANCODE_UP, kNone);
    const std::vector<int> keys = ev.keys();
    ASSERT_GE(keys.size(), 2u);
    EXPECT_EQ(keys[keys.size() - 2], 0);
    EXPECT_EQ(keys.back(), 72);
}

TEST(HandleEvent, CloseBoxQueuesOneRequestAndLeavesTheWindow) {
    Events ev;
    // Closing the only window: SDL sends the window's close event, then SDL_QUIT.
    EXPECT_TRUE(ev.plain(SDL_WINDOWEVENT, SDL_WINDOWEVENT_CLOSE));
    EXPECT_FALSE(ev.plain(SDL_QUIT));
    EXPECT_EQ(ev.keys(), (std::vector<int>{0, 107}));
    // SDL_QUIT on its own is a request too, and a second close is a second request.
    EXPECT_TRUE(ev.plain(SDL_QUIT));
    EXPECT_TRUE(ev.plain(SDL_WINDOWEVENT, SDL_WINDOWEVENT_CLOSE));
    EXPECT_EQ(ev.keys(), (std::vector<int>{0, 107, 0, 107}));
    // Other window events queue nothing.
    EXPECT_FALSE(ev.plain(SDL_WINDOWEVENT, SDL_WINDOWEVENT_EXPOSED));
    EXPECT_TRUE(ev.keys().empty());
}

// Mask bits: 1 left, 2 right, 4 middle, 8 Shift, 16 Ctrl.
TEST(HandleEvent, MouseStateFollowsButtonsAndHeldModifiers) {
    Events ev;
    ev.motion(10, 20, 0);
    EXPECT_EQ(ev.mouse(), "10 20 0");
    ev.button(true, SDL_BUTTON_LEFT, 11, 21);
    EXPECT_EQ(ev.mouse(), "11 21 1");
    ev.button(true, SDL_BUTTON_RIGHT, 11, 21);
    EXPECT_EQ(ev.mouse(), "11 21 3");
    ev.button(false, SDL_BUTTON_LEFT, 12, 22);
    EXPECT_EQ(ev.mouse(), "12 22 2");
    ev.button(true, SDL_BUTTON_MIDDLE, 12, 22);
    EXPECT_EQ(ev.mouse(), "12 22 6");
    ev.motion(13, 23, SDL_BUTTON_MMASK);  // motion carries the whole button state
    EXPECT_EQ(ev.mouse(), "13 23 4");
    ev.button(false, SDL_BUTTON_MIDDLE, 13, 23);

    ev.key(SDL_KEYDOWN, SDLK_LSHIFT, SDL_SCANCODE_LSHIFT, KMOD_LSHIFT);
    ev.button(true, SDL_BUTTON_LEFT, 30, 40);
    EXPECT_EQ(ev.mouse(), "30 40 9");
    ev.key(SDL_KEYDOWN, SDLK_RCTRL, SDL_SCANCODE_RCTRL, KMOD_LSHIFT | KMOD_RCTRL);
    ev.motion(31, 41, SDL_BUTTON_LMASK);
    EXPECT_EQ(ev.mouse(), "31 41 25");
    ev.key(SDL_KEYUP, SDLK_LSHIFT, SDL_SCANCODE_LSHIFT, KMOD_RCTRL);
    ev.motion(32, 42, SDL_BUTTON_LMASK);
    EXPECT_EQ(ev.mouse(), "32 42 17");
    // Alt and the locks are no bits of the mask.
    ev.key(SDL_KEYUP, SDLK_RCTRL, SDL_SCANCODE_RCTRL, KMOD_NUM | KMOD_CAPS | KMOD_LALT);
    ev.motion(33, 43, 0);
    EXPECT_EQ(ev.mouse(), "33 43 0");
    // A side button is a mouse message without a bit.
    EXPECT_TRUE(ev.button(true, SDL_BUTTON_X1, 34, 44));
    EXPECT_EQ(ev.mouse(), "34 44 0");
}

TEST(HandleEvent, DragPastTheEdgeKeepsTheLow16Bits) {
    Events ev;
    ev.button(true, SDL_BUTTON_LEFT, 5, 5);
    ev.motion(-3, 600, SDL_BUTTON_LMASK);
    EXPECT_EQ(ev.mouse(), "65533 600 1");
    ev.motion(-32768, 70000, SDL_BUTTON_LMASK);
    EXPECT_EQ(ev.mouse(), "32768 4464 1");
    ev.button(false, SDL_BUTTON_LEFT, -1, -1);
    EXPECT_EQ(ev.mouse(), "65535 65535 0");
}

TEST(HandleEvent, ReportsWhetherTheInputChanged) {
    Events ev;
    EXPECT_FALSE(ev.key(SDL_KEYDOWN, SDLK_a, SDL_SCANCODE_A, kNone));
    EXPECT_TRUE(ev.text("a"));
    EXPECT_FALSE(ev.key(SDL_KEYUP, SDLK_a, SDL_SCANCODE_A, kNone));
    EXPECT_TRUE(ev.key(SDL_KEYDOWN, SDLK_ESCAPE, SDL_SCANCODE_ESCAPE, kNone));
    EXPECT_TRUE(ev.motion(1, 1, 0));
    EXPECT_FALSE(ev.plain(SDL_MOUSEWHEEL));
}

}  // namespace
}  // namespace gfx
