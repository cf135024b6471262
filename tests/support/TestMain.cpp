#include "TestMain.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <vector>

namespace kel::test {

namespace {
struct Entry {
    const char* name;
    TestFactory factory;
};
std::vector<Entry>& Registry() {
    static std::vector<Entry> entries;
    return entries;
}
}  // namespace

int RegisterTest(const char* name, TestFactory factory) {
    Registry().push_back({name, std::move(factory)});
    return static_cast<int>(Registry().size());
}

QString DataPath(const QString& relative) {
    return QStringLiteral(KEL_TEST_DATA) + QLatin1Char('/') + relative;
}

QByteArray ReadBytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

KelRun RunKel(const QStringList& args, int timeoutMs) {
    QProcess p;
    p.start(QStringLiteral(KEL_CLI_PATH), args);
    KelRun r;
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

}  // namespace kel::test

// Runs every registered class. Arguments: an optional class name to run alone, followed by
// the usual QtTest arguments (function names, -v2, ...).
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // The user's data folder (recovery copies) is a temporary one for every test and every
    // program a test starts: no test reads or writes the real one.
    QTemporaryDir dataHome;
    qputenv("XDG_DATA_HOME", dataHome.path().toLocal8Bit());
    QApplication app(argc, argv);
    QStringList args = app.arguments();
    QString only;
    if (args.size() > 1 && !args[1].startsWith(QLatin1Char('-'))) {
        for (const auto& e : kel::test::Registry()) {
            if (args[1] == QLatin1String(e.name)) {
                only = args[1];
                args.removeAt(1);
                break;
            }
        }
    }
    int failed = 0;
    for (const auto& e : kel::test::Registry()) {
        if (!only.isEmpty() && only != QLatin1String(e.name)) continue;
        auto obj = e.factory();
        failed += QTest::qExec(obj.get(), args);
    }
    return failed == 0 ? 0 : 1;
}
