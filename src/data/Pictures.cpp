#include "data/Pictures.h"

#include <algorithm>
#include <string>
#include <system_error>
#include <vector>

namespace tv::data {

namespace {

bool SameLetters(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        auto fold = [](char c) {
            const auto u = static_cast<unsigned char>(c);
            const bool upper = (u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7);
            return upper ? static_cast<unsigned char>(u + 0x20) : u;
        };
        return fold(x) == fold(y);
    });
}

} // namespace

std::optional<std::filesystem::path> FirstFileMatching(const std::filesystem::path& directory,
                                                       std::string_view stem) {
    std::vector<std::filesystem::path> matches;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(directory, error)) {
        if (!entry.is_regular_file(error))
            continue;
        const std::string name = PathText(entry.path().filename());
        const bool plain = SameLetters(name, stem);
        const bool withExtension = name.size() > stem.size() && name[stem.size()] == '.' &&
                                   SameLetters(std::string_view(name).substr(0, stem.size()), stem);
        if (plain || withExtension)
            matches.push_back(entry.path());
    }
    if (matches.empty())
        return std::nullopt;
    return *std::min_element(matches.begin(), matches.end());
}

PictureLookup FindPicture(const DataFiles& files, std::string_view name,
                          std::string_view sizeSuffix) {
    const auto& directory = files.dataDirectory();
    auto found = FirstFileMatching(directory, std::string(name) + std::string(sizeSuffix));
    if (!found)
        found = FirstFileMatching(directory, name);
    if (found)
        return {*found, true};
    return {FirstFileMatching(directory, "Dummy_C").value_or(directory), false};
}

} // namespace tv::data
