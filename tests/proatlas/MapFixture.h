// An editing session drawing on a recording map, connected as the program connects it.
#pragma once

#include <QTemporaryDir>

#include "app/EditorSession.h"
#include "common/TextFile.h"
#include "list/ListLine.h"
#include "platform/Platform.h"
#include "proatlas/RecordingProAtlas.h"

namespace kel::test {

struct MapFixture {
    PlatformDoubles platform;
    RecordingProAtlas map;
    EditorSession session{MakeEditorServices(platform, nullptr)};
    QTemporaryDir dir;
    int closed = 0;

    explicit MapFixture(bool connect = true) {
        platform.fixedClock.Set(QDateTime(QDate(2026, 12, 6), QTime(9, 30)));
        session.editor().SetDefinitionFolder(dir.path());
        session.proAtlas().createMap = [this] { return &map; };
        session.proAtlas().closeMap = [this](ProAtlas*) { ++closed; };
        if (connect) session.proAtlas().ConnectProAtlas();
    }

    Editor& editor() { return session.editor(); }

    QString WriteScript(const QString& name, const QStringList& lines) {
        const QString path = dir.filePath(name);
        WriteTextFile(path, lines);
        return path;
    }

    // A script of a header, a group and the figures given (one command each).
    QString OpenFigures(const QStringList& figures, const QString& name = QStringLiteral("f.kel")) {
        QStringList lines{QStringLiteral("mapserver script ver=\"1.0\";")};
        lines << figures << QStringLiteral("mapserver end;");
        const QString path = WriteScript(name, lines);
        editor().SetEditFg(0);
        editor().DoOpenKelFile(path);
        return path;
    }

    int FigureOf(int line) { return ListLineFigure(session.editor().List().Line(line)); }
};

}  // namespace kel::test
