// The key queue the window thread fills and the program empties.
#pragma once

#include <array>
#include <mutex>
#include <optional>

#include "types.hpp"

namespace gfx {

// A ring of 32 slots holding at most 31 waiting bytes. A byte that would fill it first drops
// the oldest key: one byte, or a 0 prefix together with the code after it.
class KeyRing {
  public:
    void push(Key k);
    void push_special(Key code) {
        std::lock_guard lock(mutex_);
        push_locked(0);
        push_locked(code);
    }
    std::optional<Key> pop();
    bool empty() const;
    int size() const;

  private:
    void push_locked(Key k);
    static constexpr int kSlots = 32;
    mutable std::mutex mutex_;
    std::array<Key, kSlots> slots_{};
    int head_ = 0;  // next byte to read
    int tail_ = 0;  // next slot to write
};

}  // namespace gfx
