// The code check: the input is a typed configuration code, checked against
// the sample installation.

#include "FuzzSupport.h"
#include "data/DataFiles.h"
#include "wizard/Configuration.h"
#include "wizard/ValvePageLayout.h"

#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <string_view>

namespace {

using namespace tv;

// The order in which the positions are checked: the valve type, the
// dimension, the bottom, the accessory, then the connections with their
// dimensions.
constexpr std::array<int, 12> kCheckingOrder = {1, 4, 2, 3, 5, 6, 7, 8, 9, 10, 11, 12};

// Positions a valve type leaves unchecked.
std::vector<int> Unchecked(int valveType) {
    switch (valveType) {
    case 1:
    case 4:
        return {7, 8, 11, 12};
    case 2:
        return {11, 12};
    default:
        return {};
    }
}

struct Installation {
    fuzz::CountingMessages messages;
    std::unique_ptr<data::DataFiles> files;
    std::unique_ptr<wizard::Configuration> config;

    Installation() {
        files = std::make_unique<data::DataFiles>(fuzz::SampleDataCopy("install"), "NO", messages);
        config = std::make_unique<wizard::Configuration>(*files, wizard::ReadValvePageLayout(*files));
        config->setMessages(&messages);
    }

    // One check is one operation, as a typed code is in the program: the
    // files are looked at on disk once for it, not at every read.
    int check(const std::string& code) {
        const data::Operation operation;
        config->code = code;
        return config->CheckCode();
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 64)
        return 0;
    static Installation installation;
    wizard::Configuration& config = *installation.config;
    const std::string typed(reinterpret_cast<const char*>(data), size);

    const int result = installation.check(typed);
    TV_REQUIRE(result >= 0 && result <= wizard::kCodePositions);
    const wizard::ConfigurationRecord record = config.record;

    // The check leaves the code as typed, but for the placeholder of the
    // single valve's accessory.
    std::string expected = typed;
    if (result != 1 && record.valveType == 1 && expected.size() >= 3)
        expected[2] = 'X';
    TV_REQUIRE(config.code == expected);

    if (result == 0) {
        TV_REQUIRE(record.valveType >= 1 && record.valveType <= wizard::kMaxValveTypes);
        TV_REQUIRE(record.isType[static_cast<std::size_t>(record.valveType)]);
        TV_REQUIRE(record.dimensionLine > 0 && !record.dimensionKey.empty());
        TV_REQUIRE(record.optionKey.size() > 1 && record.optionKey[0] == data::kSection);
        for (const auto& option : record.options)
            TV_REQUIRE(option.chosen);
        // Every slot the type has is filled, with a dimension.
        const std::vector<int> unchecked = Unchecked(record.valveType);
        for (int position : {5, 7, 9, 11}) {
            const auto& slot = record.slots[static_cast<std::size_t>(position / 2 - 1)];
            const bool used =
                std::find(unchecked.begin(), unchecked.end(), position) == unchecked.end();
            TV_REQUIRE(!used || (slot.connectionLine > 0 && slot.dimensionLine > 0));
        }
    }

    // Checking again gives the same.
    TV_REQUIRE(installation.check(typed) == result);

    // The code suffix is not checked.
    if (typed.size() >= wizard::kCodePositions)
        TV_REQUIRE(installation.check(typed.substr(0, wizard::kCodePositions) + "-V18") == result);

    // The first invalid position stays the first when any position checked
    // after it changes, and a valid code stays valid when a position its
    // type leaves unchecked changes.
    std::vector<int> free;
    if (result > 0) {
        const auto at = std::find(kCheckingOrder.begin(), kCheckingOrder.end(), result);
        TV_REQUIRE(at != kCheckingOrder.end());
        free.assign(at + 1, kCheckingOrder.end());
    } else {
        free = Unchecked(record.valveType);
    }
    std::string changed = typed;
    if (changed.size() < wizard::kCodePositions)
        changed.resize(wizard::kCodePositions, 'Q');
    for (int position : free) {
        char& c = changed[static_cast<std::size_t>(position) - 1];
        c = static_cast<char>(c ^ 0x5A);
    }
    // (A short code is filled up; the invalid position itself must lie
    // within what was typed, since filling it could make it valid.)
    if (static_cast<std::size_t>(result) <= typed.size())
        TV_REQUIRE(installation.check(changed) == result);
    return 0;
}
