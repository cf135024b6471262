// The temporary script of the import and export operations ("Temp.kel"): a file of that
// name in a private folder with a unique name under the system's temporary folder. The
// folder and everything in it are removed when the object goes, so the file is gone on
// every way out of an operation: success, error or cancellation.
#pragma once

#include <QString>
#include <QTemporaryDir>

namespace kel {

class TempScriptFile {
public:
    TempScriptFile();
    TempScriptFile(const TempScriptFile&) = delete;
    TempScriptFile& operator=(const TempScriptFile&) = delete;

    bool ok() const { return dir_.isValid(); }
    QString error() const { return dir_.errorString(); }
    // The file's path (it does not exist until something writes it).
    QString path() const { return path_; }

private:
    QTemporaryDir dir_;
    QString path_;
};

}  // namespace kel
