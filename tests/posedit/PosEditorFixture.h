// An editing session on a recording map, with the position editor opened for the `pos` of
// a figure command. The map's mark is set where a test "clicks", or given as raw texts.
#pragma once

#include <QTemporaryDir>
#include <optional>

#include "app/EditorSession.h"
#include "common/TextFile.h"
#include "geo/Coordinates.h"
#include "list/ListLine.h"
#include "platform/Platform.h"
#include "posedit/PosEditor.h"
#include "proatlas/RecordingProAtlas.h"
#include "script/Statement.h"

namespace kel::test {

// A recording map whose mark texts a test may set as it likes.
class MarkTextMap : public RecordingProAtlas {
public:
    std::optional<std::pair<QString, QString>> markTexts;
    QString MarkLatitude() const override {
        return markTexts ? markTexts->first : RecordingProAtlas::MarkLatitude();
    }
    QString MarkLongitude() const override {
        return markTexts ? markTexts->second : RecordingProAtlas::MarkLongitude();
    }
};

struct PosEditorFixture {
    PlatformDoubles platform;
    MarkTextMap map;
    EditorSession session{MakeEditorServices(platform, nullptr)};
    QTemporaryDir dir;

    PosEditorFixture() {
        platform.fixedClock.Set(QDateTime(QDate(2026, 12, 6), QTime(9, 30)));
        session.editor().SetDefinitionFolder(dir.path());
        session.proAtlas().createMap = [this] { return &map; };
        session.proAtlas().closeMap = [](ProAtlas*) {};
        session.proAtlas().ConnectProAtlas();
    }

    Editor& editor() { return session.editor(); }
    PosEditor& pe() { return session.posEditor(); }
    ScriptedPrompts& prompts() { return platform.scriptedPrompts; }

    // Opens a script of the given commands between a header and its end (line 0 is the
    // header, so the commands are lines 1, 2, ...).
    void Open(const QStringList& commands) {
        QStringList lines{QStringLiteral("mapserver script ver=\"1.0\";")};
        lines << commands << QStringLiteral("mapserver end;");
        const QString path = dir.filePath(QStringLiteral("f.kel"));
        WriteTextFile(path, lines);
        editor().SetEditFg(0);
        editor().DoOpenKelFile(path);
    }

    // The row of the loaded command's `pos` value box.
    int PosRow() {
        const ParamEditorState& p = editor().Params();
        for (int r = 0; r < kSlotCount; ++r)
            if (p.rows[size_t(r)].label == QLatin1String("pos")) return r;
        return -1;
    }

    // Loads line i and opens the position editor for its `pos`.
    void EditPos(int line) {
        editor().ClickLine(line);
        session.OpenPositionEditorForSlot(PosRow());
    }

    // A click on the map at a position given in degrees.
    void ClickAt(double lat_deg, double lon_deg) {
        map.markTexts.reset();
        map.SetMark(lat_deg, lon_deg);
        pe().MapClicked();
    }
    // The same at a "KEL" position ("35/00/10.0 135/00/20.0").
    void ClickAt(const QString& at) {
        ClickAt(KelToDegrees(at.section(QLatin1Char(' '), 0, 0)), KelToDegrees(at.section(QLatin1Char(' '), 1)));
    }

    QString PosOf(int line) { return GetParamValue(editor().CommandTextAt(line), QStringLiteral("pos")); }
};

}  // namespace kel::test
