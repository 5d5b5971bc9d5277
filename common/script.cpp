#include "script.hpp"

#include <charconv>
#include <limits>

namespace gfx {
namespace {

constexpr std::uint32_t kMaxRepeat = 10'000'000;

struct Cursor {
    std::string_view rest;

    void skip_blanks() {
        while (!rest.empty() &&
               (rest.front() == ' ' || rest.front() == '\t' || rest.front() == '\r')) {
            rest.remove_prefix(1);
        }
    }
    bool at_end() {
        skip_blanks();
        return rest.empty() || rest.front() == '#';
    }
    std::string_view word() {
        skip_blanks();
        std::size_t n = 0;
        if (!rest.empty() && rest.front() == '\'') {
            // A quoted character: 'c' (the character may be a blank).
            n = rest.size() >= 3 && rest[2] == '\'' ? 3 : rest.size();
        } else {
            while (n < rest.size() && rest[n] != ' ' && rest[n] != '\t' && rest[n] != '\r' &&
                   rest[n] != '#')
                ++n;
        }
        const std::string_view w = rest.substr(0, n);
        rest.remove_prefix(n);
        return w;
    }
};

bool parse_int(std::string_view w, long long lo, long long hi, long long& out) {
    if (w.empty()) return false;
    long long v = 0;
    const auto res = std::from_chars(w.data(), w.data() + w.size(), v);
    if (res.ec != std::errc() || res.ptr != w.data() + w.size()) return false;
    if (v < lo || v > hi) return false;
    out = v;
    return true;
}

std::string parse_line(std::string_view line, Script& s) {
    Cursor c{line};
    if (c.at_end()) return "";
    std::string_view first = c.word();
    if (first == "seed") {
        long long v = 0;
        if (!parse_int(c.word(), 0, std::numeric_limits<std::uint32_t>::max(), v)) {
            return "seed wants a whole number 0 ... 4294967295";
        }
        if (!c.at_end()) return "unexpected words after the seed";
        s.seeds.push_back(static_cast<std::uint32_t>(v));
        return "";
    }
    ScriptFrame f;
    if (first == ":") {
        if (s.frames.empty()) return "':' repeats the mouse of the frame before, but there is none";
        f.mouse = s.frames.back().mouse;
    } else {
        long long v[3] = {0, 0, 0};
        std::string_view w = first;
        for (int i = 0; i < 3; ++i) {
            if (i > 0) w = c.word();
            if (!parse_int(w, -32768, 65535, v[i])) {
                return "expected mouse x, y and button mask (whole numbers -32768 ... 65535)";
            }
        }
        auto low16 = [](long long x) { return static_cast<std::uint16_t>(x & 0xFFFF); };
        f.mouse = {low16(v[0]), low16(v[1]), low16(v[2])};
        if (!c.at_end()) {
            std::string_view w2 = c.word();
            if (!w2.empty() && w2.front() == 'x') {
                long long n = 0;
                if (!parse_int(w2.substr(1), 1, kMaxRepeat, n))
                    return "a repeat is x1 ... x10000000";
                f.count = static_cast<std::uint32_t>(n);
                w2 = c.at_end() ? std::string_view{} : c.word();
            }
            if (!w2.empty() && w2 != ":") return "expected ':' before the keys";
            if (w2.empty()) {
                s.frames.push_back(std::move(f));
                return "";
            }
        } else {
            s.frames.push_back(std::move(f));
            return "";
        }
    }
    // Keys after the ':'.
    while (!c.at_end()) {
        const std::string_view k = c.word();
        if (k.size() == 3 && k.front() == '\'' && k.back() == '\'') {
            f.keys.push_back(static_cast<Key>(static_cast<unsigned char>(k[1])));
            continue;
        }
        long long v = 0;
        if (!parse_int(k, 0, 255, v))
            return "a key is a byte 0 ... 255 or a character in single quotes";
        f.keys.push_back(static_cast<Key>(v));
    }
    s.frames.push_back(std::move(f));
    return "";
}

}  // namespace

ScriptResult parse_script(std::string_view text) {
    ScriptResult r;
    std::size_t line_no = 0;
    while (!text.empty()) {
        ++line_no;
        const std::size_t nl = text.find('\n');
        const std::string_view line = text.substr(0, nl);
        text.remove_prefix(nl == std::string_view::npos ? text.size() : nl + 1);
        const std::string err = parse_line(line, r.script);
        if (!err.empty()) {
            r.error = "line " + std::to_string(line_no) + ": " + err;
            r.script = {};
            return r;
        }
    }
    return r;
}

}  // namespace gfx
