// Types shared by the graphics layer and the ten programs.
#pragma once

#include <cstdint>

namespace gfx {

// A position in window pixels: origin top-left of the client area, y downwards.
struct Point {
    double x = 0.0;
    double y = 0.0;
};

// What a drawing operation really receives: a signed 16-bit pixel coordinate.
using ScreenCoord = std::int16_t;

struct Colour {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend constexpr bool operator==(Colour, Colour) = default;
};

// One byte of the window's key queue; a special key arrives as 0 and then its scan code.
using Key = std::uint8_t;

// The latest pointer position and button mask, each a 16-bit value.
struct MouseState {
    std::uint16_t x = 0;
    std::uint16_t y = 0;
    std::uint16_t mask = 0;
};

// Bits of the button mask.
constexpr std::uint16_t kLeftButton = 1;
constexpr std::uint16_t kRightButton = 2;
constexpr std::uint16_t kMiddleButton = 4;
constexpr std::uint16_t kShift = 8;
constexpr std::uint16_t kCtrl = 16;

// Key bytes.
constexpr Key kEnter = 13;
constexpr Key kEsc = 27;
constexpr Key kSpace = 32;
constexpr Key kBackspace = 8;
constexpr Key kTab = 9;
constexpr Key kCloseCode = 107;  // after a 0: the close box or Alt+F4

// The colours the programs name.
constexpr Colour kWhite{255, 255, 255};
constexpr Colour kBlack{0, 0, 0};
constexpr Colour kRed{255, 0, 0};
constexpr Colour kYellow{255, 255, 0};
constexpr Colour kLightRed{255, 128, 128};
constexpr Colour kLightGreen{144, 238, 144};
constexpr Colour kLightBlue{173, 216, 230};
constexpr Colour kLightCyan{224, 255, 255};
constexpr Colour kPink{255, 128, 255};
constexpr Colour kGrey{168, 168, 168};

}  // namespace gfx
