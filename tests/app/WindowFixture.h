// A main window over an editor wired to test doubles, with its settings files in a
// temporary folder (KEL_SETTINGS_DIR), so that no test touches the user's own settings.
#pragma once

#include <QAction>
#include <QListView>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "app/EditorApp.h"
#include "app/MainWindow.h"
#include "app/Settings.h"
#include "common/TextFile.h"
#include "geo/FigureDisplay.h"
#include "platform/Platform.h"

namespace kel::test {

// Points the settings folder at `dir` for the lifetime of the object.
class SettingsFolderScope {
public:
    explicit SettingsFolderScope(const QString& dir)
        : old_(qgetenv(kSettingsDirVariable)), had_(qEnvironmentVariableIsSet(kSettingsDirVariable)) {
        qputenv(kSettingsDirVariable, dir.toLocal8Bit());
    }
    ~SettingsFolderScope() {
        if (had_)
            qputenv(kSettingsDirVariable, old_);
        else
            qunsetenv(kSettingsDirVariable);
    }

private:
    QByteArray old_;
    bool had_;
};

struct AppFixture {
    QTemporaryDir settingsDir;
    SettingsFolderScope scope{settingsDir.path()};
    PlatformDoubles platform;
    RecordingFigureDisplay figures;
    std::unique_ptr<EditorApp> app;

    AppFixture() { NewApp(); }

    // A fresh program over the same settings folder (a restart).
    EditorApp& NewApp() {
        app = std::make_unique<EditorApp>(MakeEditorServices(platform, &figures));
        return *app;
    }
    ScriptedPrompts& prompts() { return platform.scriptedPrompts; }
    Editor& editor() { return app->editor(); }
    QString SettingsFile(const QString& name) const { return settingsDir.filePath(name); }
};

struct WindowFixture : AppFixture {
    std::unique_ptr<MainWindow> window;
    QTemporaryDir dir;

    explicit WindowFixture(bool start = true) {
        window = std::make_unique<MainWindow>(*app);
        if (start) {
            app->StartUp(false);
            window->AfterStartUp();
        }
        window->show();
    }
    ~WindowFixture() {
        // Closing asks its question; the tests that check it do so themselves.
        prompts().SetDefaultMessageAnswer(kAnswerYes);
        window->close();
    }

    template <typename T>
    T* Find(const QString& name) const {
        return window->findChild<T*>(name);
    }
    QAction* Action(const QString& name) const { return Find<QAction>(name); }
    QListView* List() const { return Find<QListView>(QStringLiteral("KelList")); }

    QString WriteScript(const QString& name, const QStringList& lines) {
        const QString path = dir.filePath(name);
        WriteTextFile(path, lines);
        return path;
    }
    // Clicks line i of the list view as a user does.
    void ClickLine(int i, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QListView* list = List();
        const QModelIndex at = list->model()->index(i, 0);
        list->scrollTo(at);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, mods, list->visualRect(at).center());
    }
};

}  // namespace kel::test
