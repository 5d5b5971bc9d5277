#include "closed_path.hpp"

#include <cstddef>

namespace bezier_path {
namespace {

const gfx::Point& at(const PathTable& table, std::int32_t i) {
    return table.points[static_cast<std::size_t>(i)];
}

double squared_distance(gfx::Point p, gfx::Point q) {
    const double dx = p.x - q.x;
    const double dy = p.y - q.y;
    return dx * dx + dy * dy;
}

bool hits(gfx::Point p, gfx::Point m) {
    return squared_distance(p, m) < kHitDistanceSquared;
}

}  // namespace

std::int32_t grab_index(const PathTable& table, gfx::Point m) {
    for (std::int32_t i = 0; i < table.n; ++i) {
        if (hits(at(table, i), m)) return i;
    }
    return -1;
}

bool drop_hits_other(const PathTable& table, std::int32_t selected, gfx::Point m) {
    for (std::int32_t i = table.n - 1; i >= 0; --i) {
        if (i != selected && hits(at(table, i), m)) return true;
    }
    return false;
}

double edge_distance_squared(gfx::Point a, gfx::Point b, gfx::Point m) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double px = m.x - a.x;
    const double py = m.y - a.y;
    const double dot = dx * px + dy * py;
    const double len = dx * dx + dy * dy;
    if (dot < 0.0 || len == 0.0) return px * px + py * py;
    if (dot > len) return squared_distance(m, b);
    const double cross = dy * px - dx * py;
    return cross * cross / len;
}

std::int32_t insertion_index(const PathTable& table, gfx::Point m) {
    double minimum = 1e16;
    std::int32_t index = 0;
    std::int32_t i = table.n - 1;
    for (std::int32_t j = 0; j < table.n; ++j) {
        const double d = edge_distance_squared(at(table, i), at(table, j), m);
        if (d < minimum) {
            minimum = d;
            index = j;
        }
        i = j;
    }
    return index;
}

bool insert_point(PathTable& table, gfx::Point m) {
    if (table.n >= kCapacity) return false;
    const std::int32_t index = insertion_index(table, m);
    for (std::int32_t i = table.n; i > index; --i) {
        table.points[static_cast<std::size_t>(i)] = at(table, i - 1);
    }
    table.points[static_cast<std::size_t>(index)] = m;
    ++table.n;
    return true;
}

void remove_point(PathTable& table, std::int32_t index) {
    if (index < 0 || index >= table.n) return;
    for (std::int32_t i = index; i + 1 < table.n; ++i) {
        table.points[static_cast<std::size_t>(i)] = at(table, i + 1);
    }
    --table.n;
}

Segment segment(const PathTable& table, std::int32_t k) {
    const std::int32_t n = table.n;
    const gfx::Point& pa = at(table, (k + n - 2) % n);
    const gfx::Point& pb = at(table, (k + n - 1) % n);
    const gfx::Point& pk = at(table, k);
    return {{(pk.x + pa.x) * 0.5 - pb.x, (pk.y + pa.y) * 0.5 - pb.y},
            {pb.x - pa.x, pb.y - pa.y},
            {(pb.x + pa.x) * 0.5, (pb.y + pa.y) * 0.5}};
}

gfx::Point segment_point(const Segment& s, double t) {
    return {(t * s.a.x + s.b.x) * t + s.c.x, (t * s.a.y + s.b.y) * t + s.c.y};
}

gfx::Point path_start(const PathTable& table) {
    const gfx::Point& p = at(table, table.n - 2);
    const gfx::Point& q = at(table, table.n - 1);
    return {(p.x + q.x) * 0.5, (p.y + q.y) * 0.5};
}

}  // namespace bezier_path
