// Text with arbitrary bytes, styles, justifications and positions.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "page.hpp"
#include "text.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static gfx::Page page{};
    if (size < 8) return 0;
    gfx::TextSettings s;
    s.font = data[0] % 6 - 1;  // includes the invalid -1 and 4
    s.direction = data[1] % 4 == 0 ? 90 : data[1] - 100;
    s.size = static_cast<std::int8_t>(data[2]);
    s.horizontal = data[3] % 5 - 1;
    s.vertical = data[4] % 5 - 1;
    const int x = static_cast<std::int16_t>(data[5] | (data[6] << 8));
    const int y = static_cast<std::int16_t>(data[7] | (data[6] << 4));
    const std::string_view text(reinterpret_cast<const char*>(data + 8), size - 8);
    gfx::draw_text(page, x, y, text, s, 15);
    (void)gfx::text_width(s, text);
    return 0;
}
