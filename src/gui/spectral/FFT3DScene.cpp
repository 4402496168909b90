#include "FFT3DScene.h"

#include "core/spectral/WaterfallBuild.h"

#include <algorithm>

Scene3D WaterfallMeshScene(const WaterfallMesh& mesh, const WaterfallSettings& settings)
{
    Scene3D scene;
    scene.background = settings.background;
    const std::size_t count = mesh.drawnIndexCount();
    if (count == 0)
        return scene; // fewer than two rows: no triangle yet
    Batch3D batch;
    batch.primitive = Primitive3D::Triangles;
    batch.wire = settings.bIsWire;
    batch.lit = !settings.bIsWire;
    const std::vector<WaterfallVertex> vertices = mesh.vertices(settings.bIsBunt, settings.dataColour);
    batch.vertices.reserve(vertices.size());
    for (const WaterfallVertex& v : vertices)
        batch.vertices.push_back({v.x, v.y, v.z, v.nx, v.ny, v.nz, OpaqueArgb(v.colour)});
    batch.indices.assign(mesh.indices().begin(), mesh.indices().begin() + static_cast<std::ptrdiff_t>(count));
    scene.batches.push_back(std::move(batch));
    return scene;
}

Scene3D WaterfallScene(std::span<const double> frame, int sampleRate, int bitsPerSample, int fftSize,
                       const WaterfallSettings& settings)
{
    WaterfallMesh mesh;
    BuildWaterfall(mesh, {frame, sampleRate, bitsPerSample, fftSize}, settings);
    return WaterfallMeshScene(mesh, settings);
}

Camera3D WaterfallCamera(const WaterfallSettings& settings)
{
    // The surface spans x = ±Breite, z = ±kDepth/2 and rises a few units; seen at about 37°
    // from above with a 60° field, a distance of 1.7 times the larger extent takes it all in.
    const double extent = std::max(2.0 * ClampedWaterfallSettings(settings).nBreite, WaterfallMesh::kDepth);
    const double distance = 1.7 * extent;
    return Camera3D({0.0, 0.6 * distance, -0.8 * distance}, {0.0, 0.0, 0.0});
}
