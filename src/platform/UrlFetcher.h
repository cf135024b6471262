// Fetching the body of an http URL, for scripts dropped onto the editor as a link. The
// body is returned as it came; FetchText decodes it as the program's Shift-JIS text.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

namespace kel {

struct FetchResult {
    bool ok = false;
    QByteArray body;      // the response body, when ok
    QString error;        // why the fetch failed, in English, for messages
    int httpStatus = 0;   // status of the last response, 0 when none came
};

struct TextFetchResult {
    bool ok = false;
    QString text;
    QString error;
};

class UrlFetcher {
public:
    virtual ~UrlFetcher() = default;
    // Fetches the URL, query included, following redirects. Returns only after the body
    // has come, the fetch has failed or the fetcher's time limit has passed.
    virtual FetchResult Fetch(const QString& url) = 0;
    // The same, with the body decoded as Shift-JIS (code page 932).
    TextFetchResult FetchText(const QString& url);
};

// A fetcher double: answers from a table of URL -> body or error and records every URL
// asked for. A URL without an entry fails with "no answer for <url>".
class MapUrlFetcher : public UrlFetcher {
public:
    void SetBody(const QString& url, const QByteArray& body);
    void SetError(const QString& url, const QString& error, int httpStatus = 0);
    const QStringList& Requested() const { return requested_; }

    FetchResult Fetch(const QString& url) override;

private:
    QHash<QString, FetchResult> answers_;
    QStringList requested_;
};

}  // namespace kel
