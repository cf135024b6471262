// The URL fetcher over the network (http and https). A fetch runs a local event loop
// until the reply has finished, so the caller sees a plain function call; user input is
// held back meanwhile, so no menu command can start while a fetch is under way. A time
// limit on the whole fetch makes sure it never hangs: a server that does not answer, or
// answers too slowly, gives an error after the limit.
#pragma once

#include "platform/UrlFetcher.h"

namespace kel {

class HttpUrlFetcher : public UrlFetcher {
public:
    static constexpr int kDefaultTimeoutMs = 30000;
    static constexpr qint64 kDefaultMaxBytes = 64 * 1024 * 1024;
    static constexpr int kMaxRedirects = 10;

    // Time limit for the whole fetch, redirects included.
    void SetTimeoutMs(int ms) { timeoutMs_ = ms > 0 ? ms : kDefaultTimeoutMs; }
    int TimeoutMs() const { return timeoutMs_; }
    // A body longer than this is refused rather than held in memory.
    void SetMaxBytes(qint64 bytes) { maxBytes_ = bytes; }

    // Fails for anything but an http or https URL with a host, for an http status of 400
    // or more, for network errors, for too many redirects, for a too long body and at the
    // time limit. Needs a QCoreApplication.
    FetchResult Fetch(const QString& url) override;

private:
    int timeoutMs_ = kDefaultTimeoutMs;
    qint64 maxBytes_ = kDefaultMaxBytes;
};

}  // namespace kel
