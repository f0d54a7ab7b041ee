#pragma once

#include "platform/WebClient.h"

#include <chrono>
#include <memory>

class QNetworkAccessManager;

namespace tv::platform {

// The web through Qt's network access. Every request goes to the server
// (no cache, "Cache-Control: no-cache" and "Pragma: no-cache"), with the
// user agent "VB OpenUrl" and the system's proxy settings; redirects are
// followed unless they lead from https to http. A status of 400 or more
// fails the transfer.
//
// A transfer waits in a local event loop, so the user interface stays alive
// meanwhile. It fails when a read waits `stallTimeout` without a byte
// coming, and when it is still going `totalTimeout` after it was opened.
// Needs a QCoreApplication; use it on that application's thread.
class QtWebClient final : public WebClient {
public:
    explicit QtWebClient(std::chrono::milliseconds stallTimeout = std::chrono::seconds(15),
                         std::chrono::milliseconds totalTimeout = std::chrono::seconds(30));
    ~QtWebClient() override;
    QtWebClient(const QtWebClient&) = delete;
    QtWebClient& operator=(const QtWebClient&) = delete;

    // Its transfers must not outlive the client.
    std::unique_ptr<WebTransfer> open(const std::string& url) override;
    void letEventsRun() override;

private:
    std::chrono::milliseconds stallTimeout_;
    std::chrono::milliseconds totalTimeout_;
    std::unique_ptr<QNetworkAccessManager> manager_; // made on the first request
};

} // namespace tv::platform
