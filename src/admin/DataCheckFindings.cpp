#include "admin/DataCheckChecker.h"

// The findings of the lookups, the pictures and the article file's key lines.
namespace tv::admin::datacheck {

void Checker::lookUp(const std::string& key, std::uint64_t codes, const std::string& example,
                     const std::string& role) {
    auto [at, inserted] = articles_.try_emplace(Subject(key));
    ArticleUse& use = at->second;
    if (inserted) {
        lookups_.insert("article " + Subject(key));
        use.role = role;
        result::ArticleRecord record;
        const int count =
            result::LookupArticle(files_, key, record, result::Placeholder::kLowerCase);
        use.found = record.fields[result::field::kStatus] != "(MISSING) ";
        use.unused = record.fields[result::field::kStatus] == "(UNUSED) ";
        use.houseCodes = record.fields[result::field::kHouseCodes];
        if (use.found) {
            auto file = files_.openArticleFile();
            const std::string searched = Subject(key) + " ";
            if (file) {
                const auto line = file->contents().findKeyLine(data::KeyRule::Article, searched, 0);
                if (line && !file->contents().lineAt(*line).starts_with(searched)) {
                    use.shadowed = true;
                    use.shadowLine =
                        "line " + std::to_string(file->contents().linesBefore(*line) + 1) + ": " +
                        std::string(file->contents().lineAt(*line).substr(0, 60));
                }
            }
            namespace field = result::field;
            for (const std::size_t number :
                 {field::kOffsetA, field::kOffsetB, field::kLength, field::kWeight}) {
                const std::string& text = record.fields[number];
                if (number > static_cast<std::size_t>(count) || result::IsUnused(text))
                    continue;
                std::size_t at = text.starts_with('-') || text.starts_with('+') ? 1 : 0;
                if (at < text.size() && text[at] == '.')
                    ++at;
                if (at >= text.size() || text[at] < '0' || text[at] > '9')
                    use.badFields.push_back("field " + std::to_string(number) + " \"" +
                                            text.substr(0, 30) + "\" does not begin with a number");
            }
            if (role == "centre part") {
                const std::string& codesField = record.fields[result::field::kHouseCodes];
                bool whole = codesField.size() >= 19;
                for (std::size_t k = 0; whole && k < 4; ++k) {
                    const std::string code = codesField.substr(5 * k, 4);
                    whole = code.find(' ') == std::string::npos;
                }
                if (!whole)
                    use.badFields.push_back("field 10 \"" + codesField.substr(0, 30) +
                                            "\" does not hold four four-character house codes");
            }
        }
    }
    use.codes = Add(use.codes, codes);
    if (!example.empty() && (use.example.empty() || example < use.example))
        use.example = example;
}

void Checker::checkDimension(const DimensionContext& c) {
    checkCentreAndHouses(c);
    if (c.type >= 2)
        checkAccessories(c);
    checkConnections(c);
    checkSlotPictures(c);
}

// The centre part (for the single valve only its house codes), and the
// valve houses by the option tags of each bottom.
void Checker::checkCentreAndHouses(const DimensionContext& c) {
    lookUp(c.centreKey, codesOf(c), example(c, nullptr, nullptr, nullptr), "centre part");
    const ArticleUse& centre = articles_[Subject(c.centreKey)];
    std::array<std::string, 4> houseCodes;
    for (std::size_t k = 0; k < 4; ++k)
        houseCodes[k] = !centre.found                      ? std::string(kDefaultHouseCode)
                        : centre.houseCodes.size() > 5 * k ? centre.houseCodes.substr(5 * k, 4)
                                                           : std::string();
    for (const Bottom& bottom : bottoms_) {
        const bool accepted = bottom.accepted && c.accepted();
        if (!accepted && c.type > 3)
            continue;
        const std::uint64_t codes =
            accepted ? Times(c.accessoryCount, Power(c.pairCount, c.slots)) : 0;
        const std::string code = accepted ? example(c, &bottom, nullptr, nullptr) : std::string();
        wizard::ConfigurationRecord record;
        record.dimensionMillimetres = c.dimension->line.millimetres;
        for (std::size_t g = 0; g < 4; ++g)
            record.options[g].tag = bottom.tags[g];
        for (std::size_t k = 0; k < 4; ++k)
            if (k == 0 || houseCodes[k] != houseCodes[k - 1])
                lookUp(result::ValveHouseKey(record, houseCodes[k]), codes, code, "valve house");
        // The report's actuator row.
        if (bottom.tags[3] != kNoAkt)
            lookUp(result::ActuatorKey(record), codes, code, "actuator");
    }
}

void Checker::checkAccessories(const DimensionContext& c) {
    for (const auto& [accessory, named] : c.accessories) {
        const bool accepted = named && c.accepted();
        if (!accepted && c.type > 3)
            continue;
        const std::uint64_t codes =
            accepted ? Times(acceptedBottoms(), Power(c.pairCount, c.slots)) : 0;
        wizard::ConfigurationRecord record;
        record.dimensionMillimetres = c.dimension->line.millimetres;
        record.accessoryKey = accessory->line.key;
        lookUp(result::AccessoryKey(record), codes,
               accepted ? example(c, nullptr, accessory, nullptr) : std::string(), "accessory");
    }
}

// Connections: a key counts the codes with it in any slot.
void Checker::checkConnections(const DimensionContext& c) {
    const auto byKey = GroupPairs(c.pairs, [](const SlotPair& pair) { return pair.key; });
    for (const auto& [key, group] : byKey) {
        if (group.accepted == 0 && c.type > 3)
            continue;
        lookUp(key, codesWithPairs(c, group.accepted),
               group.accepted > 0 ? example(c, nullptr, nullptr, group.example) : std::string(),
               "connection");
    }
}

// The picture of each slot's connection: by the connection dimension, else
// by how it compares with the valve's; a slot's letter is in the name, so a
// picture counts the codes with the pair in that slot only.
void Checker::checkSlotPictures(const DimensionContext& c) {
    const std::vector<int> positions = wizard::ConnectionPositions(c.type);
    for (std::size_t s = 0; s < positions.size(); ++s) {
        const char letter = "NESW"[positions[s] / 2 - 2];
        const auto byName = GroupPairs(c.pairs, [&](const SlotPair& pair) {
            return wizard::ConnectionPictures(pair.connection->line.key,
                                              c.dimension->line.millimetres,
                                              pair.dimension->line.millimetres, {&letter, 1});
        });
        for (const auto& [names, group] : byName) {
            const std::uint64_t codes =
                c.accepted() && group.accepted > 0
                    ? Times(Times(Times(acceptedBottoms(), c.accessoryCount), group.accepted),
                            Power(c.pairCount, c.slots - 1))
                    : 0;
            picture(names.own, names.fallback, codes,
                    codes > 0 ? example(c, nullptr, nullptr, group.example, s) : std::string(),
                    "the connection picture (" + names.own + ") of the slot " + letter);
        }
    }
}

// A picture, or the one asked for when it is missing; a missing one falls
// back to the placeholder.
void Checker::picture(const std::string& name, const std::string& fallback, std::uint64_t codes,
                      const std::string& example, const std::string& detail) {
    auto found = [this](const std::string& stem) {
        lookups_.insert("picture " + stem);
        const auto known = pictures_.find(stem);
        if (known != pictures_.end())
            return known->second;
        return pictures_[stem] = data::FindPicture(files_, stem, {}).found;
    };
    if (found(name) || (!fallback.empty() && found(fallback)))
        return;
    finding("missing-picture", fallback.empty() ? name : fallback, detail, codes, example);
}

// The valve page's picture of each type the wizard offers, and the result's
// and the enlarged view's picture of each type a configuration reaches.
void Checker::checkPictures() {
    std::map<int, std::pair<std::uint64_t, std::string>> byType;
    for (const DimensionContext& c : contexts_) {
        auto& [codes, code] = byType[c.type];
        codes = Add(codes, codesOf(c));
        if (code.empty())
            code = example(c, nullptr, nullptr, nullptr);
    }
    for (const auto& [type, entry] : byType) {
        const std::string& key = types_[static_cast<std::size_t>(type) - 1].key;
        if (ThroughWizard(type))
            picture(key, {}, 0, {}, "the valve page's picture of the valve type");
        picture(key + "_RC", {}, entry.first, entry.second,
                "the result's picture of the valve type");
        picture(key + "_EC", {}, entry.first, entry.second,
                "the enlarged view's picture of the valve type");
    }
    if (start_) {
        for (const auto& flag : start_->flags)
            picture(flag.pictureName, {}, 0, {}, "a flag of the start screen");
        for (const std::string& name : {start_->pictureName1, start_->pictureName2})
            picture(name, {}, 0, {}, "a picture of the start screen");
    }
    for (const std::string_view language : kDataLanguages)
        if (language_.empty() || language == language_)
            picture("ConnectionStart_" + std::string(language), {}, 0, {},
                    "the connection page's first picture");
}

// Key lines no lookup finds: one without the blank that ends its key, and
// a later one with a key an earlier line has. Only the key lines are
// visited; line numbers are counted once, for the lines a finding names.
void Checker::checkArticleKeys() {
    auto file = files_.openArticleFile();
    if (!file)
        return;
    const data::FileIndex& index = file->contents();
    const std::size_t body = index.nextLine(index.nextLine(0)); // below the two head lines
    // The keys point into the file's bytes, which `file` holds meanwhile.
    std::unordered_map<std::string_view, std::size_t> first;
    first.reserve(index.keyLineCount());
    std::vector<std::pair<std::size_t, std::size_t>> faults; // line, earlier line (or none)
    constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();
    for (std::size_t i = 0; i < index.keyLineCount(); ++i) {
        const std::size_t at = index.keyLineAt(i);
        const std::string_view line = index.lineAt(at);
        if (at < body || data::IsTextKey(line))
            continue;
        const std::size_t blank = line.find(' ');
        if (blank == std::string_view::npos) {
            faults.emplace_back(at, kNone);
            continue;
        }
        const auto [earlier, isNew] = first.try_emplace(line.substr(0, blank), at);
        if (!isNew)
            faults.emplace_back(at, earlier->second);
    }
    std::vector<std::size_t> named;
    for (const auto& [at, earlier] : faults) {
        named.push_back(at);
        if (earlier != kNone)
            named.push_back(earlier);
    }
    std::sort(named.begin(), named.end());
    std::map<std::size_t, std::size_t> numbers;
    std::size_t counted = 0;
    std::size_t lines = 0;
    for (const std::size_t at : named) {
        lines += static_cast<std::size_t>(
            std::count(index.bytes().begin() + counted, index.bytes().begin() + at, '\n'));
        counted = at;
        numbers[at] = lines + 1;
    }
    for (const auto& [at, earlier] : faults) {
        const std::string_view line = index.lineAt(at);
        const std::string key(line.substr(0, line.find(' ')));
        const std::string number = "line " + std::to_string(numbers[at]);
        if (earlier == kNone)
            finding("key-never-found", key, number + ": no blank after the key", 0, {}, {}, true);
        else
            finding("key-never-found", key,
                    number + " repeats the key of line " + std::to_string(numbers[earlier]), 0, {},
                    {}, true);
    }
}

// The help panels the wizard shows on a right click (and on its own) for
// the valve types it offers.

} // namespace tv::admin::datacheck
