#include "key_ring.hpp"

namespace gfx {

void KeyRing::push(Key k) {
    std::lock_guard lock(mutex_);
    push_locked(k);
}

void KeyRing::push_locked(Key k) {
    const int count = (tail_ - head_ + kSlots) % kSlots;
    if (count == kSlots - 1) {
        // Full: the oldest key goes, and a special key goes with its code.
        const Key oldest = slots_[static_cast<std::size_t>(head_)];
        head_ = (head_ + 1) % kSlots;
        if (oldest == 0 && head_ != tail_) head_ = (head_ + 1) % kSlots;
    }
    slots_[static_cast<std::size_t>(tail_)] = k;
    tail_ = (tail_ + 1) % kSlots;
}

std::optional<Key> KeyRing::pop() {
    std::lock_guard lock(mutex_);
    if (head_ == tail_) return std::nullopt;
    const Key k = slots_[static_cast<std::size_t>(head_)];
    head_ = (head_ + 1) % kSlots;
    return k;
}

bool KeyRing::empty() const {
    std::lock_guard lock(mutex_);
    return head_ == tail_;
}

int KeyRing::size() const {
    std::lock_guard lock(mutex_);
    return (tail_ - head_ + kSlots) % kSlots;
}

}  // namespace gfx
