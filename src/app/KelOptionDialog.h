// The Waypoint+ options window ("Waypoint+<=>Kel Option"): UTC offset, origin and
// destination names, route-point numbering and the track-log step. "Update" takes the
// values; "OK" takes them and closes.
#pragma once

#include <QDialog>

#include "waypoint/WptOptions.h"

class QLineEdit;
class QRadioButton;

namespace kel {

class KelOptionDialog : public QDialog {
    Q_OBJECT
public:
    KelOptionDialog(WptOptions& options, QWidget* parent = nullptr);

    // Takes the values of the boxes into the options ("Update").
    void Update();

private:
    void Show();

    WptOptions& options_;
    QLineEdit* utcOffset_ = nullptr;
    QLineEdit* originName_ = nullptr;
    QLineEdit* destinationName_ = nullptr;
    QRadioButton* up_ = nullptr;
    QRadioButton* down_ = nullptr;
    QLineEdit* step_ = nullptr;
};

}  // namespace kel
