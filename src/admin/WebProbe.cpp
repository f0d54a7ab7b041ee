#include "admin/WebProbe.h"

#include "data/DataFiles.h"
#include "platform/FileBytes.h"
#include "platform/FileSystem.h"

#include <algorithm>
#include <memory>
#include <random>
#include <string_view>

namespace tv::admin {

namespace {

// Pools the random word's letters come from; a letter that is there more
// than once comes up more often.
constexpr std::string_view kVowels = "aaeeeiioouy";
constexpr std::string_view kConsonants = "bbddffgghjkkllmmnnpprrsssttvvz";
static_assert(kVowels.size() == 11 && kConsonants.size() == 30);

char Pick(std::string_view pool, const RandomBelow& random) {
    const int index = random(static_cast<int>(pool.size()));
    return pool[static_cast<std::size_t>(std::clamp(index, 0, static_cast<int>(pool.size()) - 1))];
}

} // namespace

std::string GetHTMLFromURL(platform::WebClient& web, const std::string& address) {
    const auto transfer = web.open(address);
    if (!transfer)
        return {};
    std::string text;
    while (text.size() < kMaxWebTextBytes) {
        web.letEventsRun();
        const auto chunk =
            transfer->read(std::min(kWebTextChunkBytes, kMaxWebTextBytes - text.size()));
        // A read that fails ends the page; what came before it is kept.
        if (!chunk || chunk->empty())
            break;
        text += *chunk;
    }
    return text;
}

RandomBelow MakeRandomBelow() {
    auto engine = std::make_shared<std::mt19937>(std::random_device{}());
    return [engine](int n) {
        return n <= 1 ? 0 : std::uniform_int_distribution<int>(0, n - 1)(*engine);
    };
}

std::string RandomWord(const RandomBelow& random) {
    const int length = 5 + std::clamp(random(3), 0, 2);
    // Whether the letters at odd positions (the first, third, ...) are the
    // vowels, or those at even ones.
    const bool vowelsOdd = random(2) == 0;
    std::string word;
    for (int position = 1; position <= length; ++position) {
        const bool odd = position % 2 == 1;
        word += Pick(odd == vowelsOdd ? kVowels : kConsonants, random);
    }
    word[0] = static_cast<char>(word[0] - 'a' + 'A');
    return word;
}

std::optional<WebTextProbe> ProbeWebText(const data::StartupValues& values,
                                         platform::WebClient& web, platform::MessageBoxes& messages,
                                         const RandomBelow& random) {
    if (!values.debugMode)
        return std::nullopt;
    WebTextProbe probe;
    const std::string word = RandomWord(random);
    // Asked whatever the online flag says: the flag only tells whether the
    // version page came, and this probe is how the staff test the web.
    probe.pageText = GetHTMLFromURL(web, kProbeWebAddress);
    const std::size_t marker = probe.pageText.find(kProbeMarker);
    if (marker != std::string::npos)
        messages.inform(std::string_view(probe.pageText).substr(marker));
    if (!probe.pageText.empty()) {
        const platform::WriteResult written = platform::WriteFileSafely(
            data::ToPath(values.installDirectory + kWebTextFile), probe.pageText);
        if (!written)
            messages.inform(std::string(kWebTextFile) + " could not be written:\r\n" +
                            written.reason);
        else if (!written.note.empty())
            messages.inform(std::string(kWebTextFile) + " was written, but " + written.note);
    }
    probe.wordLine = word + "    " + std::to_string(values.start.year);
    return probe;
}

} // namespace tv::admin
