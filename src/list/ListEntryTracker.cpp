#include "list/ListEntryTracker.h"

#include "list/KelList.h"
#include "list/ListLine.h"

namespace kel {

ListEntryTracker::ListEntryTracker(KelList& list, QObject* parent) : QObject(parent), list_(list) {
    connect(&list_, &KelList::LinesInserted, this, &ListEntryTracker::Inserted);
    connect(&list_, &KelList::LinesRemoved, this, &ListEntryTracker::Removed);
    connect(&list_, &KelList::LineChanged, this, &ListEntryTracker::Changed);
    connect(&list_, &KelList::ListReset, this, &ListEntryTracker::Reset);
}

int ListEntryTracker::SlotAt(int index) const {
    return list_.IsValidIndex(index) ? ListLineSlot(list_.Line(index)) : 0;
}

void ListEntryTracker::Follow(int index) {
    index_ = list_.IsValidIndex(index) ? index : -1;
    slot_ = SlotAt(index_);
}

void ListEntryTracker::Stop() {
    index_ = -1;
    slot_ = 0;
}

void ListEntryTracker::Inserted(int first, int count) {
    if (index_ >= 0 && first <= index_) index_ += count;
}

void ListEntryTracker::Removed(int first, int count) {
    if (index_ < 0 || first > index_) return;
    if (first + count > index_) {
        Stop();
        return;
    }
    index_ -= count;
}

void ListEntryTracker::Changed(int index) {
    if (index_ < 0 || index != index_) return;
    const int now = SlotAt(index_);
    if (now == slot_) return;
    // Moving a line up or down swaps it with a neighbour; otherwise its command was
    // rewritten in place and keeps its line under a new slot.
    for (int n : {index_ - 1, index_ + 1}) {
        if (SlotAt(n) == slot_) {
            index_ = n;
            return;
        }
    }
    slot_ = now;
}

void ListEntryTracker::Reset() {
    if (index_ < 0) return;
    if (SlotAt(index_) == slot_) return;
    for (int i = 0; i < list_.Count(); ++i) {
        if (SlotAt(i) == slot_) {
            index_ = i;
            return;
        }
    }
    Stop();
}

}  // namespace kel
