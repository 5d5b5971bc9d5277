#include "script.hpp"

#include <gtest/gtest.h>

namespace {

TEST(Script, ReadsFramesRepeatsKeysAndSeeds) {
    const auto r = gfx::parse_script(
        "# a drag\n"
        "seed 42\n"
        "120 80 1\n"
        "121 81 1 x3\n"
        "400 300 0 : 27\n"
        ": 0 72 'a' ' '\n"
        "-3 65535 9   # outside the window\n");
    ASSERT_EQ(r.error, "");
    const auto& f = r.script.frames;
    ASSERT_EQ(f.size(), 5u);
    EXPECT_EQ(r.script.seeds, std::vector<std::uint32_t>{42});
    EXPECT_EQ(f[0].mouse.x, 120);
    EXPECT_EQ(f[0].mouse.mask, 1);
    EXPECT_EQ(f[1].count, 3u);
    EXPECT_EQ(f[2].keys, std::vector<gfx::Key>{27});
    EXPECT_EQ(f[3].mouse.x, 400);
    EXPECT_EQ(f[3].keys, (std::vector<gfx::Key>{0, 72, 'a', ' '}));
    EXPECT_EQ(f[4].mouse.x, 65533);
    EXPECT_EQ(f[4].mouse.y, 65535);
}

TEST(Script, RejectsMalformedLinesWithTheirNumber) {
    const char* bad[] = {
        "1 2\n",     "1 2 3 4\n",  "1 2 3 : 256\n", ": 27\n",         "1 2 x\n",       "1 2 3 x0\n",
        "seed -1\n", "seed 1 2\n", "70000 0 0\n",   "1 2 3 : 'ab'\n", "1 2 3 x3 x4\n",
    };
    for (const char* text : bad) {
        const auto r = gfx::parse_script(text);
        EXPECT_NE(r.error, "") << text;
        EXPECT_EQ(r.error.rfind("line 1:", 0), 0u) << r.error;
    }
    EXPECT_EQ(gfx::parse_script("1 2 3\n\n5 5\n").error.rfind("line 3:", 0), 0u);
}

TEST(Script, EmptyTextIsAnEmptyScript) {
    const auto r = gfx::parse_script("");
    EXPECT_EQ(r.error, "");
    EXPECT_TRUE(r.script.frames.empty());
}

}  // namespace
