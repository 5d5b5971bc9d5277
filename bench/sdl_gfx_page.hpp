// An 8-bit SDL surface of the page's size with the layer's palette and SDL's software renderer
// over it: where the SDL2_gfx primitives draw, for scale beside the layer.
#pragma once

#include <SDL.h>

namespace bench {

struct SdlGfxPage {
    SDL_Surface* surface = nullptr;
    SDL_Renderer* renderer = nullptr;
};

// Exits with a message when SDL cannot make the surface or the renderer.
SdlGfxPage open_sdl_gfx_page();
void close_sdl_gfx_page(SdlGfxPage& p);

}  // namespace bench
