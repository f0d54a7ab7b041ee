#include "app/VersionCheck.h"

#include "data/DataFiles.h"
#include "platform/FileBytes.h"
#include "platform/FileSystem.h"

#include <algorithm>
#include <string_view>
#include <system_error>

namespace tv::app {

namespace {

// The version page in chunks this large; one more byte than the bound is
// asked for at most, to see that a page is too large.
constexpr std::size_t kDownloadChunkBytes = 64 * 1024;

// The whole page, or nothing when it cannot be fetched, fails part-way or
// is larger than `maxBytes`.
std::optional<std::string> DownloadPage(platform::WebClient& web, const std::string& url,
                                        std::size_t maxBytes) {
    const auto transfer = web.open(url);
    if (!transfer)
        return std::nullopt;
    std::string page;
    while (true) {
        const std::size_t room = maxBytes + 1 - page.size();
        const auto chunk = transfer->read(std::min(kDownloadChunkBytes, room));
        if (!chunk)
            return std::nullopt;
        if (chunk->empty())
            return page;
        page += *chunk;
        if (page.size() > maxBytes)
            return std::nullopt;
    }
}

// The lines of a text; CR LF, a lone CR and a lone LF each end a line.
std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n')
            ++start;
    }
    return lines;
}

} // namespace

void CheckVersion(StartupValues& values, platform::WebClient& web,
                  platform::MessageBoxes& messages) {
    if (!values.debugMode || !values.online)
        return;
    // The web client keeps no cache, so there is no older copy of the page to
    // drop first: every fetch goes to the server.
    web.letEventsRun();
    const auto page = DownloadPage(web, values.versionUrl, kMaxVersionPageBytes);
    if (!page) {
        values.online = false;
        return;
    }
    // The page is read and deleted at once: a note on how lasting its
    // write was has nothing to tell.
    const std::filesystem::path file = data::ToPath(values.versionFile);
    if (const platform::WriteResult written = platform::WriteFileSafely(file, *page); !written) {
        values.online = false;
        messages.inform(data::PathText(file.filename()) + " could not be written:\r\n" +
                        written.reason);
        return;
    }
    web.letEventsRun();
    ShowVersionMessage(file, messages);
}

std::function<void(StartupValues&)> StartupVersionCheck(platform::Platform& platform) {
    return [&platform](StartupValues& values) {
        if (platform.web)
            CheckVersion(values, *platform.web, platform.messages);
    };
}

std::string ShowVersionMessage(const std::filesystem::path& file,
                               platform::MessageBoxes& messages) {
    std::string found;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) {
        messages.inform(kVersionInfoMissing);
        return found;
    }
    const std::string_view start = kVersionLineStart;
    const std::string text = platform::ReadFileBytes(file).value_or(std::string());
    for (const std::string_view line : Lines(text)) {
        if (line.starts_with(start))
            found = std::string(line.substr(start.size()));
    }
    // Plain byte order, as the versions have always been compared: "1.9" is
    // newer than "1.8.11", "1.10.0" is not.
    if (found > std::string(data::kProgramVersion))
        messages.inform(kNewVersionBefore + found + kNewVersionAfter);
    // A page that cannot be deleted does no harm: the next check writes the
    // page afresh before it reads it.
    std::filesystem::remove(file, ec);
    return found;
}

} // namespace tv::app
