#include "result/ResultScreenLayout.h"

#include "data/Pictures.h"
#include "data/ProgramTexts.h"
#include "data/TextFile.h"
#include "wizard/ChoiceLine.h"

#include <limits>
#include <tuple>

namespace tv::result {

namespace {

// The T and X crosses and the double valve: a centre part between the
// valve houses.
bool HasCentrePart(int valveType) {
    return valveType >= 2 && valveType <= 4;
}

// One picture box's rectangles for valve types 1 to 4; only the current
// type's is kept.
data::TwipRect ReadTypeRect(data::TextFile& file, int valveType) {
    data::TwipRect chosen;
    for (int type = 1; type <= 4; ++type) {
        const data::TwipRect rect = data::ReadTwipRect(file);
        if (type == valveType)
            chosen = rect;
    }
    return chosen;
}

int ScaleForStandardResolution(int value) {
    return data::HeldNumber(value * 8 / 10.0, std::numeric_limits<int>::min(),
                            std::numeric_limits<int>::max());
}

class ScreenLayout {
public:
    ScreenLayout(data::DataFiles& files, const wizard::Configuration& configuration,
                 const data::StartupValues& startup, ResultState& state)
        : files_(files), code_(configuration.code), record_(configuration.record),
          startup_(startup), type_(configuration.record.valveType), state_(state) {}

    bool run();

private:
    void showPictures(data::TextFile& file);
    void centrePicture(data::TextFile& file);
    void northAndSouthPictures(data::TextFile& file);
    void sidePictures(data::TextFile& file);
    PictureBox connectionPicture(int slot, const char* letter) const;

    data::DataFiles& files_;
    const std::string& code_;
    const wizard::ConfigurationRecord& record_;
    const data::StartupValues& startup_;
    const int type_;
    ResultState& state_;
};

bool ScreenLayout::run() {
    auto file = files_.openParameterFile();
    if (!file || !data::FindSection(data::SectionKey("REPORTSCREEN"), *file))
        return false;
    ReportScreenLayout& screen = state_.screen;
    data::ReadTextLine(*file); // heading, not shown
    screen.frame = data::ReadTwipRect(*file);
    screen.frameCaption = data::ReadTextLine(*file);
    screen.head = data::ReadTwipRect(*file);
    screen.headCaption = files_.TranslateText(data::TextKey(data::text::kOrderCode)) + ": " + code_;
    screen.copy = data::ReadTwipRect(*file);
    screen.copyCaption = data::ReadTextLine(*file);
    screen.info = data::ReadTwipRect(*file);
    screen.background = data::ReadTwipRect(*file);
    screen.buttonTop = data::ReadNumberLine(*file);
    for (int& left : screen.buttonLefts)
        left = data::ReadNumberLine(*file);
    for (std::string& caption : screen.buttonCaptions)
        caption = data::ReadTextLine(*file);
    showPictures(*file);
    screen.infoPanel = data::ReadTwipRect(*file);
    screen.infoMargin = data::ReadNumberLine(*file);
    const int margin = screen.infoMargin;
    screen.infoLabel = {margin + 500, margin, screen.infoPanel.width - 2 * margin,
                        screen.infoPanel.height - 2 * margin - 500};
    return true;
}

void ScreenLayout::showPictures(data::TextFile& file) {
    state_.screen.enlarge = startup_.standardResolution ? data::TwipRect{60, 50, 300, 300}
                                                        : data::TwipRect{50, 50, 250, 250};
    centrePicture(file);
    northAndSouthPictures(file);
    sidePictures(file);
}

void ScreenLayout::centrePicture(data::TextFile& file) {
    const bool standard = startup_.standardResolution;
    PictureBox& centre = state_.pictures[kCentre];
    centre.rect = ReadTypeRect(file, type_);
    if (standard) {
        centre.rect.top = ScaleForStandardResolution(centre.rect.top);
        centre.rect.left = ScaleForStandardResolution(centre.rect.left);
    }
    if (standard && HasCentrePart(type_)) {
        centre.rect.width += 20;
        centre.rect.height += 40;
    }
    centre.path = data::FindPicture(files_, record_.typeKey + "_RC", startup_.pictureSuffix).path;
    centre.tooltip =
        std::to_string(record_.dimensionMillimetres) + " mm  " + record_.typeDescription;
    centre.visible = true;
}

// Each connection's box: two offsets under standard resolution (upward and
// leftward), then its rectangles by valve type.
void ScreenLayout::northAndSouthPictures(data::TextFile& file) {
    const bool standard = startup_.standardResolution;
    const bool crossing = HasCentrePart(type_);
    // North and south sit against the centre piece; under standard
    // resolution a crossing's centre piece is taller.
    for (const auto& [slot, connectionSlot, letter, shift] :
         {std::tuple{kNorth, 1, "N", 150}, std::tuple{kSouth, 3, "S", 200}}) {
        const int upward = data::ReadNumberLine(file);
        const int leftward = data::ReadNumberLine(file);
        data::TwipRect rect = ReadTypeRect(file, type_);
        if (standard)
            rect.top -= upward;
        if (standard && crossing) {
            rect.top += shift;
            rect.left -= leftward;
        }
        PictureBox& box = state_.pictures[slot];
        box = connectionPicture(connectionSlot, letter);
        box.rect = rect;
        box.visible = true;
    }
}

// East and west are placed for every valve type and shown only for those
// that have the connection.
void ScreenLayout::sidePictures(data::TextFile& file) {
    for (const auto& [slot, connectionSlot, letter, firstType] :
         {std::tuple{kEast, 2, "E", 2}, std::tuple{kWest, 4, "W", 3}}) {
        const int upward = data::ReadNumberLine(file);
        const int leftward = data::ReadNumberLine(file);
        data::TwipRect rect = ReadTypeRect(file, type_);
        if (startup_.standardResolution) {
            rect.top -= upward;
            rect.left -= leftward;
        }
        PictureBox& box = state_.pictures[slot];
        box = {};
        box.rect = rect;
        if (type_ < firstType || type_ > 4)
            continue;
        box = connectionPicture(connectionSlot, letter);
        box.rect = rect;
        box.visible = true;
    }
}

PictureBox ScreenLayout::connectionPicture(int slot, const char* letter) const {
    const wizard::SlotChoice& choice = record_.slots[static_cast<std::size_t>(slot)];
    const auto names = wizard::ConnectionPictures(
        choice.connectionKey, record_.dimensionMillimetres, choice.dimensionMillimetres, letter);
    const std::string& name = names.own;
    auto picture = data::FindPicture(files_, name, startup_.pictureSuffix);
    if (!picture.found) {
        picture = data::FindPicture(files_, names.fallback, startup_.pictureSuffix);
    }

    PictureBox box;
    std::string suffix;
    const bool placeholder =
        !picture.found ||
        data::PathText(picture.path.filename()).find("Dummy") != std::string::npos;
    if (placeholder) {
        // The tool tip names the picture that was looked for, so that a
        // missing file can be found from the screen.
        box.path = files_.locate(std::string("Dummy_R") + letter + ".gif");
        suffix = " (" + name + ")";
    } else {
        box.path = picture.path;
    }
    box.tooltip = std::to_string(choice.dimensionMillimetres) + " mm  " +
                  choice.connectionDescription + suffix;
    return box;
}

} // namespace

bool LayOutResultScreen(data::DataFiles& files, const wizard::Configuration& configuration,
                        const data::StartupValues& startup, ResultState& state) {
    // Nothing of an earlier layout stays behind.
    state.screen = {};
    state.pictures = {};
    state.laidOut = ScreenLayout(files, configuration, startup, state).run();
    return state.laidOut;
}

} // namespace tv::result
