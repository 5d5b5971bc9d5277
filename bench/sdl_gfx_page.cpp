#include "sdl_gfx_page.hpp"

#include <array>
#include <cstdio>
#include <cstdlib>

#include "page.hpp"
#include "palette.hpp"

namespace bench {

SdlGfxPage open_sdl_gfx_page() {
    SdlGfxPage p;
    p.surface = SDL_CreateRGBSurfaceWithFormat(0, gfx::kPageWidth, gfx::kPageHeight, 8,
                                               SDL_PIXELFORMAT_INDEX8);
    if (p.surface == nullptr) {
        std::fprintf(stderr, "bench: no 8-bit SDL surface: %s\n", SDL_GetError());
        std::exit(1);
    }
    std::array<SDL_Color, 256> colours{};
    const gfx::Palette& pal = gfx::default_palette();
    for (std::size_t i = 0; i < colours.size(); ++i)
        colours[i] = {pal[i].r, pal[i].g, pal[i].b, 255};
    SDL_SetPaletteColors(p.surface->format->palette, colours.data(), 0, 256);
    p.renderer = SDL_CreateSoftwareRenderer(p.surface);
    if (p.renderer == nullptr) {
        std::fprintf(stderr, "bench: no SDL software renderer: %s\n", SDL_GetError());
        std::exit(1);
    }
    return p;
}

void close_sdl_gfx_page(SdlGfxPage& p) {
    if (p.renderer != nullptr) SDL_DestroyRenderer(p.renderer);
    if (p.surface != nullptr) SDL_FreeSurface(p.surface);
    p = {};
}

}  // namespace bench
