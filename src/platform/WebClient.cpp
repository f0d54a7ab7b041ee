#include "platform/WebClient.h"

#include <algorithm>

namespace tv::platform {

namespace {

class FakeTransfer final : public WebTransfer {
public:
    FakeTransfer(FakeWebClient& client, std::string page, std::optional<std::size_t> failAfter)
        : client_(client), page_(std::move(page)), failAfter_(failAfter) {}

    std::optional<std::string> read(std::size_t max) override {
        client_.trace += 'R';
        client_.readSizes.push_back(max);
        const std::size_t end = failAfter_ ? std::min(*failAfter_, page_.size()) : page_.size();
        if (failAfter_ && position_ >= end)
            return std::nullopt;
        const std::size_t count = std::min(max, end - position_);
        std::string bytes = page_.substr(position_, count);
        position_ += count;
        return bytes;
    }

private:
    FakeWebClient& client_;
    std::string page_;
    std::optional<std::size_t> failAfter_;
    std::size_t position_ = 0;
};

} // namespace

std::unique_ptr<WebTransfer> FakeWebClient::open(const std::string& url) {
    trace += 'O';
    requested.push_back(url);
    const auto page = pages.find(url);
    if (page == pages.end())
        return nullptr;
    const auto fail = failAfter.find(url);
    return std::make_unique<FakeTransfer>(
        *this, page->second,
        fail == failAfter.end() ? std::nullopt : std::optional<std::size_t>(fail->second));
}

void FakeWebClient::letEventsRun() {
    trace += 'E';
    ++eventRuns;
}

} // namespace tv::platform
