#include "platform/UrlFetcher.h"

#include "common/TextFile.h"

namespace kel {

TextFetchResult UrlFetcher::FetchText(const QString& url) {
    const FetchResult fetched = Fetch(url);
    TextFetchResult result;
    result.ok = fetched.ok;
    result.error = fetched.error;
    if (fetched.ok) result.text = DecodeCp932(fetched.body);
    return result;
}

void MapUrlFetcher::SetBody(const QString& url, const QByteArray& body) {
    FetchResult r;
    r.ok = true;
    r.body = body;
    r.httpStatus = 200;
    answers_.insert(url, r);
}

void MapUrlFetcher::SetError(const QString& url, const QString& error, int httpStatus) {
    FetchResult r;
    r.error = error;
    r.httpStatus = httpStatus;
    answers_.insert(url, r);
}

FetchResult MapUrlFetcher::Fetch(const QString& url) {
    requested_ << url;
    const auto it = answers_.constFind(url);
    if (it != answers_.constEnd()) return *it;
    FetchResult r;
    r.error = QStringLiteral("no answer for %1").arg(url);
    return r;
}

}  // namespace kel
