#include "RekoScene.h"

#include "core/nonlinear/RekoGeometry.h"

#include <algorithm>

namespace {

Vertex3D ToVertex(const RekoVertex& v)
{
    Vertex3D out;
    out.x = v.x;
    out.y = v.y;
    out.z = v.z;
    out.argb = v.argb;
    return out;
}

} // namespace

Scene3D RekoScene(std::span<const double> series, double fullScale, bool bSigned,
                  const RekoSettings& settings)
{
    Scene3D scene;
    scene.background = settings.clrBackBuffer;

    Batch3D axes;
    axes.primitive = Primitive3D::Lines;
    for (const RekoVertex& v : RekoAxes(settings.clrBackBuffer))
        axes.vertices.push_back(ToVertex(v));
    scene.batches.push_back(std::move(axes));

    const std::vector<RekoVertex> points = RekoPoints(series, fullScale, bSigned, settings);
    if (points.size() > 1) {
        Batch3D cloud;
        cloud.primitive = settings.bIsPunkte ? Primitive3D::Points : Primitive3D::LineStrip;
        cloud.pointSize = std::max(1.0f, settings.fPointSize);
        cloud.vertices.reserve(points.size());
        for (const RekoVertex& v : points)
            cloud.vertices.push_back(ToVertex(v));
        scene.batches.push_back(std::move(cloud));
    }
    return scene;
}

Camera3D RekoCamera()
{
    return Camera3D({2.5, 2.0, -5.5}, {0, 0, 0});
}
