#include "output/Report.h"

#include "data/ProgramTexts.h"
#include "result/ArticleFile.h"
#include "result/ValvePicture.h"

#include <cstdio>

namespace tv::output {
namespace {

using data::TextKey;
using result::ArticleRecord;
using result::IsUnused;

constexpr const char* kCrLf = "\r\n";

// The maker's order line and address, given as text keys so a language file
// can write them its own way.
constexpr const char* kMakerName = "Kelmor";
constexpr const char* kMakerPhone = "Tlf: +47 51 00 00 00";
constexpr const char* kMakerMail = "E-post: ordre@kelmor.example";

std::string DimensionCell(int millimetres) {
    return "\xD8" + std::to_string(millimetres) + " mm"; // "Ø"
}

// The weight column of a record's row: "---" for a withdrawn weight.
std::string WeightCell(const ArticleRecord& record) {
    const std::string& weight = record.fields[result::field::kWeight];
    return IsUnused(weight) ? std::string("---") : weight;
}

// Tracks the weight total: a part that cannot say its weight leaves the
// total incomplete, which debug mode shows.
struct WeightTotal {
    double kg = 0;
    bool complete = true;

    void addField(const std::string& field) {
        if (IsUnused(field)) {
            complete = false;
            return;
        }
        kg += result::FieldNumber(field);
    }
    void addHouses(int count, double unitWeight) {
        // A valve house lighter than this has no real weight on record.
        if (unitWeight < 0.9) {
            complete = false;
            return;
        }
        kg += count * unitWeight;
    }
};

class ReportWriter {
public:
    ReportWriter(const ReportInputs& in, data::DataFiles& files, platform::Platform& platform,
                 data::TextFile& layout)
        : in_(in), files_(files), platform_(platform), layout_(layout),
          separator_(platform.system.decimalSeparator()) {}

    std::vector<std::string> write(const std::string& reportDate, const std::string& nrf,
                                   const std::string& pictureName);

private:
    std::string text() { return data::ReadTextLine(layout_); }
    int number() { return data::ReadNumberLine(layout_); }
    // A program text in the report's language, as text (`tr`) or as it goes
    // into the page (`html`). Every value of the page is written escaped;
    // only the layout section's own lines are the maker's markup.
    std::string tr(std::string_view norwegian) const {
        return files_.TranslateText(TextKey(norwegian));
    }
    std::string html(std::string_view norwegian) const { return EscapeHtml(tr(norwegian)); }
    void put(std::string line) { lines_.push_back(std::move(line)); }
    std::string measure(double value, int decimals) const {
        return result::FormatMeasure(value, decimals, in_.startup.debugMode, separator_);
    }
    std::string unfinished(bool complete) const {
        return in_.startup.debugMode && !complete ? "  (U)" : "";
    }

    void head();
    void information(const std::string& reportDate, const std::string& nrf);
    void partsTable();
    void row(const std::string& article, const std::string& dimension,
             const std::string& description, const std::string& weight, const std::string& remark);
    void houseRows();
    void articleRows();
    void connectionRows();
    void connectionRow(int slot, std::string_view remark);
    void totals();
    void customer();

    const ReportInputs& in_;
    data::DataFiles& files_;
    platform::Platform& platform_;
    data::TextFile& layout_;
    std::string separator_;
    std::vector<std::string> lines_;
    int fontSize_ = 0;
    std::array<int, 5> widths_{};
    WeightTotal weight_;
};

std::vector<std::string> ReportWriter::write(const std::string& reportDate, const std::string& nrf,
                                             const std::string& pictureName) {
    text(); // the section's title
    head();
    information(reportDate, nrf);
    put("<h3>" + EscapeHtml(in_.record.typeDescription) + " " + text() + "</h3>");
    fontSize_ = number() - 10;
    for (int& width : widths_)
        width = number();
    number(); // not used
    partsTable();
    houseRows();
    articleRows();
    connectionRows();
    totals();

    number(); // not used
    put("<br> ");
    put("<center><image border=1 ");
    put(" src=\"" + EscapeHtml(pictureName) + ".bmp\"></center><br>");
    put("</td></tr></table>");

    customer();
    const std::string hint = text();
    put("<font size=-1>");
    put(html(data::text::kPrintHint) + hint);
    put("</font></body> </html>");
    return std::move(lines_);
}

void ReportWriter::head() {
    put("<html><head><title>Tessaro ventilvavuvirivado rapport</title>");
    put("</head><body><table border=0><tr><td width=800>");
    put("<table><tr><td><image border=0 src='KelmorLogo_21.bmp'></td><td><center><h1> " +
        html(kMakerName) + " <br/> " + html(kMakerPhone) + " <br/> " + html(kMakerMail) +
        " <br/></h1>");
    put("<h2>" + text() + "</h2></center></td></tr></table>");
}

void ReportWriter::information(const std::string& reportDate, const std::string& nrf) {
    put("<table>");
    put("<tr>");
    auto line = [this](const std::string& start, const std::string& caption,
                       const std::string& valueCell) {
        put(start);
        put(caption);
        put("<td width=800>");
        put(valueCell);
    };
    line("<td width=190>", text() + ":</td>", std::string(data::kProgramVersion) + "</td></tr>");
    line("<td width=190>", text() + ":</td>", EscapeHtml(in_.parameterFileTime) + "</td></tr>");
    line("<td width=190>", text() + ":</td>", EscapeHtml(in_.articleFileTime) + "</td></tr>");
    line("<tr><td width=190>", text() + ":</td>", EscapeHtml(reportDate) + "</td></tr>");
    line("<td width=190>", " </td>", " </td></tr>");
    const std::string codeCaption = text();
    put("<td width=190>");
    put(codeCaption + ":</td>");
    put("<td width=800><B>");
    put(EscapeHtml(in_.code) + " </B> -" + html(data::text::kCodeNote) + "</td></tr>");
    line("<td width=190>", text() + ":</td>", EscapeHtml(nrf) + "</td></tr>");
    put("</table> <br>");
}

void ReportWriter::partsTable() {
    put("<table border=1>");
    put("<tr>");
    for (int column = 0; column < 5; ++column) {
        std::string title = text();
        // The weight column tells the staff it shows the record line as is.
        if (column == 3 && in_.startup.debugMode)
            title += "   (L)";
        WriteCell(lines_, "<b>" + title + "</b>", widths_[column], 0);
    }
    text(); // a sixth column no longer shown
}

void ReportWriter::row(const std::string& article, const std::string& dimension,
                       const std::string& description, const std::string& weight,
                       const std::string& remark) {
    put("<tr>");
    const std::string cells[5] = {article, dimension, description, weight, remark};
    for (int column = 0; column < 5; ++column)
        WriteCell(lines_, EscapeHtml(cells[column]), widths_[column], fontSize_);
    put("</tr>");
}

void ReportWriter::houseRows() {
    const auto& state = in_.state;
    const int type = in_.record.valveType;
    const std::string dimension = DimensionCell(in_.record.dimensionMillimetres);
    const std::string pieces = tr(data::text::kPieces);

    const result::Part& first = state.parts[result::kNorth];
    row(first.articleNumber, dimension, first.description,
        result::FormatMeasure(first.weight, 1, false, separator_) + " kg",
        std::to_string(state.houseCount) + pieces);
    weight_.addHouses(state.houseCount, first.weight);

    const bool alike = state.marker != '!';
    if (alike || type < 2 || type > 4)
        return;
    // The second kind is the house at 6 o'clock. When that one is of the
    // first kind (in the usual crosses the houses at 3 and 9 o'clock are
    // the odd ones), the house at 3 o'clock stands for it, as in the result
    // text, so that no house is listed twice. The T-cross has one house of
    // the second kind, the other crosses two.
    const int count = type == 2 ? 1 : state.houseCount;
    const bool southDiffers = state.houseCodes[1] != state.houseCodes[0];
    const result::Part& second = state.parts[southDiffers ? result::kSouth : result::kEast];
    row(second.articleNumber, dimension, second.description,
        result::FormatMeasure(second.weight, 1, false, separator_) + " kg",
        std::to_string(count) + pieces);
    weight_.addHouses(count, second.weight);
}

void ReportWriter::articleRows() {
    const auto& record = in_.record;
    const int type = record.valveType;
    const std::string dimension = DimensionCell(record.dimensionMillimetres);

    const auto& actuator = record.options[wizard::kActuator];
    if (actuator.chosen && actuator.tag != "NOAKT") {
        ArticleRecord r;
        // One actuator fits every valve of a dimension.
        result::LookupArticle(files_, result::ActuatorKey(record), r,
                              result::Placeholder::kAsTranslated);
        std::string description = IsUnused(r.fields[result::field::kDescription])
                                      ? r.fields[result::field::kStatus] + tr(data::text::kActuator)
                                      : r.fields[result::field::kDescription];
        if (in_.startup.debugMode)
            description += "  (" + actuator.tag + ")";
        row(r.fields[result::field::kArticleNumber], "---", description, WeightCell(r), "-");
        weight_.addField(r.fields[result::field::kWeight]);
    }

    if (type < 2 || type > 4)
        return;

    ArticleRecord centre;
    result::LookupArticle(files_, result::CenterPartKey(record), centre,
                          result::Placeholder::kAsTranslated);
    row(centre.fields[result::field::kArticleNumber], dimension,
        IsUnused(centre.fields[result::field::kDescription])
            ? centre.fields[result::field::kStatus] + tr(data::text::kCentrePart)
            : centre.fields[result::field::kDescription],
        WeightCell(centre), "-");
    weight_.addField(centre.fields[result::field::kWeight]);

    ArticleRecord accessory;
    result::LookupArticle(files_, result::AccessoryKey(record), accessory,
                          result::Placeholder::kAsTranslated);
    row(IsUnused(accessory.fields[result::field::kArticleNumber])
            ? std::string("---")
            : accessory.fields[result::field::kArticleNumber],
        dimension,
        accessory.fields[result::field::kStatus] + accessory.fields[result::field::kDescription],
        WeightCell(accessory), "-");
    // A withdrawn accessory still goes on the order; its weight counts as
    // far as it is a number.
    weight_.kg += result::FieldNumber(accessory.fields[result::field::kWeight]);
}

void ReportWriter::connectionRows() {
    const int type = in_.record.valveType;
    const auto& remarks = data::text::kReportConnections;
    connectionRow(1, remarks[1]);
    if (type == 2 || type == 3)
        connectionRow(2, remarks[2]);
    connectionRow(3, remarks[3]);
    if (type == 3)
        connectionRow(4, remarks[4]);
}

void ReportWriter::connectionRow(int slot, std::string_view remark) {
    const std::string& key = in_.state.connectionKeys[slot];
    const wizard::SlotChoice& choice = in_.record.slots[slot];
    ArticleRecord r;
    result::LookupArticle(files_, key, r, result::Placeholder::kAsTranslated);
    // A withdrawn connection is still described by the menu entry chosen.
    std::string description =
        r.fields[result::field::kStatus] + (IsUnused(r.fields[result::field::kDescription])
                                                ? choice.connectionDescription
                                                : r.fields[result::field::kDescription]);
    if (in_.startup.debugMode)
        description += "  (" + key + ")";
    row(r.fields[result::field::kArticleNumber], DimensionCell(choice.dimensionMillimetres),
        description, WeightCell(r), tr(remark));
    weight_.addField(r.fields[result::field::kWeight]);
}

void ReportWriter::totals() {
    const auto& state = in_.state;
    put("</table> <br>");
    put("<table>");

    put("<tr>");
    put("<td>");
    put(text() + " : </td>");
    put("<td>");
    put(measure(state.vertical, 0) + " mm" + unfinished(state.verticalComplete) + "</td>");
    put("<td width=50> </td>");
    put("<td> </td>");
    put("</tr>");

    const std::string horizontalCaption = text();
    if (in_.record.valveType >= 2 && in_.record.valveType <= 4) {
        put("<tr><td>");
        put(horizontalCaption + " : </td>");
        put("<td>");
        put(measure(state.horizontal, 0) + " mm" + unfinished(state.horizontalComplete) + "</td>");
        put("</tr>");
    }

    put("<tr>");
    put("<td>");
    put(text() + " : </td>");
    put("<td>");
    put(measure(weight_.kg, 1) + " kg" + unfinished(weight_.complete) + "</td>");
    put("<td> </td>");
    put("<td>" + html(data::text::kQuantity) + "................</td>");
    put("</tr>");
    put("</table>");
}

void ReportWriter::customer() {
    put("<table border=\"1\" cellpadding=\"0\" cellspacing=\"0\""
        " style=\"border-collapse: collapse\" bordercolor=\"#111111\" width=\"100%\""
        " id=\"AutoNumber1\">");
    put("<tr>");
    put("<td border=0 align=center>");
    put("<B>" + html(data::text::kOrderedBy) + " :</B>");
    put("</td>");
    put("</tr>");
    const data::CustomerDetails& c = in_.customer;
    // What the customer typed is shown as typed, never taken as markup.
    const std::pair<const char*, const std::string*> details[] = {
        {"Firma", &c.company},
        {"Bestillers navn", &c.customer},
        {"Fakturaadresse", &c.invoiceAddress},
        {"Levering", &c.deliveryAddress},
    };
    for (const auto& [key, value] : details) {
        put("<tr><td><b>");
        put(html(key) + " : </b>" + EscapeHtml(*value) + "<br>&nbsp;");
        put("<td></tr>");
    }
    put("<tr><td><b>");
    put(html(data::text::kSignature) + " : </b><br>&nbsp;");
    put("<td></tr>");
    put("</table><br>");
}

// The NRF number of a code: the first line of its own section, "---" when
// the code has none.
std::string NrfNumber(data::DataFiles& files, const std::string& code) {
    auto file = files.openParameterFile();
    if (!file || !data::FindSection(data::SectionKey(code + "_NRF"), *file))
        return "---";
    return data::ReadTextLine(*file);
}

// The file name of the picture beside the report, without directory.
std::string PictureName(const std::string& baseName) {
    const auto cut = baseName.find_last_of("/\\");
    return cut == std::string::npos ? baseName : baseName.substr(cut + 1);
}

// Composes the valve picture with its dimensions and has it saved beside
// the report. A picture without a size has nothing to save: the message
// says why, not that the file could not be written.
platform::WriteResult SaveValvePicture(const ReportInputs& in, data::DataFiles& files,
                                       platform::Platform& platform, result::Canvas& canvas,
                                       const SaveBitmap& saveBitmap,
                                       const std::filesystem::path& bitmap) {
    const std::string separator = platform.system.decimalSeparator();
    const result::EnlargedPicture picture = result::ComposeEnlargedPicture(
        canvas, files, in.state, in.record, in.startup, in.code, false);
    result::DrawEnlargedDimensions(canvas, files, in.state, in.record, in.startup, separator);
    const bool sized = picture.geometry.width > 0 && picture.geometry.height > 0;
    if (!sized) {
        platform.messages.inform("The valve picture has no size: the section \xA4"
                                 "DEPICTURE of Tessaro.dat is missing or gives none.");
        return {}; // nothing to save without a size
    }
    return saveBitmap ? saveBitmap(bitmap)
                      : platform::WriteResult::Failure(bitmap.string() +
                                                       ": this run cannot draw pictures");
}

// One box for whatever could not be written, naming each file and why, so
// a report directory the user cannot write to is noticed at once; one for
// the notes of what was.
void SayWhatWasNotWritten(platform::MessageBoxes& messages, const std::filesystem::path& bitmap,
                          const platform::WriteResult& bitmapSaved,
                          const std::filesystem::path& report,
                          const platform::WriteResult& reportSaved) {
    std::string failed;
    std::string notes;
    using Written = std::pair<const std::filesystem::path*, const platform::WriteResult*>;
    for (const auto& [file, result] :
         {Written{&bitmap, &bitmapSaved}, Written{&report, &reportSaved}}) {
        if (!*result)
            failed +=
                std::string(kCrLf) + data::PathText(*file) + std::string(kCrLf) + result->reason;
        else if (!result->note.empty())
            notes += std::string(kCrLf) + result->note;
    }
    if (!failed.empty())
        messages.inform((reportSaved ? "The valve picture could not be written:"
                                     : "The report could not be written:") +
                        failed);
    if (!notes.empty())
        messages.inform("The report was written, but:" + notes);
}

} // namespace

void WriteCell(std::vector<std::string>& lines, const std::string& text, int width, int fontSize) {
    lines.push_back("<td width=" + std::to_string(width) + ">");
    if (fontSize != 0)
        lines.push_back("<font size=" + std::to_string(fontSize) + ">");
    lines.push_back(text + "</td>");
}

std::string EscapeHtml(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&#39;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

ReportOutcome WriteReport(const ReportInputs& in, data::DataFiles& files,
                          platform::Platform& platform, result::Canvas& canvas,
                          const SaveBitmap& saveBitmap) {
    const std::string& baseName = in.state.reportBaseName;
    ReportOutcome outcome{data::ToPath(baseName + ".htm"), false};
    const std::filesystem::path bitmap = data::ToPath(baseName + ".bmp");
    const platform::WriteResult bitmapSaved =
        SaveValvePicture(in, files, platform, canvas, saveBitmap, bitmap);

    const std::string reportDate =
        platform.system.formatDateTime(platform.system.now()).substr(0, 16);
    const std::string nrf = NrfNumber(files, in.code);

    auto layout = files.openParameterFile();
    if (!layout || !data::FindSection(data::SectionKey("HTML-LAYOUT"), *layout)) {
        platform.messages.inform(kNoLayoutMessage);
        return outcome;
    }

    ReportWriter writer(in, files, platform, *layout);
    std::string bytes;
    for (const std::string& line : writer.write(reportDate, nrf, PictureName(baseName)))
        bytes += line + kCrLf;
    const platform::WriteResult written = platform::WriteFileSafely(outcome.path, bytes);
    outcome.written = static_cast<bool>(written);
    SayWhatWasNotWritten(platform.messages, bitmap, bitmapSaved, outcome.path, written);
    return outcome;
}

} // namespace tv::output
