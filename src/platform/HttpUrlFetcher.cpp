#include "platform/HttpUrlFetcher.h"

#include "common/Values.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

namespace kel {

namespace {

FetchResult Failure(const QString& error, int httpStatus = 0) {
    FetchResult r;
    r.error = error;
    r.httpStatus = httpStatus;
    return r;
}

}  // namespace

FetchResult HttpUrlFetcher::Fetch(const QString& urlText) {
    const QUrl url(urlText.trimmed());
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != QLatin1String("http") && scheme != QLatin1String("https")) ||
        url.host().isEmpty()) {
        return Failure(QStringLiteral("not an http URL: %1").arg(urlText));
    }
    if (QCoreApplication::instance() == nullptr) {
        return Failure(QStringLiteral("cannot fetch %1 without an application object").arg(urlText));
    }

    QNetworkAccessManager manager;
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(kMaxRedirects);
    QNetworkReply* reply = manager.get(request);

    bool timedOut = false;
    bool tooLarge = false;
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        reply->abort();
        loop.quit();
    });
    QObject::connect(reply, &QNetworkReply::downloadProgress, &loop, [&](qint64 received, qint64) {
        if (received > maxBytes_ && !tooLarge) {
            tooLarge = true;
            reply->abort();
            loop.quit();
        }
    });
    timer.start(timeoutMs_);
    if (!reply->isFinished()) loop.exec(QEventLoop::ExcludeUserInputEvents);
    timer.stop();

    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    FetchResult result;
    result.httpStatus = status;
    if (timedOut) {
        result.error = QStringLiteral("no answer from %1 within %2 s")
                           .arg(urlText, NumText(timeoutMs_ / 1000.0));
    } else if (tooLarge) {
        result.error = QStringLiteral("%1 is longer than %2 bytes").arg(urlText, NumText(maxBytes_));
    } else if (status >= 400) {
        const QString reason =
            reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
        result.error = QStringLiteral("%1: HTTP %2 %3").arg(urlText, NumText(status), reason).trimmed();
    } else if (reply->error() != QNetworkReply::NoError) {
        result.error = QStringLiteral("%1: %2").arg(urlText, reply->errorString());
    } else {
        result.ok = true;
        result.body = reply->readAll();
    }
    reply->disconnect();
    delete reply;
    return result;
}

}  // namespace kel
