#include "platform/qt/QtWebClient.h"

#include "platform/qt/QtText.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <limits>

namespace tv::platform {

namespace {

// What Qt keeps of a page that has arrived but is not read yet; the server
// is held back beyond it, so a huge page costs no memory until it is read.
constexpr qint64 kReadBufferBytes = 64 * 1024;

bool HttpFailed(const QNetworkReply& reply) {
    const QVariant status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute);
    return status.isValid() && status.toInt() >= 400;
}

class QtWebTransfer final : public WebTransfer {
public:
    QtWebTransfer(QNetworkReply* reply, std::chrono::milliseconds stallTimeout,
                  std::chrono::milliseconds totalTimeout)
        : reply_(reply), stallTimeout_(stallTimeout),
          deadline_(totalTimeout.count(), Qt::PreciseTimer) {}

    ~QtWebTransfer() override {
        if (reply_) {
            reply_->abort();
            delete reply_.data();
        }
    }

    QtWebTransfer(const QtWebTransfer&) = delete;
    QtWebTransfer& operator=(const QtWebTransfer&) = delete;

    std::optional<std::string> read(std::size_t max) override {
        const QDeadlineTimer stall(stallTimeout_.count(), Qt::PreciseTimer);
        while (!failed_ && reply_) {
            if (HttpFailed(*reply_))
                break;
            if (reply_->bytesAvailable() > 0) {
                const auto count = static_cast<qint64>(
                    std::clamp<std::size_t>(max, 1, std::numeric_limits<int>::max()));
                const QByteArray bytes = reply_->read(count);
                return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
            }
            if (reply_->isFinished()) {
                if (reply_->error() != QNetworkReply::NoError)
                    break;
                return std::string();
            }
            const qint64 wait = std::min(stall.remainingTime(), deadline_.remainingTime());
            if (wait <= 0)
                break;
            waitForNews(wait);
        }
        failed_ = true;
        if (reply_)
            reply_->abort();
        return std::nullopt;
    }

private:
    // Runs the events (the user interface's among them) until the reply has
    // something new or `milliseconds` have passed.
    void waitForNews(qint64 milliseconds) {
        QEventLoop loop;
        QTimer timer;
        timer.setSingleShot(true);
        timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
        QObject::connect(reply_, &QNetworkReply::readyRead, &loop, &QEventLoop::quit);
        QObject::connect(reply_, &QNetworkReply::metaDataChanged, &loop, &QEventLoop::quit);
        QObject::connect(reply_, &QNetworkReply::finished, &loop, &QEventLoop::quit);
        QObject::connect(reply_, &QObject::destroyed, &loop, &QEventLoop::quit);
        timer.start(static_cast<int>(std::min<qint64>(milliseconds, 60 * 60 * 1000)));
        loop.exec();
    }

    QPointer<QNetworkReply> reply_; // gone when its client is
    std::chrono::milliseconds stallTimeout_;
    QDeadlineTimer deadline_;
    bool failed_ = false;
};

} // namespace

QtWebClient::QtWebClient(std::chrono::milliseconds stallTimeout,
                         std::chrono::milliseconds totalTimeout)
    : stallTimeout_(stallTimeout), totalTimeout_(totalTimeout) {
    QNetworkProxyFactory::setUseSystemConfiguration(true);
}

QtWebClient::~QtWebClient() = default;

std::unique_ptr<WebTransfer> QtWebClient::open(const std::string& url) {
    const QUrl address(ToQString(url));
    if (!address.isValid() || address.isRelative())
        return nullptr;
    if (!manager_) {
        manager_ = std::make_unique<QNetworkAccessManager>();
        // No cache is ever set on the manager, so nothing is kept between
        // requests; the headers below keep proxies from answering from theirs.
        manager_->setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
    }
    QNetworkRequest request(address);
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("VB OpenUrl"));
    request.setRawHeader("Cache-Control", "no-cache");
    request.setRawHeader("Pragma", "no-cache");
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    QNetworkReply* reply = manager_->get(request);
    reply->setReadBufferSize(kReadBufferBytes);
    return std::make_unique<QtWebTransfer>(reply, stallTimeout_, totalTimeout_);
}

void QtWebClient::letEventsRun() {
    QCoreApplication::processEvents();
}

} // namespace tv::platform
