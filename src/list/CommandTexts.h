// The command text store: numbered slots, each holding one complete command text. Every new
// list line (load, add, paste, applied edit) takes a new slot; slots are not freed one by
// one, and clearing the list hands the numbers out again from 1.
#pragma once

#include <QString>
#include <functional>
#include <vector>

namespace kel {

// The largest slot number: the list line's six-character slot column cannot show more.
constexpr int kMaxTextSlots = 999999;

class CommandTexts {
public:
    CommandTexts();

    int LastTextSlot() const { return last_; }
    // Stores `text` in the next slot and returns its number. When the numbers are used up,
    // the hook set by `SetOnFull` is asked to make room (the editor renumbers the slots of all lines)
    // and the store is tried again; 0 when there is still no room.
    int Store(const QString& text);
    // The text of a slot; empty for a slot never handed out.
    const QString& Text(int slot) const;
    // Empties the store; slot numbers start again from 1.
    void Clear();
    // Replaces the whole store by `texts` in slots 1..n (used when renumbering).
    void Reset(std::vector<QString> textsFromSlot1);

    void SetOnFull(std::function<void()> hook) { onFull_ = std::move(hook); }

    // Whether a bulk operation keeps the texts it replaces (the default): undo steps and a
    // cancelled operation bring them back. A command-line run keeps no undo steps and
    // writes nothing when it is interrupted, so it lets them go: a bulk input over every
    // command then holds one text per command instead of two.
    bool KeepsReplaced() const { return keepsReplaced_; }
    void SetKeepsReplaced(bool keep) { keepsReplaced_ = keep; }
    // Lets the text of a replaced slot go when replaced texts are not kept (the slot reads
    // as empty from then on); nothing otherwise.
    void ReleaseReplaced(int slot);

    // The number of slots handed out before the store is full: kMaxTextSlots, smaller in
    // tests of what happens at the limit.
    int Capacity() const { return capacity_; }
    void SetCapacity(int capacity) { capacity_ = capacity < 1 ? 1 : qMin(capacity, kMaxTextSlots); }

private:
    std::vector<QString> texts_;  // index 0 unused
    int last_ = 0;
    int capacity_ = kMaxTextSlots;
    bool compacting_ = false;
    bool keepsReplaced_ = true;
    std::function<void()> onFull_;
};

}  // namespace kel
