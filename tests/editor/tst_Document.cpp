#include <QDir>
#include <QFile>

#include "EditorFixture.h"
#include "TestMain.h"
#include "formula/FormulaActions.h"
#include "formula/FormulaEngine.h"
#include "script/Statement.h"

using namespace kel;
using kel::test::EditorFixture;

namespace {

// An editor whose loading runs the condition search, as in the program.
struct SearchingFixture : EditorFixture {
    FormulaEngine engine{editor};
    SearchingFixture() { InstallFormulaActions(editor, engine); }
};

const QStringList kDocumentScript = {
    QStringLiteral("//Header:Prog:\"1.0.8.0\" Templ:\"1.2\" Date:\"2026/12/01\";"),
    QStringLiteral("mapserver script ver=\"1.0\";"),
    QString::fromUtf8("\t\tpoint\toid=\"1\"\r\n\t\t\t\tgid=\"10\"\r\n\t\t\t\tpos=\"35/40/00.0,139/46/00.0\"\r\n\t\t\t\tstr=\"東京\";"),
    QStringLiteral("\t\tline\toid=\"2\"\r\n\t\t\t\tpos=\"35/40/00.0,139/46/00.0,35/41/00.0,139/47/00.0\";"),
    QStringLiteral("\t\tdisp\tall ;"),
    QStringLiteral("mapserver end;"),
};

}  // namespace

class DocumentTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void openThenSaveIsByteIdentical_data() {
        QTest::addColumn<QString>("path");
        QTest::newRow("example") << QStringLiteral(KEL_SOURCE_DIR "/examples/sample.kel");
        const QDir golden(test::DataPath(QStringLiteral("script")));
        for (const QString& name : golden.entryList({QStringLiteral("*.kel")}, QDir::Files)) {
            if (name.contains(QLatin1String("expected"))) continue;
            QTest::newRow(qPrintable(name)) << golden.filePath(name);
        }
    }
    void openThenSaveIsByteIdentical() {
        QFETCH(QString, path);
        if (!QFile::exists(path)) QSKIP("golden file not present");
        EditorFixture f;
        f.OpenScript(path);
        QCOMPARE(f.editor.EditFg(), 0);
        const QString out = f.dir.filePath(QStringLiteral("out.kel"));
        f.editor.SetKelFileName(out);
        QVERIFY(f.editor.Save());
        // What `kel save` writes is the reference: every statement as read, with CR LF.
        const QString expected = f.dir.filePath(QStringLiteral("expected.kel"));
        LineSource src(ReadTextFile(path).lines);
        QStringList statements;
        while (!src.AtEnd()) statements << ReadStatement(src);
        WriteTextFile(expected, statements);
        QCOMPARE(test::ReadBytes(out), test::ReadBytes(expected));
    }

    void openMakesDispCurrentAndKeepsTexts() {
        SearchingFixture f;
        const QString path = f.WriteScript(QStringLiteral("a.kel"), kDocumentScript);
        f.OpenScript(path);
        QCOMPARE(f.Names(), (QStringList{"comment", "mapserver", "point", "line", "disp", "mapserver"}));
        QCOMPARE(f.Texts(), kDocumentScript);
        QCOMPARE(f.editor.List().Current(), 4);
        QCOMPARE(f.editor.Params().curKelCmdCaption, QStringLiteral("disp"));
        QCOMPARE(f.editor.KelFileName(), path);
        QVERIFY(f.prompts().Asked().isEmpty());
    }

    void newAsksBeforeLosingWork() {
        SearchingFixture f;
        f.editor.New();
        f.editor.List().Remove(3);
        f.prompts().Answer(kAnswerNo);
        f.editor.New();
        // Any answer but Yes runs Save instead; with no file name that is Save As, whose
        // dialog is cancelled here.
        QCOMPARE(f.prompts().Asked().size(), 2);
        QCOMPARE(f.prompts().Asked()[0].prompt,
                 QString::fromUtf8("現在のファイルは変更されています．このまま保存せずに新規作成しますか？"));
        QCOMPARE(f.prompts().Asked()[0].buttons, 308);
        QCOMPARE(f.prompts().Asked()[0].title, QStringLiteral("Caution"));
        QCOMPARE(f.prompts().Asked()[1].kind, PromptKind::SaveFile);
        QCOMPARE(f.editor.List().Count(), 3);

        f.prompts().Answer(kAnswerYes);
        f.editor.New();
        QCOMPARE(f.Texts(), (QStringList{
                                QStringLiteral("//Header:Prog:\"1.0.8.0\" Templ:\"1.2\" Date:\"2026/12/06\";"),
                                QStringLiteral("mapserver script ver=\"1.0\";"),
                                QStringLiteral("\t\tdisp\tall ;"), QStringLiteral("mapserver end;")}));
        QCOMPARE(f.editor.EditFg(), 1);
        QCOMPARE(f.editor.List().Current(), 2);
        QVERIFY(f.editor.KelFileName().isEmpty());
    }

    void openChecksExtension() {
        EditorFixture f;
        const QString txt = f.WriteScript(QStringLiteral("a.txt"), kDocumentScript);
        f.editor.DoOpenKelFile(txt);
        QCOMPARE(f.prompts().Last().prompt, QString::fromUtf8("KELファイルではありません"));
        QCOMPARE(f.prompts().Last().title, QStringLiteral("NotKel"));
        QCOMPARE(f.editor.List().Count(), 0);

        const QString lower = f.WriteScript(QStringLiteral("b.kel"), kDocumentScript);
        f.editor.DoOpenKelFile(lower);
        QCOMPARE(f.editor.List().Count(), kDocumentScript.size());
    }

    void openMissingFileStartsNewDocumentThere() {
        EditorFixture f;
        const QString path = f.dir.filePath(QStringLiteral("new.KEL"));
        f.editor.DoOpenKelFile(path);
        QCOMPARE(f.editor.List().Count(), 4);
        QCOMPARE(f.editor.EditFg(), 1);
        QVERIFY(f.editor.Save());
        QVERIFY(QFile::exists(path));
        QCOMPARE(f.editor.EditFg(), 0);
    }

    void openUnreadableOrTooLargeKeepsDocument() {
        EditorFixture f;
        const QString path = f.WriteScript(QStringLiteral("a.kel"), kDocumentScript);
        f.OpenScript(path);
        const QStringList before = f.editor.List().Lines();
        // A folder named like a script cannot be read.
        QDir(f.dir.path()).mkdir(QStringLiteral("folder.kel"));
        f.editor.DoOpenKelFile(f.dir.filePath(QStringLiteral("folder.kel")));
        QCOMPARE(f.editor.List().Lines(), before);

        f.editor.Texts().SetCapacity(5);
        f.editor.DoOpenKelFile(path);  // six statements, room for five
        QCOMPARE(f.prompts().Last().title, QStringLiteral("Limit"));
        QVERIFY(f.prompts().Last().prompt.contains(QStringLiteral("(6)")));
        QCOMPARE(f.editor.List().Lines(), before);
    }

    void invalidShiftJisWarnsWithLine() {
        EditorFixture f;
        const QString path = f.dir.filePath(QStringLiteral("bad.kel"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("mapserver script ver=\"1.0\";\r\n\t\tpoint\toid=\"1\" str=\"\x81\x20\";\r\nmapserver end;\r\n");
        file.close();
        f.OpenScript(path);
        QCOMPARE(f.prompts().Asked().size(), 1);
        QVERIFY(f.prompts().Last().prompt.contains(QString::fromUtf8("2行目")));
        QCOMPARE(f.editor.List().Count(), 3);
    }

    void appendInsertsAfterCurrentWithoutFrame() {
        EditorFixture f;
        const QString base = f.WriteScript(QStringLiteral("base.kel"), kDocumentScript);
        const QString more = f.WriteScript(
            QStringLiteral("more.kel"),
            {QStringLiteral("mapserver script ver=\"1.0\";"),
             QStringLiteral("\t\tpoint\toid=\"A\" pos=\"35/00/00.0,139/00/00.0\";"),
             QStringLiteral("\t\tdisp\tall ;"), QStringLiteral("\t\ttheme\tstr=\"B\";"),
             QStringLiteral("mapserver end;")});
        f.OpenScript(base);
        f.editor.ClickLine(1);
        f.editor.SetFileName(more);
        f.editor.Append();
        QCOMPARE(f.Names(), (QStringList{"comment", "mapserver", "point", "theme", "point", "line",
                                         "disp", "mapserver"}));
        QCOMPARE(f.editor.EditFg(), 1);
        // The appended point is drawn; its figure number is in its line.
        QCOMPARE(ListLineFigure(f.editor.List().Line(2)), f.figures.Calls().back().result);
        QCOMPARE(f.figures.Calls().back().figureType, QStringLiteral("point"));

        f.editor.ClickLine(f.editor.List().Count() - 1);
        f.editor.SetFileName(more);
        f.editor.Append();
        QCOMPARE(f.Names().mid(8), (QStringList{"point", "theme"}));
    }

    void saveFailureKeepsOldFileAndFlag() {
        EditorFixture f;
        const QString path = f.WriteScript(QStringLiteral("a.kel"), kDocumentScript);
        f.OpenScript(path);
        const QByteArray before = test::ReadBytes(path);
        // A value Shift-JIS cannot hold.
        f.editor.ClickLine(2);
        f.editor.SetParValue(4, QString::fromUtf8("caf\u00e9"));
        QVERIFY(f.editor.ApplyPendingEdits());
        QVERIFY(!f.editor.Save());
        QCOMPARE(f.editor.EditFg(), 1);
        QCOMPARE(test::ReadBytes(path), before);
        QCOMPARE(f.prompts().Last().title, QStringLiteral("Save"));
        QVERIFY(f.prompts().Last().prompt.contains(QString::fromUtf8("\u00e9")));

        // A target that cannot be replaced.
        QDir(f.dir.path()).mkdir(QStringLiteral("dir.kel"));
        f.editor.SetKelFileName(f.dir.filePath(QStringLiteral("dir.kel")));
        f.editor.SetParValue(4, QStringLiteral("ok"));
        QVERIFY(!f.editor.Save());
        QCOMPARE(f.editor.EditFg(), 1);
    }

    void saveAsAsksBeforeOverwriting() {
        EditorFixture f;
        const QString path = f.WriteScript(QStringLiteral("a.kel"), kDocumentScript);
        const QString other = f.WriteScript(QStringLiteral("other.kel"), {QStringLiteral("x;")});
        f.OpenScript(path);
        f.prompts().ChoosePath(other).Answer(kAnswerNo);
        QVERIFY(!f.editor.SaveAs());
        QCOMPARE(f.prompts().Last().prompt,
                 QStringLiteral("[") + other + QString::fromUtf8("]は存在します．上書きしますか？"));
        QCOMPARE(f.prompts().Last().buttons, 292);
        QCOMPARE(f.prompts().Last().title, QString::fromUtf8("上書き保存"));
        QCOMPARE(test::ReadBytes(other), QByteArray("x;\r\n"));
        QCOMPARE(f.editor.KelFileName(), path);

        f.prompts().ChoosePath(other).Answer(kAnswerYes);
        QVERIFY(f.editor.SaveAs());
        QCOMPARE(test::ReadBytes(other), test::ReadBytes(path));
        QCOMPARE(f.editor.KelFileName(), other);
    }

    void clearAsksThenEmpties() {
        EditorFixture f;
        f.OpenScript(f.WriteScript(QStringLiteral("a.kel"), kDocumentScript));
        f.editor.SetEditFg(1);
        f.editor.SetAutoAnswerYes(false);
        f.prompts().Answer(kAnswerYes);
        f.editor.Clear();
        QCOMPARE(f.editor.List().Count(), 0);
        QCOMPARE(f.editor.Texts().LastTextSlot(), 0);
        QCOMPARE(f.editor.EditFg(), 0);
        QCOMPARE(f.prompts().Last().prompt,
                 QString::fromUtf8("現在のファイルは変更されています．このまま保存せずにListをクリアしますか？"));
    }

    void commandLine_data() {
        QTest::addColumn<QString>("args");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("questions");
        QTest::newRow("new") << "-n" << 4 << 0;
        QTest::newRow("path") << "PATH" << 6 << 1;
        QTest::newRow("path -o") << "PATH -o" << 6 << 1;
        QTest::newRow("path other") << "PATH -x" << 0 << 0;
        QTest::newRow("none") << "" << 0 << 0;
    }
    void commandLine() {
        QFETCH(QString, args);
        QFETCH(int, count);
        QFETCH(int, questions);
        EditorFixture f;
        const QString path = f.WriteScript(QStringLiteral("a.kel"), kDocumentScript);
        f.editor.EvaluateCommandLine(args.replace(QStringLiteral("PATH"), path));
        QCOMPARE(f.editor.List().Count(), count);
        QCOMPARE(f.prompts().Asked().size(), questions);
        if (questions) {
            QCOMPARE(f.prompts().Last().prompt,
                     QStringLiteral("[") + path + QString::fromUtf8("]をOpenします"));
            QCOMPARE(f.prompts().Last().buttons, 1);
            QCOMPARE(f.prompts().Last().title, QStringLiteral("Open File"));
        }
    }

    void droppedHttpUrlIsFetchedAndOpened() {
        EditorFixture f;
        f.editor.SetDefinitionFolder(f.dir.path());
        const QString url = QStringLiteral("http://example.test/cgi/map.pl?area=13&x=1");
        f.platform.mapUrlFetcher.SetBody(url, "mapserver script ver=\"1.0\";\r\nmapserver end;\r\n");
        f.prompts().Answer(kAnswerYes);
        f.editor.DropText(url, false);
        QCOMPARE(f.platform.mapUrlFetcher.Requested(), QStringList{url});
        const QString local = f.dir.filePath(QStringLiteral("map.KEL"));
        QVERIFY(QFile::exists(local));
        QCOMPARE(f.editor.KelFileName(), local);
        QCOMPARE(f.editor.List().Count(), 2);
        QCOMPARE(f.prompts().Last().prompt,
                 QString::fromUtf8("Drag&DropしたKelファイルを新しく開きます．よろしいですか？"));
        QCOMPARE(f.prompts().Last().buttons, 4);
        QVERIFY(!f.editor.AutoAnswerYes());
    }

    void droppedUrlsThatCannotBeUsed_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("ftp") << "ftp://host/a.kel"
                             << QString::fromUtf8("現時点ではFTPには対応していません（http://かfile://）");
        QTest::newRow("no name") << "http://host/dir/" << QString::fromUtf8("URLからファイル名が決まりません．");
        QTest::newRow("dot dot") << "http://host/a/.." << QString::fromUtf8("URLからファイル名が決まりません．");
        QTest::newRow("failed fetch") << "http://host/missing.kel"
                                      << QString::fromUtf8("]を取得できませんでした．");
    }
    void droppedUrlsThatCannotBeUsed() {
        QFETCH(QString, text);
        QFETCH(QString, message);
        EditorFixture f;
        f.editor.SetDefinitionFolder(f.dir.path());
        f.platform.mapUrlFetcher.SetError(QStringLiteral("http://host/missing.kel"),
                                          QStringLiteral("404"), 404);
        f.editor.DropText(text, false);
        QVERIFY(!f.prompts().Asked().isEmpty());
        QVERIFY2(f.prompts().Last().prompt.contains(message), qPrintable(f.prompts().Last().prompt));
        QCOMPARE(f.editor.List().Count(), 0);
        QCOMPARE(QDir(f.dir.path()).entryList(QDir::Files).size(), 0);
    }

    void droppedFileUrlWithEscapes() {
        EditorFixture f;
        const QString path = f.WriteScript(QString::fromUtf8("地図 1.kel"), kDocumentScript);
        f.prompts().Answer(kAnswerYes);
        f.editor.DropText(QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded), false);
        QCOMPARE(f.editor.KelFileName(), path);
        QCOMPARE(f.editor.List().Count(), kDocumentScript.size());
    }

    void droppedKelWithShiftAppends() {
        EditorFixture f;
        f.OpenScript(f.WriteScript(QStringLiteral("a.kel"), kDocumentScript));
        const QString more = f.WriteScript(QStringLiteral("b.kel"), {QStringLiteral("\t\ttheme\tstr=\"x\";")});
        f.prompts().Answer(kAnswerNo);
        f.editor.DropFiles({more}, true);
        QCOMPARE(f.editor.List().Count(), kDocumentScript.size());
        f.prompts().Answer(kAnswerYes);
        f.editor.DropFiles({more}, true);
        QCOMPARE(f.editor.List().Count(), kDocumentScript.size() + 1);
        QCOMPARE(f.prompts().Last().prompt,
                 QString::fromUtf8("Drag&DropしたKelファイルをAppendします．よろしいですか？"));
    }
};

KEL_TEST(DocumentTest);
#include "tst_Document.moc"
