#include "result/ArticleFile.h"

#include "data/ProgramTexts.h"
#include "platform/FileBytes.h"

#include "data/TextFile.h"
#include "wizard/ChoiceLine.h"

#include <charconv>

namespace tv::result {

namespace {

constexpr std::string_view kArticleFile = "Vantordata.dat";
constexpr std::string_view kUnused = "UNUSED";

std::string DimensionPrefix(const wizard::ConfigurationRecord& record) {
    return wizard::FourDigits(record.dimensionMillimetres) + "_";
}

// A record before its lookup: every field the placeholder, field 3 empty,
// the status "(MISSING) ".
void FillWithPlaceholders(data::DataFiles& files, ArticleRecord& record, Placeholder placeholder) {
    std::string missing = files.TranslateText(data::TextKey(data::text::kMissing));
    if (placeholder == Placeholder::kLowerCase)
        missing = platform::FoldCase(missing);
    record.fields.fill(missing);
    record.fields[field::kStatus] = "(MISSING) ";
    record.fields[field::kAdditionalText].clear();
    record.count = 0;
}

// The field lines after the title line, up to the record's end; more than
// the record holds are said once. Returns their count.
int ReadFieldLines(data::DataFiles& files, data::TextFile& file, const std::string& recordKey,
                   ArticleRecord& record) {
    int count = 0;
    while (auto line = data::ReadListLine(file)) {
        if (count == kMaxArticleFields) {
            files.report(std::string(kArticleFile) + ", record " + recordKey + ": more than " +
                         std::to_string(kMaxArticleFields) + " field lines; only the first " +
                         std::to_string(kMaxArticleFields) + " are used.");
            break;
        }
        record.fields[static_cast<std::size_t>(++count)] = std::move(*line);
    }
    return count;
}

// A language may carry its own article texts, without a title line.
void TakeLanguageTexts(data::DataFiles& files, const std::string& recordKey,
                       ArticleRecord& record) {
    data::ListLines translated;
    const int lines = files.ReadLangSection(recordKey, translated);
    for (int i = 1; i <= lines; ++i)
        record.fields[static_cast<std::size_t>(i)] = translated[static_cast<std::size_t>(i)];
}

// The lengths and weights the results add up: a field beyond the range is
// said once.
void ReportHeldNumbers(data::DataFiles& files, const std::string& recordKey,
                       const ArticleRecord& record) {
    for (const std::size_t number : {field::kLength, field::kWeight}) {
        bool held = false;
        FieldNumber(record.fields[number], &held);
        if (held)
            files.report(std::string(kArticleFile) + ", record " + recordKey + ", field " +
                         std::to_string(number) + ": the number is beyond " +
                         std::to_string(static_cast<long long>(kMaxFieldNumber)) +
                         "; that limit is used.");
    }
}

} // namespace

std::string RecordKey(std::string_view key) {
    if (key.ends_with(' '))
        key.remove_suffix(1);
    return std::string(key);
}

bool IsUnused(std::string_view field) {
    return field.starts_with(kUnused);
}

bool IsUnused(const ArticleRecord& record) {
    return IsUnused(record.fields[field::kDescription]);
}

int LookupArticle(data::DataFiles& files, std::string_view key, ArticleRecord& record,
                  Placeholder placeholder) {
    FillWithPlaceholders(files, record, placeholder);
    // No key names no record: searched as a lone blank it would find the
    // first key line with any blank in it.
    if (platform::Trim(key).empty())
        return 0;

    auto file = files.openArticleFile();
    if (!file) {
        // Start-up found the file; it has gone since. The result goes on
        // with placeholders, as for any article that is not there.
        files.report(std::string("Article file ") + std::string(kArticleFile) + " not found in " +
                     data::PathText(files.dataDirectory()) +
                     "\r\nMissing articles are shown instead.");
        return 0;
    }

    const std::string recordKey = RecordKey(key);
    const std::string searched = recordKey + ' ';
    // The blank behind the key keeps a key from matching a longer one.
    if (!data::FindKeyLine(data::KeyRule::Article, searched, *file))
        return 0;

    record.fields[field::kStatus].clear();
    files.currentSectionTitle = data::ReadTextLine(*file);
    record.count = ReadFieldLines(files, *file, recordKey, record);
    TakeLanguageTexts(files, recordKey, record);
    ReportHeldNumbers(files, recordKey, record);
    if (IsUnused(record))
        record.fields[field::kStatus] = "(UNUSED) ";
    if (IsUnused(record.fields[field::kAdditionalText]))
        record.fields[field::kAdditionalText].clear();
    return record.count;
}

double FieldNumber(std::string_view field, bool* held) {
    if (held)
        *held = false;
    // The longest prefix that is a decimal number: a sign, digits, a point
    // and digits. A blank, a comma or a unit ends it ("1 200 kg" is 1).
    std::size_t end = 0;
    if (end < field.size() && (field[end] == '+' || field[end] == '-'))
        ++end;
    const std::size_t digitsStart = end;
    while (end < field.size() && field[end] >= '0' && field[end] <= '9')
        ++end;
    bool digits = end > digitsStart;
    if (end < field.size() && field[end] == '.') {
        const std::size_t fraction = end + 1;
        std::size_t stop = fraction;
        while (stop < field.size() && field[stop] >= '0' && field[stop] <= '9')
            ++stop;
        if (digits || stop > fraction) {
            digits = true;
            end = stop;
        }
    }
    if (!digits)
        return 0.0;

    // from_chars takes no leading "+" and never depends on the locale.
    std::string_view number = field.substr(0, end);
    const bool negative = number.front() == '-';
    if (number.front() == '+' || negative)
        number.remove_prefix(1);
    std::string text(number);
    if (text.front() == '.')
        text.insert(text.begin(), '0');
    double value = 0.0;
    const std::errc error = std::from_chars(text.data(), text.data() + text.size(), value).ec;
    // A fraction of hundreds of zeros behind the point is too small for a
    // double: 0. Beyond the range (a line of hundreds of digits) the limit
    // stands in, never infinity or 0.
    const bool tiny = text.find_first_of("123456789") > text.find('.');
    if (error == std::errc::result_out_of_range && tiny)
        value = 0.0;
    else if (error == std::errc::result_out_of_range || value > kMaxFieldNumber) {
        value = kMaxFieldNumber;
        if (held)
            *held = true;
    }
    return negative ? -value : value;
}

std::string CenterPartKey(const wizard::ConfigurationRecord& record) {
    return data::SectionKey(DimensionPrefix(record) + platform::UpperCase(record.typeKey) + "_CPD");
}

std::string AccessoryKey(const wizard::ConfigurationRecord& record) {
    return data::SectionKey(DimensionPrefix(record) + record.accessoryKey + "_BRV ");
}

std::string ActuatorKey(const wizard::ConfigurationRecord& record) {
    return data::SectionKey(DimensionPrefix(record) + "AKT");
}

std::string ValveHouseKey(const wizard::ConfigurationRecord& record, std::string_view houseCode) {
    std::string key = DimensionPrefix(record);
    for (const wizard::OptionChoice& option : record.options)
        key += option.tag + "_";
    return data::SectionKey(key + std::string(houseCode) + "_VHK");
}

std::string ConnectionKey(const wizard::ConfigurationRecord& record, int slot) {
    if (slot < 1 || slot > 4)
        return {};
    const wizard::SlotChoice& choice = record.slots[static_cast<std::size_t>(slot)];
    return data::SectionKey(DimensionPrefix(record) + platform::UpperCase(choice.connectionKey) +
                            "_" + choice.dimensionKey + "_TK");
}

int LookupConnection(data::DataFiles& files, const wizard::ConfigurationRecord& record, int slot,
                     std::string& key, ArticleRecord& article) {
    key = ConnectionKey(record, slot);
    const int count = LookupArticle(files, key, article, Placeholder::kLowerCase);
    if (count > 0)
        article.fields[field::kStatus].clear();
    // Connection lengths may be written with a decimal comma ("262,5 mm").
    std::string& length = article.fields[field::kLength];
    if (const auto comma = length.find(','); comma != std::string::npos)
        length[comma] = '.';
    return count > 0 ? count : -1;
}

} // namespace tv::result
