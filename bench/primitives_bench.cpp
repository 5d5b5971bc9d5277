// The layer's primitives on their own: through the program-facing API (doubles in, conversion,
// the drawing state), straight on a page (the rasterisers alone), the plainest correct loop
// for each (reference_raster), SDL2_gfx through SDL's software renderer on an 8-bit surface,
// and memset of a page as the floor of a clear. Every case cycles through a fixed table of
// positions, so no two consecutive operations are the same.
#include <SDL2_gfxPrimitives.h>
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "bench_report.hpp"
#include "gfx.hpp"
#include "page.hpp"
#include "page_view.hpp"
#include "palette.hpp"
#include "reference_raster.hpp"
#include "sdl_gfx_page.hpp"
#include "text.hpp"

namespace {

constexpr std::size_t kPositions = 1024;  // a power of two: the index wraps with a mask
constexpr gfx::Colour kColour = gfx::kLightGreen;

struct LineCase {
    std::array<double, 4> at;
};
struct CircleCase {
    double x, y, r;
};
struct TextCase {
    double x, y;
};

// Whole coordinates as the rasterisers take them.
int whole(double v) {
    return static_cast<int>(std::lround(v));
}

// Line rows: short strokes, lines across the page, lines from far outside through it.
std::vector<LineCase> make_lines(std::string_view kind) {
    std::mt19937 g(12345);
    std::uniform_int_distribution<int> px(0, gfx::kPageWidth - 1), py(0, gfx::kPageHeight - 1);
    std::uniform_real_distribution<double> angle(0, 2 * M_PI);
    std::vector<LineCase> v;
    for (std::size_t i = 0; i < kPositions; ++i) {
        if (kind == "short") {
            const double x = px(g), y = py(g), a = angle(g);
            v.push_back(
                {{x, y, std::round(x + 10 * std::cos(a)), std::round(y + 10 * std::sin(a))}});
        } else if (kind == "long") {
            if (i % 2 == 0) {
                v.push_back({{0, double(py(g)), double(gfx::kPageWidth - 1), double(py(g))}});
            } else {
                v.push_back({{double(px(g)), 0, double(px(g)), double(gfx::kPageHeight - 1)}});
            }
        } else {  // far: 60 001 pixels long, about 800 of them on the page
            v.push_back({{-30000, double(py(g)), 30000, double(py(g))}});
        }
    }
    return v;
}

// Circle rows: radius 2, 10 and 28 on the page; radius 20 000 mostly outside, its top arc
// crossing the middle of the page.
std::vector<CircleCase> make_circles(double r) {
    std::mt19937 g(54321);
    std::vector<CircleCase> v;
    for (std::size_t i = 0; i < kPositions; ++i) {
        if (r > 1000) {
            std::uniform_int_distribution<int> d(-50, 50);
            v.push_back({400.0 + d(g), 300.0 + r + d(g), r});
        } else {
            const int m = static_cast<int>(r) + 1;
            std::uniform_int_distribution<int> px(m, gfx::kPageWidth - 1 - m);
            std::uniform_int_distribution<int> py(m, gfx::kPageHeight - 1 - m);
            v.push_back({double(px(g)), double(py(g)), r});
        }
    }
    return v;
}

std::vector<TextCase> make_texts() {
    std::mt19937 g(999);
    std::uniform_int_distribution<int> px(40, gfx::kPageWidth - 300), py(40, gfx::kPageHeight - 40);
    std::vector<TextCase> v;
    for (std::size_t i = 0; i < kPositions; ++i) v.push_back({double(px(g)), double(py(g))});
    return v;
}

// What the programs write: a point number, and the marker label of the cubic chain.
constexpr std::string_view kShortLabel = "13";
constexpr std::string_view kLongLabel = "       2 - 3:  t=0.475";
// Arial 16 pixels, centred with its bottom edge on the point.
const gfx::TextSettings kLabelStyle{3, 0, 2, 1, 1};

// A text as the pixels it sets around its justification point, for the reference blit.
struct Stamp {
    int left = 0, top = 0, width = 0, height = 0;
    std::vector<std::uint8_t> on;  // width x height, 1 where the text sets the pixel
};

Stamp make_stamp(std::string_view text) {
    static gfx::Page page;
    page.fill(0);
    constexpr int kX = 400, kY = 300;
    gfx::draw_text(page, kX, kY, text, kLabelStyle, 1);
    int x0 = gfx::kPageWidth, y0 = gfx::kPageHeight, x1 = -1, y1 = -1;
    for (int y = 0; y < gfx::kPageHeight; ++y) {
        for (int x = 0; x < gfx::kPageWidth; ++x) {
            if (page[static_cast<std::size_t>(y * gfx::kPageWidth + x)] == 0) continue;
            x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
        }
    }
    Stamp s;
    if (x1 < 0) return s;
    s.left = x0 - kX, s.top = y0 - kY, s.width = x1 - x0 + 1, s.height = y1 - y0 + 1;
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            s.on.push_back(page[static_cast<std::size_t>(y * gfx::kPageWidth + x)] != 0);
        }
    }
    return s;
}

// The plainest text loop: a prepared bitmap, every pixel tested against the page.
void reference_text(gfx::Page& page, int x, int y, const Stamp& s, std::uint8_t colour) {
    for (int r = 0; r < s.height; ++r) {
        for (int c = 0; c < s.width; ++c) {
            if (s.on[static_cast<std::size_t>(r * s.width + c)] != 0) {
                gfx::plot(page, x + s.left + c, y + s.top + r, colour);
            }
        }
    }
}

gfx::Page& scratch() {
    static gfx::Page page{};
    return page;
}

bench::SdlGfxPage& sdl() {
    static bench::SdlGfxPage p = bench::open_sdl_gfx_page();
    return p;
}

std::uint8_t colour_index() {
    return gfx::nearest_entry(kColour);
}

// --- clear -------------------------------------------------------------------------------

void clear_api(benchmark::State& st) {
    for (auto _ : st) {
        gfx::clear_page();
        benchmark::ClobberMemory();
    }
}
void clear_raster(benchmark::State& st) {
    gfx::Page& page = scratch();
    for (auto _ : st) {
        page.fill(0);
        benchmark::ClobberMemory();
    }
}
void clear_memset(benchmark::State& st) {
    gfx::Page& page = scratch();
    for (auto _ : st) {
        benchmark::DoNotOptimize(page.data());
        std::memset(page.data(), 0, page.size());
        benchmark::ClobberMemory();
    }
}
void clear_sdl2_gfx(benchmark::State& st) {
    SDL_Renderer* r = sdl().renderer;
    for (auto _ : st) {
        SDL_SetRenderDrawColor(r, 0, 0, 0, 255);
        SDL_RenderClear(r);
        benchmark::ClobberMemory();
    }
}

// --- lines -------------------------------------------------------------------------------

void line_api(benchmark::State& st, std::string_view kind) {
    const auto cases = make_lines(kind);
    gfx::set_colour(kColour);
    std::size_t i = 0;
    for (auto _ : st) {
        const auto& a = cases[i++ & (kPositions - 1)].at;
        gfx::line(a[0], a[1], a[2], a[3]);
    }
    benchmark::ClobberMemory();
}
void line_raster(benchmark::State& st, std::string_view kind) {
    const auto cases = make_lines(kind);
    gfx::Page& page = scratch();
    const std::uint8_t c = colour_index();
    std::size_t i = 0;
    for (auto _ : st) {
        const auto& a = cases[i++ & (kPositions - 1)].at;
        gfx::draw_line(page, whole(a[0]), whole(a[1]), whole(a[2]), whole(a[3]), c);
    }
    benchmark::ClobberMemory();
}
void line_reference(benchmark::State& st, std::string_view kind) {
    const auto cases = make_lines(kind);
    gfx::Page& page = scratch();
    const std::uint8_t c = colour_index();
    std::size_t i = 0;
    for (auto _ : st) {
        const auto& a = cases[i++ & (kPositions - 1)].at;
        bench::reference_line(page, whole(a[0]), whole(a[1]), whole(a[2]), whole(a[3]), c);
    }
    benchmark::ClobberMemory();
}
void line_sdl2_gfx(benchmark::State& st, std::string_view kind) {
    const auto cases = make_lines(kind);
    SDL_Renderer* r = sdl().renderer;
    std::size_t i = 0;
    auto s16 = [](double v) { return static_cast<Sint16>(whole(v)); };
    for (auto _ : st) {
        const auto& a = cases[i++ & (kPositions - 1)].at;
        lineRGBA(r, s16(a[0]), s16(a[1]), s16(a[2]), s16(a[3]), kColour.r, kColour.g, kColour.b,
                 255);
    }
    benchmark::ClobberMemory();
}

// --- circles -----------------------------------------------------------------------------

void circle_api(benchmark::State& st, double radius) {
    const auto cases = make_circles(radius);
    gfx::set_colour(kColour);
    std::size_t i = 0;
    for (auto _ : st) {
        const CircleCase& c = cases[i++ & (kPositions - 1)];
        gfx::circle(c.x, c.y, c.r);
    }
    benchmark::ClobberMemory();
}
void circle_raster(benchmark::State& st, double radius) {
    const auto cases = make_circles(radius);
    gfx::Page& page = scratch();
    const std::uint8_t colour = colour_index();
    std::size_t i = 0;
    for (auto _ : st) {
        const CircleCase& c = cases[i++ & (kPositions - 1)];
        gfx::draw_circle(page, whole(c.x), whole(c.y), whole(c.r), colour);
    }
    benchmark::ClobberMemory();
}
void circle_reference(benchmark::State& st, double radius) {
    const auto cases = make_circles(radius);
    gfx::Page& page = scratch();
    const std::uint8_t colour = colour_index();
    std::size_t i = 0;
    for (auto _ : st) {
        const CircleCase& c = cases[i++ & (kPositions - 1)];
        bench::reference_circle(page, whole(c.x), whole(c.y), whole(c.r), colour);
    }
    benchmark::ClobberMemory();
}
void circle_sdl2_gfx(benchmark::State& st, double radius) {
    const auto cases = make_circles(radius);
    SDL_Renderer* r = sdl().renderer;
    std::size_t i = 0;
    for (auto _ : st) {
        const CircleCase& c = cases[i++ & (kPositions - 1)];
        circleRGBA(r, static_cast<Sint16>(whole(c.x)), static_cast<Sint16>(whole(c.y)),
                   static_cast<Sint16>(whole(c.r)), kColour.r, kColour.g, kColour.b, 255);
    }
    benchmark::ClobberMemory();
}

// --- text --------------------------------------------------------------------------------

void text_api(benchmark::State& st, std::string_view text) {
    const auto cases = make_texts();
    gfx::set_colour(kColour);
    gfx::set_text_style(kLabelStyle.font, kLabelStyle.direction, kLabelStyle.size);
    gfx::set_text_justify(kLabelStyle.horizontal, kLabelStyle.vertical);
    std::size_t i = 0;
    for (auto _ : st) {
        const TextCase& c = cases[i++ & (kPositions - 1)];
        gfx::write_text(c.x, c.y, text);
    }
    benchmark::ClobberMemory();
}
void text_raster(benchmark::State& st, std::string_view text) {
    const auto cases = make_texts();
    gfx::Page& page = scratch();
    const std::uint8_t colour = colour_index();
    std::size_t i = 0;
    for (auto _ : st) {
        const TextCase& c = cases[i++ & (kPositions - 1)];
        gfx::draw_text(page, whole(c.x), whole(c.y), text, kLabelStyle, colour);
    }
    benchmark::ClobberMemory();
}
void text_reference(benchmark::State& st, std::string_view text) {
    const auto cases = make_texts();
    const Stamp stamp = make_stamp(text);
    gfx::Page& page = scratch();
    const std::uint8_t colour = colour_index();
    std::size_t i = 0;
    for (auto _ : st) {
        const TextCase& c = cases[i++ & (kPositions - 1)];
        reference_text(page, whole(c.x), whole(c.y), stamp, colour);
    }
    benchmark::ClobberMemory();
}
void text_sdl2_gfx(benchmark::State& st, std::string_view text) {
    const auto cases = make_texts();
    SDL_Renderer* r = sdl().renderer;
    const std::string s(text);
    std::size_t i = 0;
    for (auto _ : st) {
        const TextCase& c = cases[i++ & (kPositions - 1)];
        stringRGBA(r, static_cast<Sint16>(whole(c.x)), static_cast<Sint16>(whole(c.y)), s.c_str(),
                   kColour.r, kColour.g, kColour.b, 255);
    }
    benchmark::ClobberMemory();
}

// --- the rows ----------------------------------------------------------------------------

struct Row {
    std::string name;
    std::string what;
};

const std::vector<Row>& rows() {
    static const std::vector<Row> r = {
        {"clear", "page clear"},
        {"line_short", "line, 10 px"},
        {"line_long", "line across the page, 600-800 px"},
        {"line_far", "line from x = -30000 to 30000, ~800 px visible"},
        {"circle_r2", "circle r 2"},
        {"circle_r10", "circle r 10"},
        {"circle_r28", "circle r 28"},
        {"circle_r20000", "circle r 20000, ~1000 px visible"},
        {"text_short", "text \"13\", Arial 16"},
        {"text_long", "text, 22-byte marker label"},
    };
    return r;
}

void register_all() {
    benchmark::RegisterBenchmark("clear/api", clear_api);
    benchmark::RegisterBenchmark("clear/raster", clear_raster);
    benchmark::RegisterBenchmark("clear/memset", clear_memset);
    benchmark::RegisterBenchmark("clear/sdl2_gfx", clear_sdl2_gfx);
    for (std::string_view kind : {"short", "long", "far"}) {
        const std::string row = "line_" + std::string(kind);
        benchmark::RegisterBenchmark((row + "/api").c_str(), line_api, kind);
        benchmark::RegisterBenchmark((row + "/raster").c_str(), line_raster, kind);
        benchmark::RegisterBenchmark((row + "/reference").c_str(), line_reference, kind);
        benchmark::RegisterBenchmark((row + "/sdl2_gfx").c_str(), line_sdl2_gfx, kind);
    }
    for (double r : {2.0, 10.0, 28.0, 20000.0}) {
        const std::string row = "circle_r" + std::to_string(static_cast<int>(r));
        benchmark::RegisterBenchmark((row + "/api").c_str(), circle_api, r);
        benchmark::RegisterBenchmark((row + "/raster").c_str(), circle_raster, r);
        benchmark::RegisterBenchmark((row + "/reference").c_str(), circle_reference, r);
        benchmark::RegisterBenchmark((row + "/sdl2_gfx").c_str(), circle_sdl2_gfx, r);
    }
    for (auto [row, text] :
         {std::pair{"text_short", kShortLabel}, std::pair{"text_long", kLongLabel}}) {
        const std::string name(row);
        benchmark::RegisterBenchmark((name + "/api").c_str(), text_api, text);
        benchmark::RegisterBenchmark((name + "/raster").c_str(), text_raster, text);
        benchmark::RegisterBenchmark((name + "/reference").c_str(), text_reference, text);
        benchmark::RegisterBenchmark((name + "/sdl2_gfx").c_str(), text_sdl2_gfx, text);
    }
}

// The comparison means something only if the reference loops draw what the layer draws.
void check_references() {
    static gfx::Page a, b;
    const std::uint8_t c = colour_index();
    auto same = [&](const char* what) {
        if (a != b) {
            std::fprintf(stderr, "bench: the reference %s draws other pixels than the layer\n",
                         what);
            std::exit(1);
        }
    };
    for (std::string_view kind : {"short", "long", "far"}) {
        const auto cases = make_lines(kind);
        for (std::size_t i = 0; i < 64; ++i) {
            a.fill(0), b.fill(0);
            const auto& p = cases[i].at;
            gfx::draw_line(a, whole(p[0]), whole(p[1]), whole(p[2]), whole(p[3]), c);
            bench::reference_line(b, whole(p[0]), whole(p[1]), whole(p[2]), whole(p[3]), c);
            same("line");
        }
    }
    for (double r : {0.0, 1.0, 2.0, 10.0, 28.0, 20000.0}) {
        const auto cases = make_circles(r);
        for (std::size_t i = 0; i < 16; ++i) {
            a.fill(0), b.fill(0);
            gfx::draw_circle(a, whole(cases[i].x), whole(cases[i].y), whole(r), c);
            bench::reference_circle(b, whole(cases[i].x), whole(cases[i].y), whole(r), c);
            same("circle");
        }
    }
    for (std::string_view text : {kShortLabel, kLongLabel}) {
        const Stamp stamp = make_stamp(text);
        a.fill(0), b.fill(0);
        gfx::draw_text(a, 123, 234, text, kLabelStyle, c);
        reference_text(b, 123, 234, stamp, c);
        same("text");
    }
}

std::string ratio(double num, double den) {
    if (num < 0 || den <= 0) return "";
    char s[32];
    std::snprintf(s, sizeof s, "%.2f", num / den);
    return s;
}

std::string nanoseconds(double s) {
    if (s < 0) return "";
    char t[32];
    std::snprintf(t, sizeof t, s < 1e-5 ? "%.1f" : "%.0f", s * 1e9);
    return t;
}

// The target: a primitive on the page no slower than the plain loop, a clear within twice a
// memset. Judged for the raster alone and for the whole API call, which also converts its
// doubles and keeps the drawing state.
std::string table(const std::vector<bench::Result>& res) {
    std::string out =
        "| primitive | API ns | raster ns | reference ns | SDL2_gfx ns | raster / reference | "
        "API / reference | SDL2_gfx / API | raster target | API target |\n"
        "|---|--:|--:|--:|--:|--:|--:|--:|---|---|\n";
    for (const Row& row : rows()) {
        auto t = [&](const char* col) { return bench::seconds_of(res, row.name + "/" + col); };
        const bool is_clear = row.name == "clear";
        const double api = t("api"), raster = t("raster"), sdl_gfx = t("sdl2_gfx");
        const double ref = is_clear ? t("memset") : t("reference");
        const double limit = is_clear ? 2.0 : 1.0;
        auto verdict = [&](double v) {
            if (v < 0 || ref <= 0) return std::string();
            return std::string(v / ref <= limit ? "met" : "**not met**");
        };
        out += "| " + row.what + " | " + nanoseconds(api) + " | " + nanoseconds(raster) + " | " +
               nanoseconds(ref) + (is_clear ? " (memset)" : "") + " | " + nanoseconds(sdl_gfx) +
               " | " + ratio(raster, ref) + " | " + ratio(api, ref) + " | " + ratio(sdl_gfx, api) +
               " | " + verdict(raster) + " | " + verdict(api) + " |\n";
    }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    // The layer over its headless backend, drawing on page 0; nothing reads input.
    setenv("GFX_BACKEND", "headless", 1);
    unsetenv("GFX_SCRIPT");
    unsetenv("GFX_TRACE");
    gfx::open_window(3, 6, "BENCH");
    check_references();
    register_all();
    std::string table_file;
    const auto results = bench::run_benchmarks(argc, argv, table_file);
    bench::emit_table(table(results), table_file);
    gfx::close_window();
    return 0;
}
