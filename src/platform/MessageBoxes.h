#pragma once

#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace tv::platform {

// Modal message boxes. Texts are Windows-1252 bytes; lines are separated by
// CR LF. Every implementation also writes each text as one line to standard
// error, so a user at a terminal and a headless run see it too.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;

    // A box with the text, one OK button and the program's name as title.
    virtual void inform(std::string_view text) = 0;

    // A box with the title, the text, Yes and No buttons and a question
    // icon. True for Yes.
    virtual bool askYesNo(std::string_view title, std::string_view text) = 0;
};

// The one-line form written to standard error: CR LF and lone CR or LF
// become " / ", the rest converted to UTF-8.
std::string MessageLine(std::string_view text);

// No window: the texts go to standard error only; questions take `answer`.
class StderrMessageBoxes final : public MessageBoxes {
public:
    explicit StderrMessageBoxes(bool answer = false) : answer_(answer) {}
    void inform(std::string_view text) override;
    bool askYesNo(std::string_view title, std::string_view text) override;

private:
    bool answer_;
};

// Test double: records every text shown and answers questions from a queue
// of preset answers (No when the queue is empty).
class RecordingMessageBoxes final : public MessageBoxes {
public:
    void inform(std::string_view text) override;
    bool askYesNo(std::string_view title, std::string_view text) override;

    void setNextAnswer(bool yes) { answers.push_back(yes); }

    std::vector<std::string> shown;  // texts of all boxes, in order
    std::vector<std::string> titles; // titles of the question boxes
    std::deque<bool> answers;
};

} // namespace tv::platform
