#include "platform/Json.h"

#include "platform/Cp1252.h"

#include <cstdio>

namespace tv::platform {

std::string JsonString(std::string_view cp1252) {
    const std::string utf8 = Cp1252ToUtf8(cp1252);
    std::string json = "\"";
    for (const char c : utf8) {
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
            if (static_cast<unsigned char>(c) < 0x20) {
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned char>(c));
                json += escape;
            } else {
                json += c;
            }
        }
    }
    return json + "\"";
}

} // namespace tv::platform
