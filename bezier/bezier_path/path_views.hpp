// The two pictures of bezier_path: the construction (control polygon, points and curve) and
// the road (a wide grey band with a dashed white centre line).
#pragma once

#include <cstdint>

#include "closed_path.hpp"

namespace bezier_path {

constexpr std::int32_t kCurveSamples = 64;  // per segment: the curve and the centre line
constexpr std::int32_t kRoadSamples = 512;  // per segment: the circles of the road
constexpr double kPointRadius = 3.0;
constexpr double kRoadRadius = 28.0;
constexpr std::int32_t kDashPeriod = 10;  // samples of the centre line per dash and gap
constexpr std::int32_t kDashLength = 4;   // of which so many are drawn

// The dash counter after one more sample. Only its value modulo the period matters, so it is
// kept there: it never overflows and the pattern runs on without a jump.
std::int32_t next_dash_count(std::int32_t count);
// Whether the sample that brought the counter to `count` is drawn as a line piece.
bool dash_drawn(std::int32_t count);

// Draws on the active page; nothing of what needs more points than the table has.
void draw_construction(const PathTable& table);
// Advances `dash_count` by one per centre-line sample; it carries over from frame to frame.
void draw_road(const PathTable& table, std::int32_t& dash_count);

}  // namespace bezier_path
