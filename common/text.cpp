// Text drawn with FreeType: monochrome glyphs of the Liberation faces, set straight into the
// page (a palette page has no blending), cached per face, pixel height and byte.
#include "text.hpp"

#include <freetype/freetype.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "fonts.hpp"

namespace gfx {
namespace {

// Sizes 0 and below are read as size 1, the smallest.
constexpr int kSmallestSize = 1;
constexpr int kSmallSizeLimit = 6;  // below it, a size counts in units of 8 pixels
constexpr int kSmallSizeUnit = 8;
// No line is taller than the page: nothing more of it could show, and the cap bounds every
// glyph bitmap (and so the cache) whatever size a caller asks for.
constexpr int kLargestHeight = kPageHeight;
// Bytes of glyph bitmaps the cache may hold before it starts afresh: far more than the few
// sizes a program uses, far less than a sweep through every height would pile up.
constexpr std::size_t kCacheBudget = std::size_t{8} << 20;

constexpr int kByteCount = 256;

// C0, DEL and C1 have no glyph in Latin-1: they draw nothing and take no room.
constexpr bool is_control(unsigned char byte) {
    return byte < 0x20 || (byte >= 0x7f && byte < 0xa0);
}

struct Glyph {
    int left = 0;   // from the pen to the bitmap's first column
    int top = 0;    // from the baseline up to the top of the bitmap's first row
    int width = 0;  // columns
    int rows = 0;
    int pitch = 0;    // bytes per row of `bits`: one bit per pixel, the first column in the top bit
    int advance = 0;  // pixels from this pen position to the next
    std::vector<std::uint8_t> bits;
};

// The glyphs of one face at one height, rendered on first use.
struct GlyphSet {
    int ascent = 0;  // rows of the cell above the baseline; the other height - ascent are below
    std::array<Glyph, kByteCount> glyphs;
    std::array<bool, kByteCount> rendered{};
};

struct FaceDone {
    void operator()(FT_Face face) const { FT_Done_Face(face); }
};
struct LibraryDone {
    void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};

struct Face {
    std::unique_ptr<FT_FaceRec_, FaceDone> face;  // null when the family is missing
    int scaled_to = 0;                            // the cell height the face is set to; 0 none
};

struct TextState {
    std::mutex mutex;
    std::unique_ptr<FT_LibraryRec_, LibraryDone> library;  // declared first: outlives the faces
    std::array<Face, kFaceFamilies.size()> faces;
    std::map<std::pair<int, int>, GlyphSet> sets;  // by face slot and height
    std::size_t cached_bytes = 0;
};

void load_faces(TextState& state) {
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) {
        std::fputs("gfx: FreeType failed to start (out of memory?); text is not drawn\n", stderr);
        return;
    }
    state.library.reset(library);

    std::string missing;
    int missing_count = 0;
    for (std::size_t i = 0; i < kFaceFamilies.size(); ++i) {
        const FontLookup found = find_font(kFaceFamilies[i]);
        FT_Face face = nullptr;
        if (!found.path.empty() &&
            FT_New_Face(library, found.path.c_str(), found.index, &face) == 0) {
            state.faces[i].face.reset(face);
            continue;
        }
        missing += missing.empty() ? "" : ", ";
        ++missing_count;
        missing += kFaceFamilies[i];
        if (!found.path.empty()) {
            missing += " (" + found.path + " unreadable)";
        } else if (!found.offered.empty()) {
            missing += " (fontconfig would substitute " + found.offered + ")";
        }
    }
    if (!missing.empty()) {
        const bool several = missing_count > 1;
        std::fprintf(stderr,
                     "gfx: %s not found: %s; install %s with `apt-get install fonts-liberation`; "
                     "text in %s is not drawn\n",
                     several ? "fonts" : "font", missing.c_str(), several ? "them" : "it",
                     several ? "these fonts" : "this font");
    }
}

// Loaded on first use, once: fontconfig and the face files are read at no other time.
TextState& text_state() {
    static TextState state;
    static const bool loaded = (load_faces(state), true);
    (void)loaded;
    return state;
}

// A height sweep must not grow the cache without bound. Called only before a call takes any
// glyph, so no glyph in use is dropped.
void trim_cache(TextState& state) {
    if (state.cached_bytes <= kCacheBudget) return;
    state.sets.clear();
    state.cached_bytes = 0;
}

// The cell's rows above the baseline, in the face's own proportion of ascender to descender:
// the same split FreeType scales the cell by.
int cell_ascent(const FT_FaceRec_& face, int height) {
    const std::int64_t ascender = face.ascender;
    const std::int64_t span = ascender - face.descender;
    if (ascender <= 0 || span <= 0) return height * 4 / 5;
    const std::int64_t ascent = (2 * height * ascender + span) / (2 * span);
    return static_cast<int>(std::clamp<std::int64_t>(ascent, 0, height));
}

bool bit_set(const FT_Bitmap& bitmap, int row, int column) {
    // A negative pitch means the rows are stored bottom first.
    const int stride = bitmap.pitch < 0 ? -bitmap.pitch : bitmap.pitch;
    const int stored_row = bitmap.pitch < 0 ? static_cast<int>(bitmap.rows) - 1 - row : row;
    const unsigned char* line = bitmap.buffer + static_cast<std::ptrdiff_t>(stored_row) *
                                                    static_cast<std::ptrdiff_t>(stride);
    switch (bitmap.pixel_mode) {
        case FT_PIXEL_MODE_MONO:
            return ((line[column / 8] >> (7 - column % 8)) & 1U) != 0;
        case FT_PIXEL_MODE_GRAY:  // an embedded grey bitmap: half coverage or more is set
            return line[column] >= 128;
        default:
            return false;
    }
}

Glyph render_glyph(Face& face, int height, unsigned char byte) {
    Glyph glyph;
    if (is_control(byte)) return glyph;
    FT_Face ft = face.face.get();
    if (face.scaled_to != height) {
        // The cell (ascender to descender) is the height asked for.
        FT_Size_RequestRec request{FT_SIZE_REQUEST_TYPE_CELL, 0, FT_Long{height} * 64, 0, 0};
        if (FT_Request_Size(ft, &request) != 0) {
            face.scaled_to = 0;
            return glyph;
        }
        face.scaled_to = height;
    }
    // Latin-1 bytes are their own Unicode code points; one the face lacks loads its .notdef.
    if (FT_Load_Char(ft, byte, FT_LOAD_TARGET_MONO) != 0) return glyph;
    FT_GlyphSlot slot = ft->glyph;
    if (slot->format != FT_GLYPH_FORMAT_BITMAP && FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) != 0) {
        return glyph;
    }
    glyph.advance = static_cast<int>(std::max<FT_Pos>(slot->advance.x + 32, 0) >> 6);
    const FT_Bitmap& bitmap = slot->bitmap;
    if (bitmap.buffer == nullptr || bitmap.width == 0 || bitmap.rows == 0) return glyph;
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    glyph.width = static_cast<int>(bitmap.width);
    glyph.rows = static_cast<int>(bitmap.rows);
    glyph.pitch = (glyph.width + 7) / 8;
    glyph.bits.assign(static_cast<std::size_t>(glyph.pitch) * static_cast<std::size_t>(glyph.rows),
                      0);
    for (int row = 0; row < glyph.rows; ++row) {
        for (int column = 0; column < glyph.width; ++column) {
            if (bit_set(bitmap, row, column)) {
                glyph.bits[static_cast<std::size_t>(row * glyph.pitch + column / 8)] |=
                    static_cast<std::uint8_t>(0x80U >> (column % 8));
            }
        }
    }
    return glyph;
}

// What one call works with: the face of the font and its glyphs at the height asked for.
struct Run {
    Face& face;
    GlyphSet& set;
    int height;
    std::size_t& cached_bytes;
};

const Glyph& glyph_of(Run& run, unsigned char byte) {
    if (!run.set.rendered[byte]) {
        run.set.glyphs[byte] = render_glyph(run.face, run.height, byte);
        run.set.rendered[byte] = true;
        run.cached_bytes += sizeof(Glyph) + run.set.glyphs[byte].bits.size();
    }
    return run.set.glyphs[byte];
}

// A call in a font whose family is missing has nothing to draw or measure.
std::optional<Run> begin_run(TextState& state, const TextSettings& s) {
    const int slot = face_of_font(s.font);
    Face& face = state.faces[static_cast<std::size_t>(slot)];
    if (!face.face) return std::nullopt;
    trim_cache(state);
    const int height = text_height(s);
    const auto [it, added] = state.sets.try_emplace({slot, height});
    if (added) it->second.ascent = cell_ascent(*face.face, height);
    return Run{face, it->second, height, state.cached_bytes};
}

std::int64_t advance_of(Run& run, std::string_view text) {
    std::int64_t width = 0;
    for (const char c : text) width += glyph_of(run, static_cast<unsigned char>(c)).advance;
    return width;
}

// Sets the glyph's bits that fall inside the page; (x, y) is its bitmap's top-left pixel.
void blit(Page& page, const Glyph& glyph, std::int64_t x, std::int64_t y, std::uint8_t colour) {
    const std::int64_t row_begin = std::max<std::int64_t>(0, -y);
    const std::int64_t row_end = std::min<std::int64_t>(glyph.rows, kPageHeight - y);
    const std::int64_t column_begin = std::max<std::int64_t>(0, -x);
    const std::int64_t column_end = std::min<std::int64_t>(glyph.width, kPageWidth - x);
    for (std::int64_t row = row_begin; row < row_end; ++row) {
        const std::uint8_t* line = glyph.bits.data() + row * glyph.pitch;
        for (std::int64_t column = column_begin; column < column_end; ++column) {
            if ((line[column / 8] >> (7 - column % 8)) & 1U) {
                plot(page, static_cast<int>(x + column), static_cast<int>(y + row), colour);
            }
        }
    }
}

}  // namespace

int text_height(const TextSettings& s) {
    const int size = std::max(s.size, kSmallestSize);
    const int height = size < kSmallSizeLimit ? size * kSmallSizeUnit : size;
    return std::min(height, kLargestHeight);
}

int text_width(const TextSettings& s, std::string_view text) {
    if (text.empty()) return 0;
    TextState& state = text_state();
    const std::scoped_lock lock(state.mutex);
    std::optional<Run> run = begin_run(state, s);
    if (!run) return 0;
    return static_cast<int>(std::min<std::int64_t>(advance_of(*run, text), INT_MAX));
}

// Every direction is drawn horizontally: the programs write only horizontal text.
// Justification values other than 0 ... 2 read as left and top, the defaults.
void draw_text(Page& page, int x, int y, std::string_view text, const TextSettings& s,
               std::uint8_t colour) {
    if (text.empty()) return;
    TextState& state = text_state();
    const std::scoped_lock lock(state.mutex);
    std::optional<Run> found = begin_run(state, s);
    if (!found) return;
    Run& run = *found;
    const int height = run.height;

    // The cell's first row. Top: y is that row; bottom: y is the cell's last row; baseline: a
    // glyph standing on the baseline has its lowest row at y.
    std::int64_t top = y;
    if (s.vertical == 1) top = std::int64_t{y} - height + 1;
    if (s.vertical == 2) top = std::int64_t{y} - run.set.ascent + 1;
    // No glyph reaches a whole cell beyond its own cell: text outside that band shows nothing.
    if (top + 2 * std::int64_t{height} <= 0 || top - height >= kPageHeight) return;
    const std::int64_t baseline = top + run.set.ascent;  // the first row below the ascent

    std::int64_t pen = x;
    if (s.horizontal == 1) pen -= advance_of(run, text) / 2;
    if (s.horizontal == 2) pen -= advance_of(run, text);
    for (const char c : text) {
        // Advances never go back, so once a glyph starts beyond the page, so do the rest.
        if (pen - height >= kPageWidth) break;
        const Glyph& glyph = glyph_of(run, static_cast<unsigned char>(c));
        blit(page, glyph, pen + glyph.left, baseline - glyph.top, colour);
        pen += glyph.advance;
    }
}

std::string loaded_family(int font) {
    TextState& state = text_state();
    const std::scoped_lock lock(state.mutex);
    const Face& face = state.faces[static_cast<std::size_t>(face_of_font(font))];
    if (!face.face || face.face->family_name == nullptr) return "";
    return face.face->family_name;
}

}  // namespace gfx
