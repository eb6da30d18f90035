// Clip space: vertices after the transforms, and cutting triangles to the part in front of the eye.
#include "preview/d3d8/ClipSpace.h"

#include <algorithm>
#include <cmath>

namespace pelliton::d3d8 {

namespace {

constexpr float kGuardBand = 8.0F;
// Keeps the divide by w away from zero; any positive value would do.
constexpr float kSmallestW = 1e-6F;

using SignedDistance = float (*)(const ClipVertex&);

// Inside where the distance is >= 0.
constexpr std::array<SignedDistance, 6> kPlanes = {
    [](const ClipVertex& v) { return v.z; },                     // near plane
    [](const ClipVertex& v) { return v.w - kSmallestW; },        // the eye
    [](const ClipVertex& v) { return kGuardBand * v.w + v.x; },  // guard band: left
    [](const ClipVertex& v) { return kGuardBand * v.w - v.x; },  // right
    [](const ClipVertex& v) { return kGuardBand * v.w + v.y; },  // bottom
    [](const ClipVertex& v) { return kGuardBand * v.w - v.y; },  // top
};

float Lerp(float from, float to, float t) { return from + (to - from) * t; }

ClipVertex Lerp(const ClipVertex& from, const ClipVertex& to, float t) {
    return {Lerp(from.x, to.x, t),     Lerp(from.y, to.y, t),         Lerp(from.z, to.z, t),
            Lerp(from.w, to.w, t),     Lerp(from.u, to.u, t),         Lerp(from.v, to.v, t),
            Lerp(from.red, to.red, t), Lerp(from.green, to.green, t), Lerp(from.blue, to.blue, t)};
}

// Where the edge crosses the plane, always computed from the inside corner outwards, so that the
// two triangles sharing an edge cut it at the same point and still meet without gap or overlap.
ClipVertex Crossing(const ClipVertex& inside, float insideDistance, const ClipVertex& outside, float outsideDistance) {
    return Lerp(inside, outside, insideDistance / (insideDistance - outsideDistance));
}

// One Sutherland-Hodgman pass.
ClipPolygon ClipAgainst(const ClipPolygon& polygon, SignedDistance distance) {
    ClipPolygon kept;
    for (int i = 0; i < polygon.count; ++i) {
        const ClipVertex& current = polygon.corners[i];
        const ClipVertex& next = polygon.corners[(i + 1) % polygon.count];
        const float currentDistance = distance(current);
        const float nextDistance = distance(next);
        if (currentDistance >= 0) kept.Add(current);
        if (currentDistance >= 0 && nextDistance < 0) {
            kept.Add(Crossing(current, currentDistance, next, nextDistance));
        } else if (currentDistance < 0 && nextDistance >= 0) {
            kept.Add(Crossing(next, nextDistance, current, currentDistance));
        }
    }
    return kept;
}

bool Finite(const ClipVertex& vertex) {
    return std::isfinite(vertex.x) && std::isfinite(vertex.y) && std::isfinite(vertex.z) && std::isfinite(vertex.w);
}

bool InsideAllPlanes(const ClipVertex& vertex) {
    return std::all_of(kPlanes.begin(), kPlanes.end(), [&](SignedDistance distance) { return distance(vertex) >= 0; });
}

}  // namespace

ClipPolygon ClipToGuardBand(const ClipTriangle& triangle) {
    ClipPolygon polygon;
    // A corner at infinity or NaN has no place on screen; the whole triangle goes.
    if (!std::all_of(triangle.begin(), triangle.end(), Finite)) return polygon;
    std::copy(triangle.begin(), triangle.end(), polygon.corners.begin());
    polygon.count = 3;
    if (std::all_of(triangle.begin(), triangle.end(), InsideAllPlanes)) return polygon;
    for (const SignedDistance distance : kPlanes) {
        if (polygon.count == 0) break;
        polygon = ClipAgainst(polygon, distance);
    }
    return polygon;
}

}  // namespace pelliton::d3d8
