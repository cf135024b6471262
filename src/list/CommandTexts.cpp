#include "list/CommandTexts.h"

namespace kel {

namespace {
const QString kEmpty;
}

CommandTexts::CommandTexts() { texts_.resize(1); }

int CommandTexts::Store(const QString& text) {
    if (last_ >= capacity_ && onFull_ && !compacting_) {
        compacting_ = true;
        onFull_();
        compacting_ = false;
    }
    if (last_ >= capacity_) return 0;
    ++last_;
    if (size_t(last_) >= texts_.size()) {
        texts_.push_back(text);
    } else {
        texts_[size_t(last_)] = text;
    }
    return last_;
}

const QString& CommandTexts::Text(int slot) const {
    if (slot < 1 || slot > last_) return kEmpty;
    return texts_[size_t(slot)];
}

void CommandTexts::ReleaseReplaced(int slot) {
    if (keepsReplaced_ || slot < 1 || slot > last_) return;
    texts_[size_t(slot)] = QString();
}

void CommandTexts::Clear() {
    texts_.clear();
    texts_.resize(1);
    last_ = 0;
}

void CommandTexts::Reset(std::vector<QString> textsFromSlot1) {
    texts_.clear();
    texts_.reserve(textsFromSlot1.size() + 1);
    texts_.emplace_back();
    for (QString& t : textsFromSlot1) texts_.push_back(std::move(t));
    last_ = int(texts_.size()) - 1;
}

}  // namespace kel
