#include "admin/RecordSummary.h"

#include "result/ArticleFile.h"

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
    namespace field = result::field;
    static constexpr Column kColumns[] = {{field::kArticleNumber, 15},
                                          {field::kLength, 8},
                                          {field::kWeight, 8},
                                          {field::kPrice, 8},
                                          {field::kBlockName, 28}};

    std::string line = PadOrCut(key, 40) + ' ';
    for (const Column& column : kColumns)
        line += PadOrCut(fields[column.field], column.width) + ' ';
    return line + fields[field::kDescription];
}

} // namespace tv::admin
