// Which face stands for each font number, and where fontconfig finds its file.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace gfx {

// The Liberation faces share the metrics of the faces the font numbers name, so text takes the
// room the programs expect. One slot per distinct face.
constexpr std::array<std::string_view, 3> kFaceFamilies{"Liberation Mono", "Liberation Sans",
                                                        "Liberation Serif"};

// Font 0 Courier New, 1 MS Sans Serif, 2 Times New Roman, 3 Arial: their face slots.
constexpr std::array<int, 4> kFontFaces{0, 1, 2, 1};

// The face slot of a font number; a number outside 0 ... 3 gets the default font 0.
constexpr int face_of_font(int font) {
    return font >= 0 && font < static_cast<int>(kFontFaces.size())
               ? kFontFaces[static_cast<std::size_t>(font)]
               : kFontFaces[0];
}

struct FontLookup {
    std::string path;     // the face's file; empty when fontconfig has no face of the family
    int index = 0;        // the face's index inside the file
    std::string offered;  // the family fontconfig matched instead ("" when it matched nothing)
};

// fontconfig's best match for the family, accepted only when it is that family: fontconfig
// always offers some face, and a substitute would not have the metrics the text relies on.
FontLookup find_font(std::string_view family);

}  // namespace gfx
