// The text renderer on the real Liberation faces: which face each font number gets, how high
// text is, where each justification puts it, and that no text can write outside the page.
#include "text.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace {

using gfx::kPageHeight;
using gfx::kPageWidth;
using gfx::Page;
using gfx::TextSettings;

constexpr std::uint8_t kInk = 15;

TextSettings style(int font, int size, int horizontal = 0, int vertical = 0) {
    TextSettings s;
    s.font = font;
    s.size = size;
    s.horizontal = horizontal;
    s.vertical = vertical;
    return s;
}

// The programs' own style: Arial, 16 pixels.
const TextSettings kLabel = style(3, 2);

std::uint8_t at(const Page& page, int x, int y) {
    return page[static_cast<std::size_t>(y) * kPageWidth + static_cast<std::size_t>(x)];
}

std::unique_ptr<Page> drawn(std::string_view text, const TextSettings& s, int x, int y) {
    auto page = std::make_unique<Page>();  // all background
    gfx::draw_text(*page, x, y, text, s, kInk);
    return page;
}

// The inked pixels' bounding box, edges included.
struct Box {
    int left = INT_MAX;
    int top = INT_MAX;
    int right = INT_MIN;
    int bottom = INT_MIN;
    bool empty() const { return left > right; }
    int height() const { return bottom - top + 1; }
    friend bool operator==(const Box&, const Box&) = default;
};

std::ostream& operator<<(std::ostream& out, const Box& b) {
    return out << "[" << b.left << ", " << b.top << " .. " << b.right << ", " << b.bottom << "]";
}

Box shifted(Box b, int dx, int dy) {
    return {b.left + dx, b.top + dy, b.right + dx, b.bottom + dy};
}

Box ink_box(const Page& page) {
    Box b;
    for (int y = 0; y < kPageHeight; ++y) {
        for (int x = 0; x < kPageWidth; ++x) {
            if (at(page, x, y) == 0) continue;
            b = {std::min(b.left, x), std::min(b.top, y), std::max(b.right, x),
                 std::max(b.bottom, y)};
        }
    }
    return b;
}

bool blank(const Page& page) {
    return std::all_of(page.begin(), page.end(), [](std::uint8_t p) { return p == 0; });
}

Box box_of(std::string_view text, const TextSettings& s, int x, int y) {
    return ink_box(*drawn(text, s, x, y));
}

// --- Faces ---------------------------------------------------------------------------------

TEST(TextFaces, EachFontNumberGetsItsLiberationFace) {
    struct Case {
        int font;
        std::string_view family;
    };
    // Numbers outside 0 ... 3 get the default font 0.
    constexpr std::array<Case, 7> kCases{{{0, "Liberation Mono"},
                                          {1, "Liberation Sans"},
                                          {2, "Liberation Serif"},
                                          {3, "Liberation Sans"},
                                          {-1, "Liberation Mono"},
                                          {4, "Liberation Mono"},
                                          {INT_MAX, "Liberation Mono"}}};
    for (const Case& c : kCases) EXPECT_EQ(gfx::loaded_family(c.font), c.family) << c.font;

    const auto mono = drawn("Ag1", style(0, 20), 100, 100);
    EXPECT_FALSE(blank(*mono));
    EXPECT_EQ(*drawn("Ag1", style(-1, 20), 100, 100), *mono);
    EXPECT_EQ(*drawn("Ag1", style(4, 20), 100, 100), *mono);
}

TEST(TextFaces, FontsDrawTheirOwnShapes) {
    // MS Sans Serif and Arial share one face; Times New Roman has serifs of its own.
    const auto sans = drawn("Ag1", style(1, 20), 100, 100);
    EXPECT_EQ(*drawn("Ag1", style(3, 20), 100, 100), *sans);
    EXPECT_NE(*drawn("Ag1", style(2, 20), 100, 100), *sans);
    EXPECT_NE(*drawn("Ag1", style(0, 20), 100, 100), *sans);
}

TEST(TextFaces, OnlyCourierNewIsMonospaced) {
    for (const int size : {2, 16, 40}) {
        EXPECT_EQ(gfx::text_width(style(0, size), "iii"), gfx::text_width(style(0, size), "WWW"))
            << size;
        EXPECT_LT(gfx::text_width(style(3, size), "iii"), gfx::text_width(style(3, size), "WWW"))
            << size;
    }
}

// --- Heights -------------------------------------------------------------------------------

TEST(TextHeight, SmallSizesCountInEightsAndHugeOnesStopAtThePageHeight) {
    struct Case {
        int size;
        int height;
    };
    constexpr std::array<Case, 14> kCases{{{INT_MIN, 8},
                                           {-3, 8},
                                           {0, 8},
                                           {1, 8},
                                           {2, 16},
                                           {5, 40},
                                           {6, 6},
                                           {16, 16},
                                           {40, 40},
                                           {599, 599},
                                           {600, 600},
                                           {601, 600},
                                           {30000, 600},
                                           {INT_MAX, 600}}};
    for (const Case& c : kCases) EXPECT_EQ(gfx::text_height(style(3, c.size)), c.height) << c.size;
}

TEST(TextHeight, GlyphsFillTheirCellWithoutLeavingIt) {
    for (const int size : {1, 2, 16, 40, 100}) {
        const int h = gfx::text_height(style(3, size));
        const Box b = box_of("Ag1", style(3, size), 100, 50);
        ASSERT_FALSE(b.empty()) << size;
        EXPECT_GE(b.top, 50) << size;
        EXPECT_LE(b.bottom, 50 + h - 1) << size;
        // Ascender to descender of "Ag" spans most of the line.
        EXPECT_GE(b.height() * 10, h * 6) << size;
    }
}

TEST(TextHeight, ACapitalOfSizeTwoIsNoticeablyTallerThanOneOfSizeOne) {
    const Box one = box_of("H", style(3, 1), 100, 100);
    const Box two = box_of("H", style(3, 2), 100, 100);
    ASSERT_FALSE(one.empty());
    EXPECT_LE(one.height(), 8);
    EXPECT_LE(two.height(), 16);
    EXPECT_GE(two.height() * 2, one.height() * 3);
}

TEST(TextHeight, AHugeSizeDrawsAPageHighLine) {
    const Box b = box_of("Hg", style(3, 30000), 0, 0);
    ASSERT_FALSE(b.empty());
    EXPECT_GE(b.top, 0);
    EXPECT_GT(b.height(), 400);
}

// --- Justification -------------------------------------------------------------------------

// "A" stands on the baseline, "g" reaches below it, "1" is a digit as the labels draw.
TEST(TextJustify, EveryJustificationPutsTheTextWhereItSays) {
    constexpr int kX = 400;
    constexpr int kY = 300;
    for (const TextSettings& base : {kLabel, style(0, 40), style(2, 3)}) {
        const int w = gfx::text_width(base, "Ag1");
        const int h = gfx::text_height(base);
        const std::array<int, 3> kShift{0, -(w / 2), -w};
        for (int v = 0; v < 3; ++v) {
            const Box left = box_of("Ag1", style(base.font, base.size, 0, v), kX, kY);
            ASSERT_FALSE(left.empty());
            EXPECT_GE(left.left, kX - 2);
            EXPECT_LE(left.left, kX + h / 4);
            for (int hz = 1; hz < 3; ++hz) {
                const Box b = box_of("Ag1", style(base.font, base.size, hz, v), kX, kY);
                EXPECT_EQ(b, shifted(left, kShift[static_cast<std::size_t>(hz)], 0))
                    << "font " << base.font << " size " << base.size << " h " << hz << " v " << v;
            }
        }
        const Box right = box_of("Ag1", style(base.font, base.size, 2, 0), kX, kY);
        EXPECT_LT(right.right, kX);
        EXPECT_GE(right.right, kX - h / 2);

        // Top: the cell's first row is y. Bottom: its last row is y, so the same text h - 1
        // rows higher.
        const Box top = box_of("Ag1", style(base.font, base.size, 0, 0), kX, kY);
        EXPECT_GE(top.top, kY);
        EXPECT_LE(top.bottom, kY + h - 1);
        const Box bottom = box_of("Ag1", style(base.font, base.size, 0, 1), kX, kY);
        EXPECT_EQ(bottom, shifted(top, 0, -(h - 1)));
        EXPECT_LE(bottom.bottom, kY);

        // Baseline: a glyph standing on it has its lowest row at y; a descender goes below.
        const TextSettings on_baseline = style(base.font, base.size, 0, 2);
        EXPECT_EQ(box_of("A", on_baseline, kX, kY).bottom, kY);
        const Box text = box_of("Ag1", on_baseline, kX, kY);
        EXPECT_GT(text.bottom, kY);
        EXPECT_LT(text.top, kY);
        // The same cell as the other two: between where top and bottom put the text.
        EXPECT_LT(text.top, top.top);
        EXPECT_GT(text.bottom, bottom.bottom);
    }
}

TEST(TextJustify, UnknownValuesReadAsLeftAndTop) {
    const auto left_top = drawn("Ag1", kLabel, 300, 200);
    for (const auto& [hz, v] :
         {std::pair{3, 0}, std::pair{-1, 0}, std::pair{0, 3}, std::pair{0, -7}}) {
        EXPECT_EQ(*drawn("Ag1", style(3, 2, hz, v), 300, 200), *left_top) << hz << " " << v;
    }
}

TEST(TextDirection, EveryDirectionIsDrawnHorizontally) {
    const auto horizontal = drawn("Ag1", kLabel, 300, 200);
    for (const int direction : {90, 180, 270, -45, 12345}) {
        TextSettings s = kLabel;
        s.direction = direction;
        EXPECT_EQ(*drawn("Ag1", s, 300, 200), *horizontal) << direction;
    }
}

// --- Clipping and safety -------------------------------------------------------------------

// Text across an edge draws exactly the part of it that is inside the page: the same pixels
// as the text drawn well inside, moved.
TEST(TextClip, TextAcrossAnEdgeDrawsItsInPagePart) {
    constexpr int kRefX = 400;
    constexpr int kRefY = 300;
    for (const TextSettings& s : {kLabel, style(0, 40, 1, 2)}) {
        const auto reference = drawn("Ag1", s, kRefX, kRefY);
        for (const auto& [x, y] : {std::pair{795, 300}, std::pair{-10, 300}, std::pair{400, -5},
                                   std::pair{400, 590}, std::pair{-3, -3}, std::pair{795, 595}}) {
            const auto page = drawn("Ag1", s, x, y);
            const int dx = x - kRefX;
            const int dy = y - kRefY;
            int differing = 0;
            int inked = 0;
            for (int py = 0; py < kPageHeight; ++py) {
                for (int px = 0; px < kPageWidth; ++px) {
                    const int rx = px - dx;
                    const int ry = py - dy;
                    const bool inside = rx >= 0 && rx < kPageWidth && ry >= 0 && ry < kPageHeight;
                    const std::uint8_t expected = inside ? at(*reference, rx, ry) : 0;
                    differing += at(*page, px, py) != expected ? 1 : 0;
                    inked += at(*page, px, py) != 0 ? 1 : 0;
                }
            }
            EXPECT_EQ(differing, 0) << "at " << x << ", " << y;
            EXPECT_GT(inked, 0) << "at " << x << ", " << y;
        }
    }
}

TEST(TextClip, TextFarOutsideDrawsNothing) {
    const std::string text = "Ag1 far away";
    for (const auto& [x, y] :
         {std::pair{-30000, 5}, std::pair{32767, 32767}, std::pair{-32768, -32768},
          std::pair{400, 32767}, std::pair{400, -32768}, std::pair{INT_MAX, INT_MIN},
          std::pair{INT_MIN, INT_MAX}, std::pair{INT_MIN, 300}, std::pair{INT_MAX, 300}}) {
        for (int hz = 0; hz < 3; ++hz) {
            for (int v = 0; v < 3; ++v) {
                EXPECT_TRUE(blank(*drawn(text, style(3, 2, hz, v), x, y)))
                    << x << ", " << y << " justified " << hz << ", " << v;
            }
        }
    }
}

// A long line that starts far left enters the page exactly where its advances bring it.
TEST(TextClip, ALongLineFromFarLeftEntersWhereItsAdvancesSay) {
    const TextSettings mono = style(0, 16);
    const int advance = gfx::text_width(mono, "W");
    ASSERT_GT(advance, 0);
    const int count = 40000 / advance;
    constexpr int kStart = -30000;
    const std::string line(static_cast<std::size_t>(count), 'W');
    const auto page = drawn(line, mono, kStart, 100);
    // The first glyph that starts at or right of -advance, drawn on its own from there on.
    const int first = (-kStart - advance) / advance;
    const std::string tail(static_cast<std::size_t>(count - first), 'W');
    const auto expected = drawn(tail, mono, kStart + first * advance, 100);
    EXPECT_EQ(*page, *expected);
    const Box b = ink_box(*page);
    EXPECT_LE(b.left, advance);
    EXPECT_GE(b.right, kPageWidth - advance);
}

TEST(TextBytes, EveryByteIsSafeAndControlBytesTakeNoRoom) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    for (const TextSettings& s : {kLabel, style(0, 1, 1, 1), style(2, 100, 2, 2)}) {
        EXPECT_GT(gfx::text_width(s, all), 0);
        EXPECT_FALSE(blank(*drawn(all, s, 10, 300)));
    }

    const auto ab = drawn("AB", kLabel, 300, 200);
    for (int b = 0; b < 256; ++b) {
        const bool control = b < 0x20 || (b >= 0x7f && b < 0xa0);
        if (!control) continue;
        const std::string one(1, static_cast<char>(b));
        EXPECT_EQ(gfx::text_width(kLabel, one), 0) << b;
        EXPECT_TRUE(blank(*drawn(one, kLabel, 300, 200))) << b;
        EXPECT_EQ(*drawn("A" + one + "B", kLabel, 300, 200), *ab) << b;
    }
}

TEST(TextBytes, BytesAreLatin1) {
    // 0xE9 is e-acute: the e's shape and room, with an accent above.
    const Box e = box_of("e", kLabel, 300, 200);
    const Box e_acute = box_of("\xE9", kLabel, 300, 200);
    EXPECT_EQ(gfx::text_width(kLabel, "\xE9"), gfx::text_width(kLabel, "e"));
    EXPECT_EQ(e_acute.bottom, e.bottom);
    EXPECT_LT(e_acute.top, e.top);
    // No-break space takes room and draws nothing.
    EXPECT_EQ(gfx::text_width(kLabel, "\xA0"), gfx::text_width(kLabel, " "));
    EXPECT_GT(gfx::text_width(kLabel, "\xA0"), 0);
    EXPECT_TRUE(blank(*drawn("\xA0", kLabel, 300, 200)));
    // A UTF-8 sequence is two Latin-1 characters, not one.
    EXPECT_EQ(gfx::text_width(kLabel, "\xC3\xA9"),
              gfx::text_width(kLabel, "\xC3") + gfx::text_width(kLabel, "\xA9"));
}

TEST(TextBytes, EmptyTextDrawsNothing) {
    EXPECT_EQ(gfx::text_width(kLabel, ""), 0);
    for (int hz = 0; hz < 3; ++hz) {
        for (int v = 0; v < 3; ++v) EXPECT_TRUE(blank(*drawn("", style(3, 2, hz, v), 400, 300)));
    }
}

TEST(TextBytes, DrawingSetsOnlyTheColourAsked) {
    auto page = std::make_unique<Page>();
    page->fill(3);
    gfx::draw_text(*page, 300, 200, "Ag1", kLabel, 200);
    int set = 0;
    for (const std::uint8_t p : *page) {
        EXPECT_TRUE(p == 3 || p == 200);
        set += p == 200 ? 1 : 0;
    }
    EXPECT_GT(set, 20);
}

// --- Cache ---------------------------------------------------------------------------------

// Glyphs are kept per face and height: other sizes and faces in between change nothing, nor
// does a sweep through many large sizes, which makes the cache start afresh.
TEST(TextCache, TextDrawsTheSameAfterOtherSizesAndFaces) {
    const auto first = drawn("Ag1", kLabel, 300, 200);
    drawn("Ag1", style(3, 40), 300, 200);
    drawn("Ag1", style(2, 2), 300, 200);
    drawn("Ag1", style(1, 17), 300, 200);
    EXPECT_EQ(*drawn("Ag1", kLabel, 300, 200), *first);

    std::string all;
    for (int b = 0x20; b < 256; ++b) all += static_cast<char>(b);
    for (int size = 550; size <= 600; size += 10) {
        EXPECT_GT(gfx::text_width(style(3, size), all), 0);  // renders every glyph
        drawn(all, style(3, size), 0, 0);
    }
    EXPECT_EQ(*drawn("Ag1", kLabel, 300, 200), *first);
}

// The layer is used from one thread, but its caches are locked: threads drawing at once, each
// on its own page, get what one thread alone draws.
TEST(TextCache, ThreadsDrawingAtOnceGetTheSamePixels) {
    const std::array<TextSettings, 4> kStyles{kLabel, style(0, 23), style(2, 31), style(1, 4)};
    std::vector<std::unique_ptr<Page>> pages;
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < kStyles.size(); ++i) pages.push_back(std::make_unique<Page>());
    for (std::size_t i = 0; i < kStyles.size(); ++i) {
        threads.emplace_back([&, i] {
            for (int round = 0; round < 20; ++round) {
                gfx::draw_text(*pages[i], 100, 100, "Ag1 xyz", kStyles[i], kInk);
            }
        });
    }
    for (std::thread& t : threads) t.join();
    for (std::size_t i = 0; i < kStyles.size(); ++i) {
        EXPECT_EQ(*pages[i], *drawn("Ag1 xyz", kStyles[i], 100, 100)) << i;
    }
}

}  // namespace
