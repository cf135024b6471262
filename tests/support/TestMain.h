// Test classes use `private Q_SLOTS:` (the build defines QT_NO_KEYWORDS).
//
// Test registry: every test class registers itself with KEL_TEST(Class); the folder's single
// executable runs them all. A folder's tests can thus be split into files by topic without
// touching the build.
#pragma once

#include <QObject>
#include <QString>
#include <QtTest>
#include <functional>
#include <memory>

namespace kel::test {

using TestFactory = std::function<std::unique_ptr<QObject>()>;

int RegisterTest(const char* name, TestFactory factory);

// Path of a file under tests/data.
QString DataPath(const QString& relative);

// Reads a whole file as bytes (empty when missing).
QByteArray ReadBytes(const QString& path);

// Runs the `kel` command line and collects what it printed. A run that does not end within
// the time limit has status -1.
struct KelRun {
    int status = -1;
    QString out;
    QString err;
};
KelRun RunKel(const QStringList& args, int timeoutMs = 120000);

}  // namespace kel::test

#define KEL_TEST(Class)                                       \
    static const int kelTestRegistered_##Class =              \
        ::kel::test::RegisterTest(#Class, [] { return std::make_unique<Class>(); })
