// The sectioned-file readers: the input is the parameter file and the
// English language file of a data directory, read through DataFiles as the
// program reads them.

#include "FuzzSupport.h"
#include "data/DataFiles.h"
#include "data/TextFile.h"
#include "platform/FileBytes.h"
#include "wizard/ChoiceLine.h"
#include "wizard/Configuration.h"
#include "wizard/ValvePageLayout.h"

#include <bit>
#include <cmath>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace tv;
using data::DataFiles;
using data::ListLines;
using data::TextFile;

constexpr std::size_t kMaxInput = 256 * 1024;
constexpr std::size_t kMaxKeys = 6;

// Section keys of the sample, so that an input without section lines of its
// own still has every reader look for something.
const char* const kFixedKeys[] = {"¤DIM_TKRYSS", "¤BOTTOM_B", "¤Dimensions_hlp"};

std::string Cp(std::string_view utf8) {
    // The fixed keys are written in UTF-8 here; the files hold Windows-1252.
    std::string out;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (utf8.substr(i, 2) == "\xC2\xA4") {
            out += data::kSection;
            ++i;
        } else {
            out += utf8[i];
        }
    }
    return out;
}

// What ReadTextLine delivers of a raw line: nothing for a skipped line, a
// text key translated.
struct Model {
    std::vector<std::string> lines;
    std::map<std::string, std::string> translations; // first occurrence wins

    explicit Model(std::string_view bytes) : lines(fuzz::ExpectedLines(bytes, data::kMaxLineBytes)) {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (data::IsTextKey(lines[i]))
                translations.emplace(lines[i], i + 1 < lines.size() ? lines[i + 1] : "");
        }
    }

    bool skipped(const std::string& line) const {
        return line.empty() || line[0] == ' ' || line[0] == '*';
    }
};

std::vector<std::string> SectionKeys(const Model& model) {
    std::vector<std::string> keys;
    for (const std::string& line : model.lines) {
        if (keys.size() == kMaxKeys)
            break;
        if (!line.empty() && line[0] == data::kSection && !data::IsTextKey(line))
            keys.push_back(fuzz::LeadingKey(line));
    }
    return keys;
}

void CheckList(int count, const ListLines& lines) {
    TV_REQUIRE(count >= -1 && count <= data::kMaxListLines);
    for (int i = 1; i <= count; ++i) {
        TV_REQUIRE(lines[static_cast<std::size_t>(i)] != "EOL");
        TV_REQUIRE(lines[static_cast<std::size_t>(i)].size() <= data::kMaxLineBytes);
    }
    for (int i = std::max(count, 0) + 1; i <= data::kMaxListLines; ++i)
        TV_REQUIRE(lines[static_cast<std::size_t>(i)].empty());
}

void CheckFile(DataFiles& files, const Model& model) {
    // Line by line, the file is what is on disk. A line number is counted
    // from the top each time it is asked for, so asking after every line
    // would cost the square of the file's size: it is asked after the first
    // lines, after lines 32, 64, 128 and so on, after a line cut at the
    // limit and after the last.
    {
        auto file = files.openParameterFile();
        TV_REQUIRE(file);
        const std::size_t count = model.lines.size();
        for (std::size_t i = 0; i < count; ++i) {
            TV_REQUIRE(!file->atEnd());
            TV_REQUIRE(file->readLine() == model.lines[i]);
            if (i < 16 || std::has_single_bit(i + 1) || i + 1 == count ||
                model.lines[i].size() == data::kMaxLineBytes)
                TV_REQUIRE(file->lineNumber() == i + 1);
        }
        TV_REQUIRE(file->atEnd());
        TV_REQUIRE(file->readLine().empty());
    }
    // Content lines: skipped lines never come, text keys come translated.
    {
        auto file = files.openParameterFile();
        TV_REQUIRE(file);
        for (const std::string& line : model.lines) {
            if (model.skipped(line))
                continue;
            const std::string got = data::ReadTextLine(*file);
            if (data::IsTextKey(line))
                TV_REQUIRE(got == model.translations.at(line));
            else
                TV_REQUIRE(got == line);
        }
        TV_REQUIRE(data::ReadTextLine(*file).empty());
        TV_REQUIRE(file->atEnd());
    }
    // Number lines until the end; then 0.
    {
        auto file = files.openParameterFile();
        TV_REQUIRE(file);
        for (std::size_t i = 0; i <= model.lines.size() && !file->atEnd(); ++i)
            data::ReadNumberLine(*file);
        TV_REQUIRE(file->atEnd());
        TV_REQUIRE(data::ReadNumberLine(*file) == 0);
    }
}

void CheckSections(DataFiles& files, DataFiles& fresh, const Model& model, bool fixedKeys) {
    const std::vector<std::string> own = SectionKeys(model);
    std::vector<std::string> keys = own;
    if (fixedKeys)
        for (const char* key : kFixedKeys)
            keys.push_back(Cp(key));

    for (std::size_t k = 0; k < keys.size(); ++k) {
        const std::string& key = keys[k];
        const bool inFile = k < own.size();

        auto file = files.openParameterFile();
        TV_REQUIRE(file);
        const bool found = data::FindSection(key, *file);
        // A key taken from a section key line is found in it at the latest.
        if (inFile)
            TV_REQUIRE(found);
        if (found)
            TV_REQUIRE(file->section() == key);
        else
            TV_REQUIRE(file->atEnd());

        ListLines lines;
        const int count = files.ReadParamSection(key, lines);
        CheckList(count, lines);
        TV_REQUIRE((count >= 0) == found);
        // Every reader scans the file, translating as it goes: the others
        // look for the file's first few keys only (and the fixed ones).
        if (inFile && k >= 2)
            continue;
        // The same answer from memory as from a fresh read: readers of
        // their own read the file afresh and build its key tables anew.
        ListLines again;
        TV_REQUIRE(fresh.ReadParamSection(key, again) == count && again == lines);

        ListLines lang;
        const int langCount = files.ReadLangSection(key, lang);
        CheckList(langCount, lang);
        // The language file holds the same bytes; its lists have no title line.
        TV_REQUIRE((langCount >= 0) == found);

        const std::string letter = files.LookupCodeLetter(key);
        TV_REQUIRE(letter.size() <= 1);

        // A help key names the section "¤" + key + "_hlp".
        if (key.size() > 5 && key.ends_with("_hlp")) {
            const auto panel = files.ReadHelpPanel(key.substr(1, key.size() - 5), "CONN");
            TV_REQUIRE(panel.has_value() == found);
            if (panel) {
                for (std::size_t at = panel->text.find('\n'); at != std::string::npos;
                     at = panel->text.find('\n', at + 1))
                    TV_REQUIRE(at > 0 && panel->text[at - 1] == '\r');
            }
        }
    }
}

void CheckTranslations(DataFiles& english, DataFiles& norwegian, const Model& model) {
    std::size_t checked = 0;
    for (const auto& [key, translation] : model.translations) {
        if (++checked > kMaxKeys)
            break;
        TV_REQUIRE(english.TranslateText(key) == translation);
        TV_REQUIRE(norwegian.TranslateText(key) == key.substr(2));
    }
    // A text key the file does not hold stays its own text.
    const std::string absent = data::TextKey("\x01\x02 not in any file");
    if (!model.translations.count(absent))
        TV_REQUIRE(english.TranslateText(absent) == "\x01\x02 not in any file");
}

void CheckHeads(DataFiles& files) {
    auto language = files.openLanguageFile();
    TV_REQUIRE(language);
    const data::LanguageHead head = files.ReadLanguageHead(*language);
    if (head.showTopText)
        TV_REQUIRE(head.topText.ends_with(std::string(" ver. ") + data::kProgramVersion));
    else
        TV_REQUIRE(head.topText.empty());

    auto param = files.openParameterFile();
    TV_REQUIRE(param);
    files.ReadParamHead(*param);
    const std::string identification = files.head.identification;
    TV_REQUIRE(files.ReadParamIdentification() == identification);
}

// Only the digits of a text.
std::string DigitsOf(std::string_view text) {
    std::string digits;
    for (const char c : text)
        if (c >= '0' && c <= '9')
            digits += c;
    return digits;
}

// The number at the start of a line, as number lines and choice lines read
// it: never NaN; a number behind "0." is at most 1; a longer negative
// exponent never makes a number larger.
void CheckLeadingNumber(const std::string& line) {
    const double value = data::LeadingNumber(line);
    TV_REQUIRE(!std::isnan(value));
    const double fraction = data::LeadingNumber("0." + DigitsOf(line));
    TV_REQUIRE(fraction >= 0 && fraction <= 1);
    const double small = std::fabs(data::LeadingNumber(line + "e-9"));
    const double smaller = std::fabs(data::LeadingNumber(line + "e-900"));
    TV_REQUIRE(smaller <= small);
    const int held = data::HeldNumber(value, -9999, 9999);
    TV_REQUIRE(held >= -9999 && held <= 9999);
}

void CheckChoiceLine(const wizard::ChoiceLine& line) {
    TV_REQUIRE(line.letter.size() <= 1);
    TV_REQUIRE(line.millimetres >= -9999 && line.millimetres <= 9999);
    TV_REQUIRE(line.key.find(' ') == std::string::npos);
}

// The choice lists and the code check on what the file gives.
void CheckChoices(DataFiles& files, const Model& model) {
    const std::vector<std::string> keys = SectionKeys(model);
    for (std::size_t k = 0; k < keys.size() && k < 4; ++k) {
        const wizard::ChoiceList list = wizard::ReadChoiceList(files, keys[k], wizard::kDescriptionColumn,
                                                               wizard::kMaxAccessoryLines);
        TV_REQUIRE(list.lines.size() <= wizard::kMaxAccessoryLines);
        for (const wizard::ChoiceLine& line : list.lines)
            CheckChoiceLine(line);
    }
    const wizard::ValvePageLayout layout = wizard::ReadValvePageLayout(files);
    TV_REQUIRE(layout.valveTypes.size() <= static_cast<std::size_t>(wizard::kMaxValveTypes));
    for (const wizard::ChoiceLine& type : layout.valveTypes)
        CheckChoiceLine(type);

    wizard::Configuration config(files, layout);
    std::vector<std::string> codes = {"TBGCFCSPFCXX-V18"};
    if (!layout.valveTypes.empty() && !layout.valveTypes[0].letter.empty())
        codes.push_back(layout.valveTypes[0].letter + "BXCFCXXFCXX-V18");
    for (const std::string& code : codes) {
        config.code = code;
        const int result = config.CheckCode();
        TV_REQUIRE(result >= 0 && result <= wizard::kCodePositions);
        if (result == 0)
            TV_REQUIRE(config.record.valveType >= 1 &&
                       config.record.valveType <= static_cast<int>(layout.valveTypes.size()));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > kMaxInput)
        return 0;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    static const std::filesystem::path dir = fuzz::ScratchDir() / "data";
    static const bool made = std::filesystem::create_directories(dir);
    (void)made;

    // The parameter file under its own name or in other letter case, which
    // the data directory matches too.
    std::error_code ignored;
    std::filesystem::remove(dir / "Tessaro.dat", ignored);
    std::filesystem::remove(dir / "TESSARO.DAT", ignored);
    fuzz::WriteFile(dir / (size % 2 ? "TESSARO.DAT" : "Tessaro.dat"), input);
    fuzz::WriteFile(dir / "Lang_EN.txt", input);

    // Fresh readers for every input, so nothing held from an earlier input
    // can answer. All the checks of an input are one operation, as every
    // command of the program is: each reader looks at each file on disk once
    // and then answers from what it read. Without it every open would read
    // the whole file again, since a file written a moment ago counts as one
    // that may still change unseen.
    const data::Operation operation;
    fuzz::CountingMessages messages;
    DataFiles files(dir, "EN", messages);
    DataFiles fresh(dir, "EN", messages);
    const Model model(input);
    CheckFile(files, model);
    // The file's own keys every time; of the rest, a third of the inputs (by
    // their size) each: the sample's keys, the choice lists and the code
    // check, the translations and heads. Each input costs a third of what
    // they cost together.
    const std::size_t part = size / 2 % 3;
    CheckSections(files, fresh, model, part == 0);
    if (part == 1) {
        CheckChoices(files, model);
    } else if (part == 2) {
        DataFiles norwegian(dir, "NO", messages);
        CheckTranslations(files, norwegian, model);
        CheckHeads(files);
    }
    for (std::size_t i = 0; i < model.lines.size() && i < 8; ++i)
        CheckLeadingNumber(model.lines[i]);
    return 0;
}
