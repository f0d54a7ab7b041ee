#include "platform/MessageBoxes.h"

#include "platform/Cp1252.h"

#include <iostream>

namespace tv::platform {

std::string MessageLine(std::string_view text) {
    std::string line;
    line.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') {
            line += text[i];
            continue;
        }
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        line += " / ";
    }
    return Cp1252ToUtf8(line);
}

namespace {

void WriteLine(std::string_view text) {
    std::cerr << MessageLine(text) << '\n';
}

void WriteQuestion(std::string_view title, std::string_view text) {
    std::cerr << MessageLine(title) << ": " << MessageLine(text) << '\n';
}

} // namespace

void StderrMessageBoxes::inform(std::string_view text) {
    WriteLine(text);
}

bool StderrMessageBoxes::askYesNo(std::string_view title, std::string_view text) {
    WriteQuestion(title, text);
    return answer_;
}

void RecordingMessageBoxes::inform(std::string_view text) {
    WriteLine(text);
    shown.emplace_back(text);
}

bool RecordingMessageBoxes::askYesNo(std::string_view title, std::string_view text) {
    WriteQuestion(title, text);
    shown.emplace_back(text);
    titles.emplace_back(title);
    if (answers.empty())
        return false;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
}

} // namespace tv::platform
