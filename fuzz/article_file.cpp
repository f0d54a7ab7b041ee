// Article lookup and record fields: the input is the article file of an
// installation whose other files are the sample's.

#include "FuzzSupport.h"
#include "data/DataFiles.h"
#include "platform/FileBytes.h"
#include "result/ArticleFile.h"
#include "wizard/ChoiceLine.h"
#include "wizard/Configuration.h"

#include <cmath>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace tv;
using result::ArticleRecord;

constexpr std::size_t kMaxInput = 256 * 1024;
constexpr std::size_t kMaxKeys = 10;

// Keys the sample's codes look up (written with "\xA4" for "¤").
const char* const kSampleKeys[] = {
    "\xA4"
    "0150_TKRYSS_CPD",
    "\xA4"
    "0080_FLENS_DN080_TK",
    "\xA4"
    "0150_A2_HL_EP_AKT_UFOT_VHK",
};

void CheckNumber(std::string_view field) {
    bool held = false;
    const double value = result::FieldNumber(field, &held);
    TV_REQUIRE(std::isfinite(value));
    TV_REQUIRE(std::fabs(value) <= result::kMaxFieldNumber);
    if (held)
        TV_REQUIRE(std::fabs(value) == result::kMaxFieldNumber);
    // Behind "0." the digits of any text are at most 1.
    std::string digits = "0.";
    for (const char c : field)
        if (c >= '0' && c <= '9')
            digits += c;
    const double fraction = result::FieldNumber(digits);
    TV_REQUIRE(fraction >= 0 && fraction <= 1);
    // A blank ends the number; a sign in front turns it.
    TV_REQUIRE(result::FieldNumber(std::string(field) + " kg") == value);
    if (!field.empty() && field[0] != '-' && field[0] != '+') {
        TV_REQUIRE(result::FieldNumber("-" + std::string(field)) == -value);
        TV_REQUIRE(result::FieldNumber("+" + std::string(field)) == value);
    }
}

void CheckRecord(data::DataFiles& files, const std::string& key, bool lowerCase, bool mustBeFound) {
    ArticleRecord record;
    const int count = result::LookupArticle(files, key, record,
                                            lowerCase ? result::Placeholder::kLowerCase
                                                      : result::Placeholder::kAsTranslated);
    TV_REQUIRE(count == record.count);
    TV_REQUIRE(count >= 0 && count <= result::kMaxArticleFields);
    const std::string& status = record.fields[0];
    TV_REQUIRE(status == "(MISSING) " || status.empty() || status == "(UNUSED) ");
    const bool found = status != "(MISSING) ";
    if (mustBeFound)
        TV_REQUIRE(found);
    std::string placeholder = files.TranslateText(data::TextKey("Mangler"));
    if (lowerCase)
        placeholder = platform::FoldCase(placeholder);
    TV_REQUIRE(record.fields[3].empty() || found);

    // Fields past the record and its translation hold the placeholder.
    std::string recordKey = key;
    while (!recordKey.empty() && recordKey.back() == ' ')
        recordKey.pop_back();
    data::ListLines translated;
    const int translatedCount = found ? files.ReadLangSection(recordKey, translated) : 0;
    const int filled = std::max(count, translatedCount);
    for (int i = 1; i <= result::kMaxArticleFields; ++i) {
        const std::string& field = record.fields[static_cast<std::size_t>(i)];
        TV_REQUIRE(field.size() <= data::kMaxLineBytes);
        if (i > filled && i != 3)
            TV_REQUIRE(field == placeholder);
        if (i <= count && i > translatedCount)
            TV_REQUIRE(field != "EOL");
    }
    if (found)
        TV_REQUIRE((status == "(UNUSED) ") == record.fields[2].starts_with("UNUSED"));
    for (std::size_t field : {4u, 5u, 6u, 8u})
        CheckNumber(record.fields[field]);
}

// A connection key "¤" + four digits + "_" + connection + "_" + dimension
// + "_TK" read back into the record that names it.
bool ConnectionRecordOf(const std::string& key, wizard::ConfigurationRecord& record, int slot) {
    if (key.size() < 10 || key[0] != data::kSection || !key.ends_with("_TK") || key[5] != '_')
        return false;
    int millimetres = 0;
    for (std::size_t i = 1; i <= 4; ++i) {
        if (key[i] < '0' || key[i] > '9')
            return false;
        millimetres = millimetres * 10 + (key[i] - '0');
    }
    const std::string rest = key.substr(6, key.size() - 9);
    const std::size_t split = rest.find('_');
    if (split == std::string::npos)
        return false;
    const std::string connection = rest.substr(0, split);
    if (platform::UpperCase(connection) != connection)
        return false;
    record.dimensionMillimetres = millimetres;
    auto& choice = record.slots[static_cast<std::size_t>(slot)];
    choice.connectionKey = connection;
    choice.dimensionKey = rest.substr(split + 1);
    return true;
}

void CheckConnection(data::DataFiles& files, const std::string& key) {
    const int slot = 1 + static_cast<int>(key.size() % 4);
    wizard::ConfigurationRecord record;
    if (!ConnectionRecordOf(key, record, slot))
        return;
    TV_REQUIRE(result::ConnectionKey(record, slot) == key);

    ArticleRecord plain;
    const int count = result::LookupArticle(files, key, plain, result::Placeholder::kLowerCase);
    std::string built;
    ArticleRecord connection;
    const int got = result::LookupConnection(files, record, slot, built, connection);
    TV_REQUIRE(built == key);
    TV_REQUIRE(got == (count > 0 ? count : -1));
    if (count > 0)
        TV_REQUIRE(connection.fields[0].empty());
    // The length may have been written with a decimal comma.
    std::string length = plain.fields[6];
    if (const auto comma = length.find(','); comma != std::string::npos)
        length[comma] = '.';
    TV_REQUIRE(connection.fields[6] == length);
    for (int i = 1; i <= result::kMaxArticleFields; ++i) {
        if (i != 6)
            TV_REQUIRE(connection.fields[static_cast<std::size_t>(i)] ==
                       plain.fields[static_cast<std::size_t>(i)]);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > kMaxInput)
        return 0;
    static const std::filesystem::path dir = [] {
        // A language file of its own, small: every record found is looked up
        // in it as well, and every text key line of the article file is
        // translated from it.
        const std::filesystem::path made = fuzz::ScratchDir() / "articles";
        std::filesystem::create_directories(made);
        fuzz::WriteFile(made / "Lang_EN.txt",
                        "English\r\n0\r\n\xA4\xA4Mangler\r\nMissing\r\n"
                        "\xA4\xA4"
                        "Flens\r\nFlange\r\n"
                        "\xA4"
                        "0080_FLENS_DN080_TK \r\nKT080-EN\r\nFlange DN 80\r\nEOL\r\n");
        return made;
    }();
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    fuzz::WriteFile(dir / "Vantordata.dat", input);

    // Fresh readers for every input, so nothing held from an earlier input
    // can answer, and all the lookups of an input in one operation, as the
    // program makes every command one: the article file is read once and
    // every lookup answers from it. Without it every lookup would read the
    // whole file again, since a file written a moment ago counts as one that
    // may still change unseen.
    const data::Operation operation;
    fuzz::CountingMessages messages;
    data::DataFiles files(dir, "EN", messages);

    // Keys of the input's own key lines; one followed by a blank names its
    // record (a key line without it names none, by the file's rule).
    std::vector<std::pair<std::string, bool>> keys;
    for (const std::string& line : fuzz::ExpectedLines(input, data::kMaxLineBytes)) {
        if (keys.size() == kMaxKeys)
            break;
        if (line.size() < 2 || line[0] != data::kSection || data::IsTextKey(line))
            continue;
        const std::string key = fuzz::LeadingKey(line);
        keys.emplace_back(key, key.size() < line.size() && platform::Trim(key).size() > 0);
    }
    for (const char* key : kSampleKeys)
        keys.emplace_back(key, false);
    keys.emplace_back("", false);
    keys.emplace_back("   ", false);

    // Every lookup scans the file; the placeholder's two spellings take
    // turns.
    for (std::size_t k = 0; k < keys.size(); ++k) {
        CheckRecord(files, keys[k].first, k % 2 == 1, keys[k].second);
        CheckConnection(files, keys[k].first);
    }
    // Field numbers of any text, the input's lines among them.
    std::size_t lines = 0;
    for (const std::string& line : fuzz::ExpectedLines(input, data::kMaxLineBytes)) {
        if (++lines > 16)
            break;
        CheckNumber(line);
    }
    return 0;
}
