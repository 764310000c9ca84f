// One line segment of an owner-drawn group box, in the box's client coordinates.
#pragma once

#include <cstddef>
#include <cstdint>

struct CustomEdge
{
    int32_t x1;
    int32_t y1;
    int32_t x2;
    int32_t y2;
};
static_assert(offsetof(CustomEdge, x1) == 0, "CustomEdge layout");
static_assert(offsetof(CustomEdge, y1) == 4, "CustomEdge layout");
static_assert(offsetof(CustomEdge, x2) == 8, "CustomEdge layout");
static_assert(offsetof(CustomEdge, y2) == 12, "CustomEdge layout");
static_assert(sizeof(CustomEdge) == 16, "CustomEdge layout");
