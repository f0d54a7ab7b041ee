#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tv::platform {

// One page being fetched. Destroying it ends the transfer.
class WebTransfer {
public:
    virtual ~WebTransfer() = default;

    // Up to `max` further bytes of the page, waiting for them while the
    // transfer is alive; "" at the end of the page; nothing when the
    // transfer failed (error status, lost connection, no answer in time).
    // After a failure every further read fails too.
    virtual std::optional<std::string> read(std::size_t max) = 0;
};

// The web as the program reads it: pages are always fetched afresh from
// their server, never from a cache, with the user agent "VB OpenUrl" and the
// system's proxy settings. Addresses and page bytes are Windows-1252.
class WebClient {
public:
    virtual ~WebClient() = default;

    // Starts fetching the page; nothing when it cannot even be requested.
    virtual std::unique_ptr<WebTransfer> open(const std::string& url) = 0;

    // Lets the user interface handle what is pending, between reads.
    virtual void letEventsRun() {}
};

// Test double: answers from `pages` and keeps a trace of what was asked of
// it. Its transfers must not outlive it.
class FakeWebClient final : public WebClient {
public:
    std::unique_ptr<WebTransfer> open(const std::string& url) override;
    void letEventsRun() override;

    // Address -> the page's bytes. Other addresses cannot be opened.
    std::map<std::string, std::string> pages;
    // Address -> bytes delivered before the transfer fails.
    std::map<std::string, std::size_t> failAfter;

    std::vector<std::string> requested; // addresses opened, in order
    std::vector<std::size_t> readSizes; // `max` of every read, in order
    int eventRuns = 0;
    // One letter per call, in order: 'O' open, 'R' read, 'E' letEventsRun.
    std::string trace;
};

} // namespace tv::platform
