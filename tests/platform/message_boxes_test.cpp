#include "platform/MessageBoxes.h"

#include <gtest/gtest.h>

#include <iostream>
#include <sstream>

using namespace tv::platform;

namespace {

// Collects what is written to std::cerr while it lives.
class CaptureStderr {
public:
    CaptureStderr() : old_(std::cerr.rdbuf(captured_.rdbuf())) {}
    ~CaptureStderr() { std::cerr.rdbuf(old_); }
    std::string text() const { return captured_.str(); }

private:
    std::ostringstream captured_;
    std::streambuf* old_;
};

} // namespace

TEST(MessageLine, PutsEveryLineBreakOnOneLineInUtf8) {
    struct Row {
        const char* text;
        const char* line;
    };
    const Row rows[] = {
        {"a\r\nb", "a / b"},
        {"a\rb", "a / b"},
        {"a\nb", "a / b"},
        {"a\r\n\r\nb", "a /  / b"},
        {"a\n\rb", "a /  / b"}, // LF CR is two breaks, not one
        {"ends\r\n", "ends / "},
        {"Parameterfile Tessaro.dat\r\nikke funnet i C:\\Brivo\\",
         "Parameterfile Tessaro.dat / ikke funnet i C:\\Brivo\\"},
        {"\xF8l \x80", "\u00F8l \u20AC"},
        {"", ""},
    };
    for (const Row& row : rows)
        EXPECT_EQ(MessageLine(row.text), row.line) << row.text;
}

TEST(StderrMessageBoxes, WritesEachBoxAsOneLine) {
    CaptureStderr capture;
    StderrMessageBoxes yes(true);
    StderrMessageBoxes no;
    yes.inform("All fields are required!");
    EXPECT_TRUE(yes.askYesNo("Quit", "Are you sure\r\nyou want to quit?"));
    EXPECT_FALSE(no.askYesNo("Quit", "Sure?"));
    EXPECT_EQ(capture.text(),
              "All fields are required!\nQuit: Are you sure / you want to quit?\nQuit: Sure?\n");
}

TEST(RecordingMessageBoxes, AnswersFromTheQueueAndRecordsInOrder) {
    CaptureStderr capture;
    RecordingMessageBoxes boxes;
    boxes.setNextAnswer(true);
    boxes.setNextAnswer(false);
    boxes.inform("first");
    EXPECT_TRUE(boxes.askYesNo("Quit", "second"));
    EXPECT_FALSE(boxes.askYesNo("Quit", "third"));
    EXPECT_FALSE(boxes.askYesNo("Other", "fourth")) << "empty queue answers No";
    boxes.setNextAnswer(true);
    EXPECT_TRUE(boxes.askYesNo("Last", "fifth"));

    EXPECT_EQ(boxes.shown,
              (std::vector<std::string>{"first", "second", "third", "fourth", "fifth"}));
    EXPECT_EQ(boxes.titles, (std::vector<std::string>{"Quit", "Quit", "Other", "Last"}));
    EXPECT_TRUE(boxes.answers.empty());
    EXPECT_EQ(capture.text(), "first\nQuit: second\nQuit: third\nOther: fourth\nLast: fifth\n");
}
