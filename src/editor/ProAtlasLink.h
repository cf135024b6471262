// Finding, opening and closing the map, and the preview of the whole script in the map
// program. The map that the editor draws on is built in, so start-up never ends for a
// missing product: the settings line and the registry still choose the preview program,
// and without them it is `kelmap` beside the editor.
#pragma once

#include <QObject>
#include <QString>
#include <functional>

namespace kel {

class Editor;
class MapFigureDisplay;
class ProAtlas;
class Registry;

inline const QString kAutomationName = QStringLiteral("Patls.Map.1");
inline const QString kMenuViewProAtlasBase = QStringLiteral("PreView ProAtlas(&P)");
inline const QString kTemporaryScriptName = QStringLiteral("KelEditor.kel");
// The argument that tells `kelmap` to delete the script once it has read it.
inline const QString kRemoveAfterReadOption = QStringLiteral("--remove-after-read");

// The preview program: line 4 of the settings file when it names the product's
// executable ("...\patls98.exe") or an executable file; else the product's folder from the
// registry ("SOFTWARE\ALPS\Rdw30" "installpath" + "\Program\patls98.exe"); else `kelmap`
// in `programFolder`.
QString DetectPreviewProgram(const QString& iniLine4, const Registry* registry,
                             const QString& programFolder);

// Whether a program is our own map program (it understands kRemoveAfterReadOption).
bool IsKelmap(const QString& program);

class ProAtlasLink : public QObject {
    Q_OBJECT
public:
    // Registers DispAll, MenuViewProAtlas and MenuFileOpenProAtlas with the editor.
    ProAtlasLink(Editor& editor, MapFigureDisplay& display, QObject* parent = nullptr);

    QString Executable() const { return executable_; }
    void SetExecutable(const QString& path) { executable_ = path; }

    // Makes the map (its window), or returns null when none can be made (no display).
    std::function<ProAtlas*()> createMap;
    // Closes the map's window (the map is not used afterwards).
    std::function<void(ProAtlas*)> closeMap;

    ProAtlas* App() const { return app_; }
    // Opens the map and turns its mark on; without a map, says so and carries on.
    bool ConnectProAtlas();
    // Turns the mark off and closes the map; removes a preview script left behind.
    void ReleaseProAtlas();

    // "P.Atls" while the preview is off, "Off" while it is on.
    QString DispAllCaption() const { return dispAllCaption_; }
    QString MenuViewProAtlasCaption() const { return menuViewProAtlas_; }
    void DispAllClick();
    // The document was replaced: a preview that is on is started again for it.
    void RedoPreview();
    // Starts the preview program with a script, or with "Clear" ends the preview.
    // `deleteAfter`: the script is a temporary copy, deleted once the program has read it.
    void ShowInProAtlas(const QString& pathOrClear, bool deleteAfter = false);
    // The temporary script beside the definition file.
    QString TemporaryScriptPath() const;

Q_SIGNALS:
    void CaptionsChanged();
    // The editor's window should come to the front.
    void RaiseEditor();

private:
    void SetDispAll(bool on);

    Editor& editor_;
    MapFigureDisplay& display_;
    ProAtlas* app_ = nullptr;
    QString executable_;
    QString dispAllCaption_ = QStringLiteral("P.Atls");
    QString menuViewProAtlas_ = kMenuViewProAtlasBase + QStringLiteral("[OFF]");
    qint64 previewProcess_ = 0;
    bool leftTemporary_ = false;
};

}  // namespace kel
