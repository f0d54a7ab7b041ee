#include "data/StartScreenLayout.h"

namespace tv::data {

namespace {

void PlaceFlags(StartScreenLayout& layout, int top, int x, int step, int width, int height) {
    struct Row {
        const char* language;
        const char* objectName;
        const char* pictureName;
        const char* tooltip;
        int row;    // 0: top row at T, 1: second row at 3 × T
        int column; // 0..2
    };
    static constexpr Row rows[] = {
        {"NO", "No_flag", "no_flag", "Vis norske tekster", 0, 0},
        {"EN", "En_flag", "en_flag", "Show english texts", 0, 1},
        {"DE", "De_flag", "de_flag", "Zeige Deutche texte", 1, 0},
        {"FI", "Fi_flag", "fi_flag", "Nayta suomalaisia teksteja", 1, 1},
        {"DK", "Dk_flag", "dk_flag", "Vis danske tekst", 0, 2},
        {"SE", "Se_flag", "se_flag", "Visa svenska texter", 1, 2},
    };
    for (std::size_t i = 0; i < layout.flags.size(); ++i) {
        const Row& row = rows[i];
        layout.flags[i] = FlagPlace{
            row.language, row.objectName, row.pictureName, row.tooltip,
            TwipRect{row.row == 0 ? top : 3 * top, x + 300 + row.column * step, width, height}};
    }
}

} // namespace

std::optional<StartScreenLayout> ReadStartScreenLayout(DataFiles& files) {
    auto file = files.openParameterFile();
    if (!file)
        return std::nullopt;
    files.ReadParamHead(*file);
    if (!FindSection(SectionKey("STARTSCREEN"), *file))
        return std::nullopt;

    StartScreenLayout layout;
    ReadTextLine(*file); // the section's title
    const int flagTop = ReadNumberLine(*file);
    const int flagLeft = ReadNumberLine(*file);
    const int flagStep = ReadNumberLine(*file);
    const int flagWidth = ReadNumberLine(*file);
    const int flagHeight = ReadNumberLine(*file);
    PlaceFlags(layout, flagTop, flagLeft, flagStep, flagWidth, flagHeight);

    layout.picture1 = ReadTwipRect(*file);
    layout.pictureName1 = ReadTextLine(*file);
    layout.picture2 = ReadTwipRect(*file);
    layout.pictureName2 = ReadTextLine(*file);

    layout.head = ReadTwipRect(*file);
    layout.head.left -= 200;
    layout.head.width += 200;
    layout.versionCaption = ReadTextLine(*file);
    layout.parameterCaption = ReadTextLine(*file);
    layout.articleCaption = ReadTextLine(*file);
    layout.closingLine = ReadTextLine(*file);
    layout.headAddress = ReadTextLine(*file);

    layout.info1 = ReadTwipRect(*file);
    layout.infoName1 = ReadTextLine(*file);
    layout.info2 = ReadTwipRect(*file);
    layout.infoName2 = ReadTextLine(*file);

    layout.buttonTop = ReadNumberLine(*file);
    layout.exitLeft = ReadNumberLine(*file);
    layout.start1Left = ReadNumberLine(*file);
    layout.start1Width = ReadNumberLine(*file);
    layout.start1Caption = ReadTextLine(*file);
    layout.start2Left = ReadNumberLine(*file);
    layout.start2Width = ReadNumberLine(*file);
    layout.start2Caption = ReadTextLine(*file);
    return layout;
}

std::string ComposeHeadText(const StartScreenLayout& layout, std::string_view parameterTime,
                            std::string_view articleTime, std::string_view displaySize,
                            int referenceWidth) {
    const std::string crlf = "\r\n";
    std::string text = layout.versionCaption + " " + kProgramVersion + crlf;
    text += layout.parameterCaption + " " + std::string(parameterTime.substr(0, 16)) + crlf;
    text += layout.articleCaption + " " + std::string(articleTime.substr(0, 16)) + crlf;
    text += "Display " + std::string(displaySize) +
            (referenceWidth == 21200 ? "   (120PPT)" : "   (96PPT)") + crlf;
    text += layout.closingLine;
    return text;
}

std::string InfoText(const DataFiles& files, std::string_view name) {
    const std::string fileName = std::string(name) + "_" + files.language() + ".txt";
    if (auto file = files.open(fileName))
        return file->readLine();
    return "File " + fileName + " MANGLER";
}

} // namespace tv::data
