// The headless script reader on arbitrary text: a script or an error, never a crash.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "script.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto r = gfx::parse_script(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!r.error.empty() && !r.script.frames.empty()) std::abort();
    for (const auto& f : r.script.frames) {
        if (f.count == 0) std::abort();
    }
    return 0;
}
