// Text: FreeType renders the glyphs of the faces fontconfig finds, without anti-aliasing.
#pragma once

#include <string>
#include <string_view>

#include "page.hpp"

namespace gfx {

struct TextSettings {
    int font = 0;        // 0 Courier New, 1 MS Sans Serif, 2 Times New Roman, 3 Arial
    int direction = 0;   // degrees
    int size = 16;       // below 6: size x 8 pixels high; otherwise pixels
    int horizontal = 0;  // 0 left, 1 centre, 2 right
    int vertical = 0;    // 0 top, 1 bottom, 2 baseline
};

// The height in pixels that a text style asks for.
int text_height(const TextSettings& s);
// Width in pixels of the text as it would be drawn (its advance).
int text_width(const TextSettings& s, std::string_view text);

// Draws the text (bytes read as Latin-1) with its justification point at (x, y).
void draw_text(Page& page, int x, int y, std::string_view text, const TextSettings& s,
               std::uint8_t colour);

// The family name of the face actually loaded for a font number ("" when none could be).
std::string loaded_family(int font);

}  // namespace gfx
