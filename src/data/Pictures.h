#pragma once

#include "data/DataFiles.h"

#include <filesystem>
#include <optional>
#include <string_view>

namespace tv::data {

// The first file of a directory named stem + "." + any extension (or the
// stem alone), names compared without regard to case and taken in sorted
// order, so the same installation always gives the same picture.
std::optional<std::filesystem::path> FirstFileMatching(const std::filesystem::path& directory,
                                                       std::string_view stem);
// The same in the data directory, as DataFiles::firstFileWithStem finds it.
std::optional<std::filesystem::path> FirstFileMatching(const DataFiles& files,
                                                       std::string_view stem);

struct PictureLookup {
    std::filesystem::path path;
    bool found = false; // false: path is the placeholder
};

// The picture file for a picture name: the variant made for the display's
// resolution (name + size suffix) first, then the plain name, else the
// placeholder "Dummy_C" (or just the data directory when there is none).
PictureLookup FindPicture(const DataFiles& files, std::string_view name,
                          std::string_view sizeSuffix);

} // namespace tv::data
