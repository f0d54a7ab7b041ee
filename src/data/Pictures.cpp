#include "data/Pictures.h"

#include "platform/FileBytes.h"

#include <functional>
#include <string>

namespace tv::data {

namespace {

// A name is the stem alone or the stem and an extension.
std::function<bool(std::string_view)> StemIs(std::string_view stem) {
    return [stem](std::string_view name) {
        const bool withExtension = name.size() > stem.size() && name[stem.size()] == '.';
        return platform::EqualsIgnoringCase(withExtension ? name.substr(0, stem.size()) : name,
                                            stem);
    };
}

} // namespace

std::optional<std::filesystem::path> FirstFileMatching(const std::filesystem::path& directory,
                                                       std::string_view stem) {
    return FirstFile(directory, StemIs(stem));
}

std::optional<std::filesystem::path> FirstFileMatching(const DataFiles& files,
                                                       std::string_view stem) {
    return files.firstFile(StemIs(stem));
}

PictureLookup FindPicture(const DataFiles& files, std::string_view name,
                          std::string_view sizeSuffix) {
    auto found = FirstFileMatching(files, std::string(name) + std::string(sizeSuffix));
    if (!found)
        found = FirstFileMatching(files, name);
    if (found)
        return {*found, true};
    return {FirstFileMatching(files, "Dummy_C").value_or(files.dataDirectory()), false};
}

} // namespace tv::data
