#include "platform/Json.h"

#include "platform/Cp1252.h"

#include <cstdio>

namespace tv::platform {

std::string JsonString(std::string_view cp1252) {
    std::string json;
    AppendJsonString(json, cp1252);
    return json;
}

void AppendJsonString(std::string& json, std::string_view cp1252) {
    json += '"';
    // ASCII is the same in UTF-8: the characters between two others are
    // taken as one run.
    std::size_t run = 0;
    for (std::size_t i = 0; i < cp1252.size(); ++i) {
        const auto c = static_cast<unsigned char>(cp1252[i]);
        if (c >= 0x20 && c < 0x80 && c != '"' && c != '\\')
            continue;
        json.append(cp1252, run, i - run);
        run = i + 1;
        switch (c) {
        case '"':
            json += "\\\"";
            break;
        case '\\':
            json += "\\\\";
            break;
        case '\r':
            json += "\\r";
            break;
        case '\n':
            json += "\\n";
            break;
        case '\t':
            json += "\\t";
            break;
        default:
            if (c >= 0x80) {
                json += Cp1252ToUtf8(cp1252.substr(i, 1));
                break;
            }
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            json += escape;
        }
    }
    json.append(cp1252, run);
    json += '"';
}

} // namespace tv::platform
