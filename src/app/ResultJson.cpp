#include "app/ResultJson.h"

#include "platform/Json.h"
#include "result/NumberFormat.h"

#include <cmath>
#include <vector>

namespace tv::app {

namespace {

// A JSON number: the shortest decimal form with a point.
// JSON has no infinity: a number that is none is written as null.
void AppendJsonNumber(std::string& json, double value) {
    json += std::isfinite(value) ? result::FormatShortest(value, ".") : "null";
}

void AppendJsonTexts(std::string& json, const std::vector<std::string>& texts) {
    json += '[';
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (i > 0)
            json += ',';
        platform::AppendJsonString(json, texts[i]);
    }
    json += ']';
}

// The members of one part: its key, article data, length and weight.
void AppendPartJson(std::string& json, const result::Part& part) {
    json += "{\"key\":";
    platform::AppendJsonString(json, part.key);
    json += ",\"article_number\":";
    platform::AppendJsonString(json, part.articleNumber);
    json += ",\"description\":";
    platform::AppendJsonString(json, part.description);
    json += ",\"block_name\":";
    platform::AppendJsonString(json, part.blockName);
    json += ",\"length\":";
    AppendJsonNumber(json, part.length);
    json += ",\"weight\":";
    AppendJsonNumber(json, part.weight);
    json += '}';
}

void AppendPartsJson(std::string& json, const result::ResultState& state) {
    static constexpr std::array<std::pair<result::PartSlot, const char*>, 5> kParts = {{
        {result::kCentre, "centre"},
        {result::kNorth, "north"},
        {result::kSouth, "south"},
        {result::kEast, "east"},
        {result::kWest, "west"},
    }};
    json += '{';
    for (const auto& [slot, name] : kParts) {
        if (slot != result::kCentre)
            json += ',';
        json += std::string("\"") + name + "\":";
        AppendPartJson(json, state.parts[slot]);
    }
    json += '}';
}

void AppendConnectionsJson(std::string& json, const result::ResultState& state) {
    // Connection slots 1 north, 2 east, 3 south, 4 west.
    static constexpr std::array<const char*, 4> kConnections = {"north", "east", "south", "west"};
    json += '{';
    for (std::size_t slot = 1; slot <= 4; ++slot) {
        if (slot > 1)
            json += ',';
        json += std::string("\"") + kConnections[slot - 1] + "\":";
        platform::AppendJsonString(json, state.connectionKeys[slot]);
    }
    json += '}';
}

// The hand-over settings as one object, in the order they are written.
void AppendHandoverJson(std::string& json, const result::ResultState& state) {
    json += '{';
    bool first = true;
    for (const auto& [key, value] : state.handover) {
        if (!first)
            json += ',';
        first = false;
        platform::AppendJsonString(json, key);
        json += ':';
        platform::AppendJsonString(json, value);
    }
    json += '}';
}

} // namespace

std::string ResultJson(const std::string& code, int valveType, const result::ResultState& state) {
    std::string json;
    json.reserve(4096);
    json += "{\"code\":";
    platform::AppendJsonString(json, code);
    json += ",\"valve_type\":" + std::to_string(valveType) + ",\"result_text\":";
    platform::AppendJsonString(json, state.resultText);
    json += ",\"vertical_length\":";
    AppendJsonNumber(json, state.vertical);
    json += ",\"horizontal_length\":";
    AppendJsonNumber(json, state.horizontal);
    json += ",\"total_weight\":";
    AppendJsonNumber(json, state.weight);
    json += ",\"vertical_complete\":";
    json += state.verticalComplete ? "true" : "false";
    json += ",\"horizontal_complete\":";
    json += state.horizontalComplete ? "true" : "false";
    json += ",\"parts\":";
    AppendPartsJson(json, state);
    json += ",\"connections\":";
    AppendConnectionsJson(json, state);
    json += ",\"handover\":";
    AppendHandoverJson(json, state);
    json += ",\"missing\":";
    AppendJsonTexts(json, state.missingKeys);
    json += ",\"unused\":";
    AppendJsonTexts(json, state.unusedKeys);
    json += '}';
    return json;
}

std::string InvalidCodeJson(const std::string& code, const std::string& error, int position) {
    return "{\"code\":" + platform::JsonString(code) + ",\"error\":" + platform::JsonString(error) +
           ",\"position\":" + std::to_string(position) + "}";
}

} // namespace tv::app
