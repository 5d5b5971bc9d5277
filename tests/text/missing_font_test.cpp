// The text renderer where fontconfig has no Liberation face: ctest runs this with a
// fontconfig setup of its own (FONTCONFIG_FILE), either with no fonts at all or with other
// fonts only, which fontconfig would offer in their place.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>

#include "text.hpp"

namespace {

// Runs `work` with standard error going to a file, and returns what it wrote.
template <typename Work>
std::string stderr_of(Work work) {
    std::fflush(stderr);
    std::FILE* capture = std::tmpfile();
    if (capture == nullptr) return "<no temporary file>";
    const int saved = dup(STDERR_FILENO);
    dup2(fileno(capture), STDERR_FILENO);
    work();
    std::fflush(stderr);
    dup2(saved, STDERR_FILENO);
    close(saved);
    std::string text;
    std::rewind(capture);
    for (int c = std::fgetc(capture); c != EOF; c = std::fgetc(capture)) {
        text += static_cast<char>(c);
    }
    std::fclose(capture);
    return text;
}

TEST(MissingFont, TextIsNotDrawnAndTheCauseIsReportedOnce) {
    if (std::getenv("FONTCONFIG_FILE") == nullptr) GTEST_SKIP() << "run through ctest";

    auto page = std::make_unique<gfx::Page>();
    const std::string report = stderr_of([&] {
        for (int font = 0; font < 4; ++font) {
            gfx::TextSettings s;
            s.font = font;
            s.horizontal = 1;
            s.vertical = 2;
            EXPECT_EQ(gfx::loaded_family(font), "") << font;
            EXPECT_EQ(gfx::text_width(s, "Ag1"), 0) << font;
            gfx::draw_text(*page, 400, 300, "Ag1", s, 15);
            EXPECT_EQ(gfx::text_height(s), 16);  // the height asked for does not need a face
        }
    });
    for (const std::uint8_t p : *page) ASSERT_EQ(p, 0);

    // fontconfig may add warnings of its own; ours is the one line that names the fix.
    std::istringstream lines(report);
    int reports = 0;
    for (std::string line; std::getline(lines, line);) {
        if (line.find("fonts-liberation") == std::string::npos) continue;
        ++reports;
        for (const char* family : {"Liberation Mono", "Liberation Sans", "Liberation Serif"}) {
            EXPECT_NE(line.find(family), std::string::npos) << line;
        }
        EXPECT_NE(line.find("not found"), std::string::npos) << line;
    }
    EXPECT_EQ(reports, 1) << report;
}

}  // namespace
