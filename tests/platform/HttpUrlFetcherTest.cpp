// The network fetcher against a small HTTP server on 127.0.0.1 run by the test itself.
#include "TestMain.h"

#include "common/TextFile.h"
#include "platform/HttpUrlFetcher.h"

#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>

namespace kel {

namespace {

QByteArray ScriptBytes() {
    QByteArray bytes;
    EncodeCp932(QStringLiteral("mapserver script ver=\"1.0\";\r\ncomment str=\"地図の点\";\r\n"), &bytes);
    return bytes;
}

// Answers by path: /script.kel 200 with a Shift-JIS body, /moved 302 to /script.kel,
// /loop redirects to itself, /echo?... 200 with the request target, /silent never answers,
// anything else 404.
class LocalHttpServer : public QTcpServer {
public:
    LocalHttpServer() {
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { Serve(socket); });
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
        listen(QHostAddress::LocalHost);
    }
    QString Url(const QString& target) const {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(serverPort()).arg(target);
    }

private:
    void Serve(QTcpSocket* socket) {
        QByteArray& request = pending_[socket];
        request += socket->readAll();
        if (!request.contains("\r\n\r\n")) return;
        const QByteArray target = request.split(' ').value(1);
        pending_.remove(socket);
        if (target == "/silent") return;
        if (target == "/script.kel") Reply(socket, "200 OK", ScriptBytes());
        else if (target == "/moved") Reply(socket, "302 Found", {}, "Location: /script.kel\r\n");
        else if (target == "/loop") Reply(socket, "302 Found", {}, "Location: /loop\r\n");
        else if (target.startsWith("/echo")) Reply(socket, "200 OK", target);
        else Reply(socket, "404 Not Found", "no such file");
    }
    static void Reply(QTcpSocket* socket, const QByteArray& status, const QByteArray& body,
                      const QByteArray& headers = {}) {
        socket->write("HTTP/1.1 " + status + "\r\nContent-Length: " + QByteArray::number(body.size()) +
                      "\r\nConnection: close\r\n" + headers + "\r\n" + body);
        socket->disconnectFromHost();
    }
    QHash<QTcpSocket*, QByteArray> pending_;
};

// A port on which nothing listens.
quint16 ClosedPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

}  // namespace

class HttpUrlFetcherTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void Fetches_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("errorPart");
        QTest::addColumn<int>("maxBytes");  // 0: the fetcher's own limit
        QTest::newRow("Shift-JIS body as it came")
            << "/script.kel" << true << 200 << ScriptBytes() << "" << 0;
        QTest::newRow("redirect followed") << "/moved" << true << 200 << ScriptBytes() << "" << 0;
        QTest::newRow("query kept") << "/echo/kel.pl?area=13&x=1" << true << 200
                                    << QByteArray("/echo/kel.pl?area=13&x=1") << "" << 0;
        QTest::newRow("404 is an error")
            << "/missing.kel" << false << 404 << QByteArray() << "HTTP 404" << 0;
        QTest::newRow("endless redirects") << "/loop" << false << 302 << QByteArray() << "" << 0;
        QTest::newRow("body over the limit")
            << "/script.kel" << false << 200 << QByteArray() << "" << 10;
    }
    void Fetches() {
        QFETCH(QString, target);
        QFETCH(bool, ok);
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(QString, errorPart);
        QFETCH(int, maxBytes);
        LocalHttpServer server;
        QVERIFY(server.isListening());
        HttpUrlFetcher fetcher;
        fetcher.SetTimeoutMs(5000);
        if (maxBytes > 0) fetcher.SetMaxBytes(maxBytes);
        const FetchResult r = fetcher.Fetch(server.Url(target));
        QCOMPARE(r.ok, ok);
        QCOMPARE(r.httpStatus, status);
        QCOMPARE(r.body, body);
        QCOMPARE(r.error.isEmpty(), ok);
        QVERIFY2(r.error.contains(errorPart), qPrintable(r.error));
        if (ok && body == ScriptBytes()) {  // the text reader decodes it as Shift-JIS
            const TextFetchResult t = fetcher.FetchText(server.Url(target));
            QVERIFY2(t.ok, qPrintable(t.error));
            QVERIFY(t.text.contains(QStringLiteral("comment str=\"地図の点\";")));
        }
    }

    // A server that takes the connection and never answers must not hold the editor.
    void SilentServerTimesOut() {
        LocalHttpServer server;
        HttpUrlFetcher fetcher;
        fetcher.SetTimeoutMs(300);
        QElapsedTimer clock;
        clock.start();
        const FetchResult r = fetcher.Fetch(server.Url(QStringLiteral("/silent")));
        QVERIFY(!r.ok);
        QVERIFY2(r.error.contains(QStringLiteral("within 0.3 s")), qPrintable(r.error));
        QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
    }

    void RefusedAndUnusableUrls_data() {
        QTest::addColumn<QString>("url");
        QTest::newRow("connection refused") << QStringLiteral("http://127.0.0.1:%1/a.kel").arg(ClosedPort());
        QTest::newRow("file") << QStringLiteral("file:///etc/hostname");
        QTest::newRow("no host") << QStringLiteral("http:///a.kel");
        QTest::newRow("not a URL") << QStringLiteral("a.kel");
    }
    void RefusedAndUnusableUrls() {
        QFETCH(QString, url);
        HttpUrlFetcher fetcher;
        fetcher.SetTimeoutMs(2000);
        const FetchResult r = fetcher.Fetch(url);
        QVERIFY(!r.ok);
        QVERIFY(r.body.isEmpty());
        QVERIFY2(r.error.contains(url), qPrintable(r.error));
    }
};

}  // namespace kel

using kel::HttpUrlFetcherTest;
KEL_TEST(HttpUrlFetcherTest);
#include "HttpUrlFetcherTest.moc"
