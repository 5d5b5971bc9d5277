#include "trace.hpp"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace gfx {
namespace {

std::FILE* g_trace = nullptr;
bool g_opened = false;

void put_number(std::string& out, double v) {
    if (std::isnan(v)) {
        out += "nan";
        return;
    }
    if (std::isinf(v)) {
        out += v < 0 ? "-inf" : "inf";
        return;
    }
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, res.ptr);
}

void put_args(std::string& out, std::string_view name, std::initializer_list<double> args) {
    out += name;
    for (double a : args) {
        out += ' ';
        put_number(out, a);
    }
}

}  // namespace

bool tracing() {
    return g_trace != nullptr;
}

void trace_open_from_env() {
    if (g_opened) return;
    g_opened = true;
    const char* path = std::getenv("GFX_TRACE");
    if (path == nullptr || *path == '\0') return;
    g_trace = std::fopen(path, "w");
    if (g_trace == nullptr) {
        std::fprintf(stderr, "gfx: cannot write the trace file %s; check GFX_TRACE\n", path);
    }
}

void trace_op(std::string_view name, std::initializer_list<double> args) {
    if (g_trace == nullptr) return;
    std::string line;
    put_args(line, name, args);
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), g_trace);
}

void trace_text(std::string_view name, std::initializer_list<double> args, std::string_view text) {
    if (g_trace == nullptr) return;
    std::string line;
    put_args(line, name, args);
    line += " \"";
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '"' || c == '\\') {
            line += '\\';
            line += ch;
        } else if (c < 32 || c > 126) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02x", c);
            line += buf;
        } else {
            line += ch;
        }
    }
    line += "\"\n";
    std::fwrite(line.data(), 1, line.size(), g_trace);
}

void trace_flush() {
    if (g_trace != nullptr) std::fflush(g_trace);
}

}  // namespace gfx
