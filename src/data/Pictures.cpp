#include "data/Pictures.h"

#include "platform/FileBytes.h"

#include <string>

namespace tv::data {

std::optional<std::filesystem::path> FirstFileMatching(const std::filesystem::path& directory,
                                                       std::string_view stem) {
    return FirstFile(directory, [stem](std::string_view name) {
        const bool withExtension = name.size() > stem.size() && name[stem.size()] == '.';
        return platform::EqualsIgnoringCase(withExtension ? name.substr(0, stem.size()) : name,
                                            stem);
    });
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
