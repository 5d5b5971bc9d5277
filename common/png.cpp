#include "png.hpp"

#include <png.h>

#include <cstdio>
#include <vector>

namespace gfx {

bool write_png(const std::string& path, const Page& page, const Palette& palette) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) {
        std::fprintf(stderr, "gfx: cannot write the picture %s; check GFX_PNG_DIR\n", path.c_str());
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (png == nullptr || info == nullptr) {
        png_destroy_write_struct(&png, &info);
        std::fclose(f);
        return false;
    }
    std::vector<png_byte> row(static_cast<std::size_t>(kPageWidth) * 3);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(f);
        std::fprintf(stderr, "gfx: cannot write the picture %s\n", path.c_str());
        return false;
    }
    png_init_io(png, f);
    png_set_IHDR(png, info, kPageWidth, kPageHeight, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < kPageHeight; ++y) {
        for (int x = 0; x < kPageWidth; ++x) {
            const Colour c = palette[page[static_cast<std::size_t>(y) * kPageWidth +
                                          static_cast<std::size_t>(x)]];
            row[static_cast<std::size_t>(x) * 3] = c.r;
            row[static_cast<std::size_t>(x) * 3 + 1] = c.g;
            row[static_cast<std::size_t>(x) * 3 + 2] = c.b;
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    std::fclose(f);
    return true;
}

}  // namespace gfx
