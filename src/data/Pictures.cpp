#include "data/Pictures.h"

#include <string>
#include <utility>

namespace tv::data {

std::optional<std::filesystem::path> FirstFileMatching(const std::filesystem::path& directory,
                                                       std::string_view stem) {
    return FirstFile(directory, [stem](std::string_view name) { return HasStem(name, stem); });
}

std::optional<std::filesystem::path> FirstFileMatching(const DataFiles& files,
                                                       std::string_view stem) {
    return files.firstFileWithStem(stem);
}

PictureLookup FindPicture(const DataFiles& files, std::string_view name,
                          std::string_view sizeSuffix) {
    auto found = FirstFileMatching(files, std::string(name) + std::string(sizeSuffix));
    if (!found)
        found = FirstFileMatching(files, name);
    if (found)
        return {std::move(*found), true};
    return {FirstFileMatching(files, "Dummy_C").value_or(files.dataDirectory()), false};
}

} // namespace tv::data
