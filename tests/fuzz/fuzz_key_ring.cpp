// The key ring against a plain model of its rule: at most 31 bytes; a byte that would fill it
// drops the oldest key, a 0 prefix together with its code.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <deque>

#include "key_ring.hpp"

namespace {

void model_push(std::deque<int>& q, int k) {
    if (q.size() == 31) {
        const int oldest = q.front();
        q.pop_front();
        if (oldest == 0 && !q.empty()) q.pop_front();
    }
    q.push_back(k);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    gfx::KeyRing ring;
    std::deque<int> model;
    for (std::size_t i = 0; i < size; ++i) {
        const std::uint8_t op = data[i];
        if (op < 128) {
            ring.push(op);
            model_push(model, op);
        } else if (op < 192 && i + 1 < size) {
            const std::uint8_t code = data[++i];
            ring.push_special(code);
            model_push(model, 0);
            model_push(model, code);
        } else {
            const auto got = ring.pop();
            if (model.empty()) {
                if (got) std::abort();
            } else {
                if (!got || *got != model.front()) std::abort();
                model.pop_front();
            }
        }
        if (ring.size() != static_cast<int>(model.size()) || ring.size() > 31) std::abort();
    }
    return 0;
}
