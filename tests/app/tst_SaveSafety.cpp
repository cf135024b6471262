// Save and Save As where the disk is full or the target is not a file: the old file stays
// byte for byte, the document stays modified, and the message says why.
#include <QFile>

#include "EditorFixture.h"
#include "WindowFixture.h"
#include "app/Settings.h"
#include "common/TextFile.h"
#include "SmallDisk.h"
#include "TestMain.h"

#include <sys/stat.h>

using namespace kel;
using kel::test::EditorFixture;
using kel::test::SmallDisk;

namespace {
const QStringList kScript = {
    QStringLiteral("mapserver script ver=\"1.0\";"),
    QStringLiteral("\t\tpoint\toid=\"1\" pos=\"35/40/00.0,139/46/00.0\";"),
    QStringLiteral("mapserver end;"),
};
}  // namespace

class SaveSafetyTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void saveOntoFullDisk_data() {
        QTest::addColumn<bool>("saveAs");
        QTest::newRow("save") << false;
        QTest::newRow("save as") << true;
    }
    void saveOntoFullDisk() {
        QFETCH(bool, saveAs);
        SmallDisk disk;
        KEL_REQUIRE_SMALL_DISK(disk);
        EditorFixture f;
        const QString source = f.WriteScript(QStringLiteral("a.kel"), kScript);
        const QString path = disk.Path(QStringLiteral("a.kel"));
        QVERIFY(QFile::copy(source, path));
        const QByteArray before = test::ReadBytes(path);
        f.OpenScript(saveAs ? source : path);
        f.editor.ClickLine(1);
        f.editor.SetParValue(4, QStringLiteral("a longer label than before"));
        QVERIFY(f.editor.ApplyPendingEdits());
        QVERIFY(disk.Fill(0));
        if (saveAs) {
            f.prompts().ChoosePath(path).Answer(kAnswerYes);
            QVERIFY(!f.editor.SaveAs());
        } else {
            QVERIFY(!f.editor.Save());
        }
        QCOMPARE(test::ReadBytes(path), before);
        QCOMPARE(f.editor.EditFg(), 1);
        QCOMPARE(f.prompts().Last().title, QStringLiteral("Save"));
        QVERIFY2(f.prompts().Last().prompt.contains(QLatin1String("No space left on device")),
                 qPrintable(f.prompts().Last().prompt));
        QVERIFY(f.prompts().Last().prompt.contains(path));
    }

    // KelEditor.dat on a full disk: the library is reported as not kept, the old file stays.
    void definitionFileOntoFullDisk() {
        SmallDisk disk;
        KEL_REQUIRE_SMALL_DISK(disk);
        test::AppFixture f;
        QVERIFY(WriteTextFile(f.SettingsFile(kIniFileName),
                              {QString(), QString(), QString(), QString(), disk.Path(QString())})
                    .ok);
        QVERIFY(f.app->StartUp(false));
        const QString path = disk.Path(kDefinitionFileName);
        const QByteArray before = test::ReadBytes(path);
        QVERIFY(!before.isEmpty());
        f.editor().Library().Stock(QStringLiteral("point oid=\"a longer entry than the disk holds\";"));
        QVERIFY(disk.Fill(0));
        QVERIFY(!f.app->SaveDefinitionFile());
        QCOMPARE(f.prompts().Last().title, QStringLiteral("SaveDefault"));
        QVERIFY2(f.prompts().Last().prompt.contains(QLatin1String("No space left on device")),
                 qPrintable(f.prompts().Last().prompt));
        QCOMPARE(test::ReadBytes(path), before);
    }

    void saveOntoFifoRefused() {
        EditorFixture f;
        const QString path = f.WriteScript(QStringLiteral("a.kel"), kScript);
        f.OpenScript(path);
        const QString fifo = f.dir.filePath(QStringLiteral("pipe.kel"));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
        f.editor.SetKelFileName(fifo);
        QVERIFY(!f.editor.Save());
        QVERIFY(f.prompts().Last().prompt.contains(QLatin1String("not a regular file (a FIFO)")));
        QVERIFY(!QFileInfo(fifo).isFile());
    }
};

KEL_TEST(SaveSafetyTest);
#include "tst_SaveSafety.moc"
