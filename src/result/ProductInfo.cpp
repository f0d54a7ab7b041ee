#include "result/ProductInfo.h"

#include "data/ProgramTexts.h"
#include "data/TextFile.h"

namespace tv::result {

namespace {

// Clock positions of the valve houses: 1 = 12, 2 = 6, 3 = 3, 4 = 9 o'clock,
// the order of the valve-house codes.
enum Clock { kNoPart = 0, kTwelve = 1, kSix = 2, kThree = 3, kNine = 4, kCentrePart = 5 };

// The centre area is cut in three by three zones; the corners are no part.
Clock CentreZone(int x, int y) {
    const int column = x < 460 ? 0 : x < 1451 ? 1 : 2;
    const int row = y <= 460 ? 0 : y <= 1450 ? 1 : 2;
    static constexpr Clock zones[3][3] = {
        {kNoPart, kTwelve, kNoPart},
        {kNine, kCentrePart, kThree},
        {kNoPart, kSix, kNoPart},
    };
    return zones[row][column];
}

int WholeNumber(const std::string& field) {
    return static_cast<int>(data::RoundHalfEven(data::LeadingNumber(field)));
}

} // namespace

std::optional<ProductInfoText> ShowProductInfo(data::DataFiles& files, const ResultState& result,
                                               const wizard::ConfigurationRecord& record, int area,
                                               int x, int y) {
    if (area < kAreaCentre || area > kAreaWest)
        return std::nullopt;
    const std::string dimension = std::to_string(record.dimensionMillimetres);
    ProductInfoText info;
    std::string key;
    std::string numberLabel = "Artikkelnummer ";

    if (area != kAreaCentre) {
        info.heading = files.TranslateText(
            data::TextKey(data::text::kInfoConnections[static_cast<std::size_t>(area)]));
        key = result.connectionKeys[area]; // the areas follow the slots: N, E, S, W
    } else {
        const Clock part = record.valveType == 1 ? kSix : CentreZone(x, y);
        if (part == kNoPart || (part == kNine && record.valveType == 2))
            return std::nullopt;
        if (part == kCentrePart) {
            info.heading = "Senterdel (" + dimension + "mm):";
            key = result.parts[kCentre].key;
        } else {
            static constexpr const char* headings[] = {"", "Ventilhus kl.12 (", "Ventilhus kl.6 (",
                                                       "Ventilhus kl.3 (", "Ventilhus kl.9 ("};
            info.heading = std::string(headings[part]) + dimension + "mm):";
            key = ValveHouseKey(record, result.houseCodes[part - 1]);
            numberLabel = "Artikkelnummer: ";
        }
    }

    ArticleRecord article;
    const std::string crlf = "\r\n";
    info.text = key;
    if (LookupArticle(files, key, article, Placeholder::kAsTranslated) > 0) {
        const auto& f = article.fields;
        const int offsetA = WholeNumber(f[4]);
        const int offsetB = WholeNumber(f[5]);
        const std::string positions = offsetA == 1 || offsetB == 2
                                          ? std::string("IKKE DEFINERT")
                                          : std::to_string(offsetA) + "/" + std::to_string(offsetB);
        info.text += crlf + f[2] + crlf + numberLabel + f[1] + crlf + "Lengde/vekt: " + f[6] + "/" +
                     f[8] + crlf + "M\xE5lsetting pos " + positions;
    } else {
        info.text += crlf + "Vantor data ikke funnet";
    }
    info.text += crlf + "Blokknavn " + article.fields[field::kBlockName];
    return info;
}

} // namespace tv::result
