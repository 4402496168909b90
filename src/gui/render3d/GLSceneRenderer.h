// Draws a Scene3D with OpenGL 3.3 core in the context current on the calling thread: one shader
// for every batch (vertex colours, optional light from the normals, point size), one vertex
// array per batch. Created, used and destroyed with the same context current.
#pragma once

#include "Scene3D.h"

#include "core/spectral/Camera3D.h"

#include <QString>

#include <memory>
#include <vector>

class QOpenGLFunctions_3_3_Core;

class CGLSceneRenderer
{
public:
    CGLSceneRenderer();
    ~CGLSceneRenderer();
    CGLSceneRenderer(const CGLSceneRenderer&) = delete;
    CGLSceneRenderer& operator=(const CGLSceneRenderer&) = delete;

    // Resolves the 3.3 core functions and builds the shader. False, with failure() set, when the
    // context cannot give them.
    bool initialise();
    // Replaces the buffers by those of scene. False, with failure() set to what failed
    // ("Failed To Lock Mesh Solid Vertex Buffer." …), when a buffer cannot be filled; the old
    // picture is then dropped.
    bool upload(const Scene3D& scene);
    // Clears to the scene's background (depth 1.0) and draws every batch with
    // projection · view · world of camera for a target of width × height pixels.
    void render(const Camera3D& camera, int width, int height);
    QString failure() const { return m_strFailure; }

private:
    struct GpuBatch;
    void Release();

    QOpenGLFunctions_3_3_Core* m_gl = nullptr;
    unsigned m_program = 0;
    int m_locMvp = -1, m_locWorld = -1, m_locLit = -1, m_locPointSize = -1;
    std::vector<GpuBatch> m_batches;
    Rgb m_background;
    QString m_strFailure;
};
