#pragma once

#include "data/DataFiles.h"
#include "wizard/Configuration.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace tv::result {

// The fields of an article record by number: the lines after its key
// line, counted from 1.
namespace field {
inline constexpr std::size_t kStatus = 0; // the lookup's, no line of the file
inline constexpr std::size_t kArticleNumber = 1;
inline constexpr std::size_t kDescription = 2;
inline constexpr std::size_t kAdditionalText = 3;
inline constexpr std::size_t kOffsetA = 4; // the dimensioning offsets
inline constexpr std::size_t kOffsetB = 5;
inline constexpr std::size_t kLength = 6;
inline constexpr std::size_t kBlockName = 7; // of the CAD program
inline constexpr std::size_t kWeight = 8;
inline constexpr std::size_t kPrice = 9;
inline constexpr std::size_t kHouseCodes = 10; // a centre record's valve-house type codes
} // namespace field

// One article record as a lookup returns it: field::kStatus is "(MISSING) ",
// "" or "(UNUSED) ", fields 1 to 30 the field lines.
struct ArticleRecord {
    std::array<std::string, 31> fields;
    int count = 0; // field lines read; 0 when no record has the key
};

inline constexpr int kMaxArticleFields = 30;

// A key as its record's key line holds it: without the blank a lookup puts
// behind it.
std::string RecordKey(std::string_view key);

// Whether a field is marked withdrawn: it begins with "UNUSED". The
// editor writes an empty field so.
bool IsUnused(std::string_view field);

// Whether a record that was found is withdrawn: its description is. A
// lookup gives such a record the status "(UNUSED) ".
bool IsUnused(const ArticleRecord& record);

// What a missing field of a lookup holds: the translated "¤¤Mangler" as it
// stands, or in lower case (as the result text and the checks show it).
enum class Placeholder { kAsTranslated, kLowerCase };

// Looks the key up in the article file (a blank is appended when the key
// has none): the first section key line holding the key and its blank wins.
// Missing fields hold the placeholder, field 3 is empty. Returns the count.
int LookupArticle(data::DataFiles& files, std::string_view key, ArticleRecord& record,
                  Placeholder placeholder);

// The largest length or weight a field gives (in either sign); a field
// beyond it reads as this limit.
inline constexpr double kMaxFieldNumber = 1e9;

// The leading decimal number of a field ("0.250 m" gives 0.25); a text
// without one gives 0. Commas end the number. `held` (when given) says
// whether the number was beyond kMaxFieldNumber.
double FieldNumber(std::string_view field, bool* held = nullptr);

// Key builders: "¤" + DN as four digits + "_" + ..., without a trailing blank.
std::string CenterPartKey(const wizard::ConfigurationRecord& record);
// houseCode: the four characters of the position taken from field 10 of
// the centre record.
std::string ValveHouseKey(const wizard::ConfigurationRecord& record, std::string_view houseCode);
// slot 1 north, 2 east, 3 south, 4 west.
std::string ConnectionKey(const wizard::ConfigurationRecord& record, int slot);
// The accessory's record, with the blank the result text shows behind it.
std::string AccessoryKey(const wizard::ConfigurationRecord& record);
// The actuator of the dimension: one fits every valve of it.
std::string ActuatorKey(const wizard::ConfigurationRecord& record);

// Looks up the connection record of a slot: the "_TK" key of the slot,
// lower-case placeholders, field 0 cleared when found, and the first comma
// of field 6 turned into a point. Returns the count, or -1 when not found.
int LookupConnection(data::DataFiles& files, const wizard::ConfigurationRecord& record, int slot,
                     std::string& key, ArticleRecord& article);

} // namespace tv::result
