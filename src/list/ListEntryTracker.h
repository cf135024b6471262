// Follows one line of the command list through the changes made while a window works on
// it: lines inserted or removed before it, the line moved up or down, its command edited
// (a new text slot), an undo that puts the list back. The line is lost when it is removed
// or when the list is replaced by one that no longer holds its text slot.
#pragma once

#include <QObject>

namespace kel {

class KelList;

class ListEntryTracker : public QObject {
    Q_OBJECT
public:
    explicit ListEntryTracker(KelList& list, QObject* parent = nullptr);

    // Starts following line `index` (stops when it is not a line of the list).
    void Follow(int index);
    void Stop();
    // The line's index now; -1 when it was lost or none is followed.
    int Index() const { return index_; }

private:
    void Inserted(int first, int count);
    void Removed(int first, int count);
    void Changed(int index);
    void Reset();
    int SlotAt(int index) const;

    KelList& list_;
    int index_ = -1;
    int slot_ = 0;
};

}  // namespace kel
