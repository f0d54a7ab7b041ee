#pragma once

#include "data/DataFiles.h"
#include "result/ResultState.h"
#include "wizard/Configuration.h"

#include <optional>
#include <string>

namespace tv::result {

// Part indexes of the picture areas of the result screen.
enum PictureArea { kAreaCentre = 0, kAreaNorth = 1, kAreaEast = 2, kAreaSouth = 3, kAreaWest = 4 };

struct ProductInfoText {
    std::string heading; // lblResInfo0
    std::string text;    // lblResInfo1, lines joined by CR LF
};

// The article data of the part clicked at (x, y) (twips inside the area).
// Nothing when the click selects no part: a corner of the centre area, the
// 9 o'clock zone of a valve with three houses, or a negative area (the
// panel is then shown again with its previous texts).
std::optional<ProductInfoText> ShowProductInfo(data::DataFiles& files, const ResultState& result,
                                               const wizard::ConfigurationRecord& record, int area,
                                               int x, int y);

} // namespace tv::result
