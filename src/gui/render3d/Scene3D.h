// What a 3D view hands to its render window: batches of coloured vertices in world units, drawn
// as points, lines, a line strip or triangles, and the colour the picture is cleared to. Plain
// data, built by the views from the widget-free meshes and geometry, drawn by CGLSceneRenderer.
#pragma once

#include "core/common/Rgb.h"

#include <cstdint>
#include <vector>

struct Vertex3D
{
    float x = 0, y = 0, z = 0;
    float nx = 0, ny = 1, nz = 0; // normal, used when the batch is lit
    std::uint32_t argb = 0xff000000u; // 0xAARRGGBB
};

enum class Primitive3D { Points, Lines, LineStrip, Triangles };

struct Batch3D
{
    Primitive3D primitive = Primitive3D::Triangles;
    std::vector<Vertex3D> vertices;
    std::vector<std::uint32_t> indices; // empty: the vertices in their order
    bool wire = false;      // triangles drawn as their edges ("Gitter")
    bool lit = false;       // shaded by a light from the normals
    float pointSize = 1.0f; // pixels, for points
};

struct Scene3D
{
    std::vector<Batch3D> batches;
    Rgb background;
};

// 0xAARRGGBB of an opaque colour.
constexpr std::uint32_t OpaqueArgb(Rgb c)
{
    return 0xff000000u | (std::uint32_t{c.red} << 16) | (std::uint32_t{c.green} << 8) | c.blue;
}
