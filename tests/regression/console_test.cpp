// The console dialogue: the menu and prompt bytes and the way a reply becomes a number.
#include "console.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

constexpr char kMenu[] =
    "TIPURI DE REGRESIE MATEMATICA:\n"
    "1 - REGRESIE LINIARA : y=b0+b1*x\n"
    "2 - REGRESIE HIPERBOLICA : y=b0+b1/x\n"
    "3 - REGRESIE CU FUNCTIE PUTERE : y=b0*x^b1\n"
    "4 - REGRESIE EXPONENTIALA : y=b0*b1^X\n"
    "5 - REGRESIE PARABOLICA : y=b0+b1*X+b2*X^2\n";
constexpr char kPrompt[] = "Cate perechi (experimentale) x,y ai:";

struct Dialogue {
    regression::Answers answers;
    std::string written;
    bool failed = false;
};

Dialogue talk(const std::string& typed) {
    std::istringstream in(typed);
    std::ostringstream out;
    regression::Console console{&in, &out};
    Dialogue d;
    d.answers = regression::ask_model_and_count(console);
    d.written = out.str();
    d.failed = console.failed;
    return d;
}

TEST(Console, WritesTheMenuThenThePromptWithoutLineBreak) {
    const Dialogue d = talk("1\n25\n");
    EXPECT_EQ(d.written, std::string(kMenu) + kPrompt);
    EXPECT_EQ(d.answers.model, 1);
    EXPECT_EQ(d.answers.count, 25);
    EXPECT_FALSE(d.failed);
}

TEST(Console, ReadsTheTwoReplies) {
    struct Case {
        const char* typed;
        std::int32_t model;
        std::int32_t count;
    };
    const Case cases[] = {
        {" 3\n 40\n", 3, 40},
        {"+2 junk\n7\n", 2, 7},  // the rest of the line goes
        {"5 9\n12\n", 5, 12},    // a second number on the line too
        {"-7\n-3\n", -7, -3},
        {"\t\n\n  4\r\n\n\n\x01 30 x y\n", 4, 30},  // blank lines and control characters
        {"4\t10\n", 4, 0},                          // the tab ends the number, the line goes
        {"0007\n+0\n", 7, 0},
        {"2147483647\n-2147483648\n", 2147483647, -2147483647 - 1},
        {"1\n", 1, 0},  // the end of input gives 0
        {"1", 1, 0},    // a reply cut off by the end of input still counts
        {"", 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        const Dialogue d = talk(c.typed);
        EXPECT_EQ(d.answers.model, c.model);
        EXPECT_EQ(d.answers.count, c.count);
        EXPECT_FALSE(d.failed);
        // The end of input is no error: the prompt is still written.
        EXPECT_EQ(d.written, std::string(kMenu) + kPrompt);
    }
}

TEST(Console, AModelReplyThatIsNoWholeNumberSilencesTheConsole) {
    // The choice becomes 0, the prompt is not written and the count is not read.
    for (const char* typed : {"abc\n5\n", "12abc\n5\n", "-\n5\n", "+\n5\n", "--5\n5\n", "0x10\n5\n",
                              "3.5\n5\n", "2147483648\n5\n", "-2147483649\n5\n", "4294967296\n5\n",
                              "99999999999999999999999999999999\n5\n", "\xc8\n5\n"}) {
        SCOPED_TRACE(typed);
        const Dialogue d = talk(typed);
        EXPECT_EQ(d.answers.model, 0);
        EXPECT_EQ(d.answers.count, 0);
        EXPECT_TRUE(d.failed);
        EXPECT_EQ(d.written, kMenu);
    }
}

TEST(Console, ACountReplyThatIsNoWholeNumberGivesZero) {
    const Dialogue d = talk("4\nmany\n");
    EXPECT_EQ(d.answers.model, 4);
    EXPECT_EQ(d.answers.count, 0);
    EXPECT_TRUE(d.failed);
    EXPECT_EQ(d.written, std::string(kMenu) + kPrompt);
}

TEST(Console, NothingIsReadOrWrittenInTheErrorState) {
    std::istringstream in("x\n17\n");
    std::ostringstream out;
    regression::Console console{&in, &out};
    EXPECT_EQ(regression::read_integer(console), 0);
    ASSERT_TRUE(console.failed);
    EXPECT_EQ(regression::read_integer(console), 0);
    regression::write_text(console, "seen?");
    EXPECT_EQ(out.str(), "");
    std::string rest;
    std::getline(in, rest);
    EXPECT_EQ(rest, "17");  // left unread
}

}  // namespace
