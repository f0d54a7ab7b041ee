#include "admin/RecordSummary.h"

namespace tv::admin {

std::string PadOrCut(std::string_view text, std::size_t width) {
    std::string column(text.substr(0, width));
    column.resize(width, ' ');
    return column;
}

std::string RecordSummary(std::string_view key, const std::array<std::string, 31>& fields) {
    // Field number and width of each column after the key, in the order of
    // the listing's title line; the description closes the line uncut.
    struct Column {
        std::size_t field;
        std::size_t width;
    };
    static constexpr Column kColumns[] = {{1, 15}, {6, 8}, {8, 8}, {9, 8}, {7, 28}};

    std::string line = PadOrCut(key, 40) + ' ';
    for (const Column& column : kColumns)
        line += PadOrCut(fields[column.field], column.width) + ' ';
    return line + fields[2];
}

} // namespace tv::admin
