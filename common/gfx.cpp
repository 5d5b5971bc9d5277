// The program-facing operations: drawing state, pages and input over one backend.
#include "gfx.hpp"

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "backend.hpp"
#include "input.hpp"
#include "page.hpp"
#include "palette.hpp"
#include "screen_coord.hpp"
#include "text.hpp"
#include "trace.hpp"

namespace gfx {
namespace {

struct Position {
    int x = 0;
    int y = 0;
    bool valid = true;  // false after a move to a non-finite point: the next line_to only moves
};

// A circle as the raster drew it.
struct DrawnCircle {
    int page = -1;  // -1: none
    int x = 0, y = 0, r = 0;
    std::uint8_t colour = 0;
    friend bool operator==(const DrawnCircle&, const DrawnCircle&) = default;
};

struct State {
    std::array<Page, kPageCount> pages{};
    int active = 0;
    int visual = 0;
    std::uint8_t colour = 15;
    Colour colour_rgb = kWhite;
    Position pos;
    TextSettings text;
    bool visual_dirty = false;  // the visual page was drawn on since the backend last saw it
    // The last circle drawn, when nothing else has been drawn since: drawing it again changes
    // no pixel (a path sampled finer than a pixel repeats its centres).
    DrawnCircle last_circle;
    bool open = false;
    std::unique_ptr<Backend> backend;
    std::mt19937 random{1};
};

State& state() {
    // The input outlives the state: a window thread still running at exit (a program that
    // never closed its window) writes to it until ~State joins the thread.
    input();
    static State s;
    return s;
}

// Nearest palette entries of recent colours; programs switch among a handful of colours.
std::uint8_t palette_index(Colour c) {
    struct Slot {
        Colour c;
        std::uint8_t index = 0;
        bool used = false;
    };
    static std::array<Slot, 64> cache{};
    Slot& slot = cache[(c.r * 7u + c.g * 13u + c.b * 31u) % cache.size()];
    if (!slot.used || !(slot.c == c)) slot = {c, nearest_entry(c), true};
    return slot.index;
}

Page& active_page() {
    return state().pages[static_cast<std::size_t>(state().active)];
}

void touched() {
    State& s = state();
    if (s.active == s.visual) s.visual_dirty = true;
    s.last_circle = {};  // what was drawn may cover it
}

bool on_screen(auto... c) {
    return ((c != kNoScreen) && ...);
}

// Lets the backend see the visible page when the program draws straight onto it.
void publish_if_dirty() {
    State& s = state();
    if (s.visual_dirty && s.open) {
        s.visual_dirty = false;
        s.backend->show(s.pages[static_cast<std::size_t>(s.visual)], false);
    }
}

// Chosen by GFX_BACKEND ("headless" or the window), made on first use so that the clock seed
// and the trace work before the window opens.
Backend& backend() {
    State& s = state();
    if (!s.backend) {
        trace_open_from_env();
        const char* which = std::getenv("GFX_BACKEND");
        if (which != nullptr && std::string_view(which) == "headless") {
            s.backend = make_headless_backend(input());
        } else {
            s.backend = make_live_backend(input());
        }
    }
    return *s.backend;
}

bool valid_page(int page) {
    return page >= 0 && page < kPageCount;
}

}  // namespace

Input& input() {
    static Input in;
    return in;
}

int open_window(int driver, int mode, std::string_view caption) {
    State& s = state();
    trace_open_from_env();
    trace_text("window", {static_cast<double>(driver), static_cast<double>(mode)}, caption);
    if (s.open) return 0;
    if (!backend().open(caption)) {
        // Nobody could see or end a program without its window, so it stops here; the
        // backend has said why.
        trace_flush();
        std::exit(1);
    }
    // The defaults after opening.
    for (Page& p : s.pages) p.fill(0);
    s.active = 0;
    s.visual = 0;
    s.colour_rgb = kWhite;
    s.colour = palette_index(kWhite);
    s.pos = {};
    s.text = TextSettings{0, 0, 2, 0, 0};
    s.visual_dirty = false;
    s.last_circle = {};
    s.open = true;
    s.backend->show(s.pages[0], false);
    return 0;
}

void close_window() {
    State& s = state();
    trace_op("close", {});
    if (!s.open) return;
    publish_if_dirty();
    s.backend->close();
    s.open = false;
    trace_flush();
}

int max_x() {
    return kPageWidth - 1;
}
int max_y() {
    return kPageHeight - 1;
}

void set_active_page(int page) {
    trace_op("active", {static_cast<double>(page)});
    if (valid_page(page)) state().active = page;
}

void set_visual_page(int page) {
    State& s = state();
    trace_op("visual", {static_cast<double>(page)});
    if (!valid_page(page)) return;
    s.visual = page;
    s.visual_dirty = false;
    if (s.open) s.backend->show(s.pages[static_cast<std::size_t>(page)], true);
}

void clear_page() {
    trace_op("clear", {});
    active_page().fill(0);
    state().pos = {};
    touched();
}

void set_colour(Colour c) {
    trace_op("colour",
             {static_cast<double>(c.r), static_cast<double>(c.g), static_cast<double>(c.b)});
    state().colour_rgb = c;
    state().colour = palette_index(c);
}

void circle(double x, double y, double radius) {
    trace_op("circle", {x, y, radius});
    const int cx = to_screen_int(x), cy = to_screen_int(y), r = to_screen_int(radius);
    if (!on_screen(cx, cy, r)) return;
    State& s = state();
    const DrawnCircle c{s.active, cx, cy, r, s.colour};
    if (!(c == s.last_circle)) draw_circle(active_page(), cx, cy, r, s.colour);
    touched();
    s.last_circle = c;
}

void line(double x1, double y1, double x2, double y2) {
    trace_op("line", {x1, y1, x2, y2});
    const int a = to_screen_int(x1), b = to_screen_int(y1), c = to_screen_int(x2),
              d = to_screen_int(y2);
    if (!on_screen(a, b, c, d)) return;
    draw_line(active_page(), a, b, c, d, state().colour);
    state().pos = {c, d, true};
    touched();
}

void move_to(double x, double y) {
    trace_op("moveto", {x, y});
    const int a = to_screen_int(x), b = to_screen_int(y);
    state().pos = on_screen(a, b) ? Position{a, b, true} : Position{0, 0, false};
}

void line_to(double x, double y) {
    trace_op("lineto", {x, y});
    State& s = state();
    const int a = to_screen_int(x), b = to_screen_int(y);
    if (!on_screen(a, b)) {
        s.pos.valid = false;
        return;
    }
    if (s.pos.valid) {
        draw_line(active_page(), s.pos.x, s.pos.y, a, b, s.colour);
        touched();
    }
    s.pos = {a, b, true};
}

void put_pixel(double x, double y, Colour c) {
    trace_op("pixel",
             {x, y, static_cast<double>(c.r), static_cast<double>(c.g), static_cast<double>(c.b)});
    const int a = to_screen_int(x), b = to_screen_int(y);
    if (!on_screen(a, b)) return;
    plot(active_page(), a, b, palette_index(c));
    touched();
}

void set_text_style(int font, int direction, int size) {
    trace_op("style", {static_cast<double>(font), static_cast<double>(direction),
                       static_cast<double>(size)});
    TextSettings& t = state().text;
    t.font = font;
    t.direction = direction;
    t.size = size;
}

void set_text_justify(int horizontal, int vertical) {
    trace_op("justify", {static_cast<double>(horizontal), static_cast<double>(vertical)});
    TextSettings& t = state().text;
    t.horizontal = horizontal;
    t.vertical = vertical;
}

void write_text(double x, double y, std::string_view text) {
    trace_text("text", {x, y}, text);
    const int a = to_screen_int(x), b = to_screen_int(y);
    if (!on_screen(a, b)) return;
    draw_text(active_page(), a, b, text, state().text, state().colour);
    touched();
}

bool key_pressed() {
    Input& in = input();
    if (!in.keys.empty()) return true;
    publish_if_dirty();
    backend().key_queue_empty(false);
    return !in.keys.empty();
}

Key read_key() {
    Input& in = input();
    for (;;) {
        if (const auto k = in.keys.pop()) return *k;
        publish_if_dirty();
        backend().key_queue_empty(true);
    }
}

std::uint16_t mouse_x() {
    publish_if_dirty();
    backend().before_mouse_read();
    return input().mouse_x.load(std::memory_order_relaxed);
}

std::uint16_t mouse_y() {
    return input().mouse_y.load(std::memory_order_relaxed);
}

std::uint16_t button_mask() {
    return input().mask.load(std::memory_order_relaxed);
}

void seed_random() {
    State& s = state();
    const std::uint32_t seed = backend().clock_seed();
    trace_op("seed", {static_cast<double>(seed)});
    s.random.seed(seed);
}

std::int32_t random_int(std::int32_t k) {
    if (k <= 0) return 0;
    return std::uniform_int_distribution<std::int32_t>(0, k - 1)(state().random);
}

}  // namespace gfx

#include "page_view.hpp"

namespace gfx {

const Page& page_view(int page) {
    return state().pages[static_cast<std::size_t>(valid_page(page) ? page : 0)];
}
int active_page_number() {
    return state().active;
}
int visual_page_number() {
    return state().visual;
}

}  // namespace gfx
