#include "GLSceneRenderer.h"

#include <QOpenGLContext>
#include <QOpenGLFunctions_3_3_Core>
#include <QOpenGLVersionFunctionsFactory>

#include <array>
#include <cstddef>
#include <cstring>

struct CGLSceneRenderer::GpuBatch
{
    unsigned vao = 0, vbo = 0, ebo = 0;
    GLenum mode = GL_TRIANGLES;
    GLsizei count = 0; // vertices or indices drawn
    bool indexed = false, wire = false, lit = false;
    float pointSize = 1.0f;
};

namespace {

const char* const kVertexShader = R"(#version 330 core
layout(location = 0) in vec3 position;
layout(location = 1) in vec3 normal;
layout(location = 2) in vec4 colour;
uniform mat4 mvp;
uniform mat4 world;
uniform bool lit;
uniform float pointSize;
out vec4 shade;
void main()
{
    gl_Position = mvp * vec4(position, 1.0);
    gl_PointSize = pointSize;
    if (lit) {
        // A light from above and in front; both faces of the surface are lit alike.
        vec3 n = normalize(mat3(world) * normal);
        float diffuse = abs(dot(n, normalize(vec3(0.3, 1.0, -0.6))));
        shade = vec4(colour.rgb * (0.35 + 0.65 * diffuse), colour.a);
    } else {
        shade = colour;
    }
}
)";

const char* const kFragmentShader = R"(#version 330 core
in vec4 shade;
out vec4 fragment;
void main()
{
    fragment = shade;
}
)";

GLenum modeOf(Primitive3D p)
{
    switch (p) {
    case Primitive3D::Points: return GL_POINTS;
    case Primitive3D::Lines: return GL_LINES;
    case Primitive3D::LineStrip: return GL_LINE_STRIP;
    case Primitive3D::Triangles: break;
    }
    return GL_TRIANGLES;
}

std::array<float, 16> toFloats(const Mat4& m)
{
    std::array<float, 16> f{};
    for (std::size_t i = 0; i < 16; ++i)
        f[i] = static_cast<float>(m.m[i]);
    return f;
}

} // namespace

CGLSceneRenderer::CGLSceneRenderer() = default;

CGLSceneRenderer::~CGLSceneRenderer()
{
    if (m_gl && QOpenGLContext::currentContext()) {
        Release();
        if (m_program)
            m_gl->glDeleteProgram(m_program);
    }
}

bool CGLSceneRenderer::initialise()
{
    QOpenGLContext* context = QOpenGLContext::currentContext();
    if (!context) {
        m_strFailure = QStringLiteral("Kein OpenGL-Kontext.");
        return false;
    }
    m_gl = QOpenGLVersionFunctionsFactory::get<QOpenGLFunctions_3_3_Core>(context);
    if (!m_gl || !m_gl->initializeOpenGLFunctions()) {
        m_gl = nullptr;
        m_strFailure = QStringLiteral("OpenGL 3.3 core fehlt.");
        return false;
    }
    const auto compile = [this](GLenum type, const char* source) -> unsigned {
        const unsigned shader = m_gl->glCreateShader(type);
        m_gl->glShaderSource(shader, 1, &source, nullptr);
        m_gl->glCompileShader(shader);
        GLint ok = 0;
        m_gl->glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
        if (!ok) {
            m_gl->glDeleteShader(shader);
            return 0;
        }
        return shader;
    };
    const unsigned vs = compile(GL_VERTEX_SHADER, kVertexShader);
    const unsigned fs = compile(GL_FRAGMENT_SHADER, kFragmentShader);
    if (vs && fs) {
        m_program = m_gl->glCreateProgram();
        m_gl->glAttachShader(m_program, vs);
        m_gl->glAttachShader(m_program, fs);
        m_gl->glLinkProgram(m_program);
        GLint ok = 0;
        m_gl->glGetProgramiv(m_program, GL_LINK_STATUS, &ok);
        if (!ok) {
            m_gl->glDeleteProgram(m_program);
            m_program = 0;
        }
    }
    if (vs)
        m_gl->glDeleteShader(vs);
    if (fs)
        m_gl->glDeleteShader(fs);
    if (!m_program) {
        m_strFailure = QStringLiteral("Die Shader des 3D-Fensters lassen sich nicht übersetzen.");
        return false;
    }
    m_locMvp = m_gl->glGetUniformLocation(m_program, "mvp");
    m_locWorld = m_gl->glGetUniformLocation(m_program, "world");
    m_locLit = m_gl->glGetUniformLocation(m_program, "lit");
    m_locPointSize = m_gl->glGetUniformLocation(m_program, "pointSize");
    return true;
}

void CGLSceneRenderer::Release()
{
    for (GpuBatch& b : m_batches) {
        m_gl->glDeleteVertexArrays(1, &b.vao);
        m_gl->glDeleteBuffers(1, &b.vbo);
        if (b.ebo)
            m_gl->glDeleteBuffers(1, &b.ebo);
    }
    m_batches.clear();
}

bool CGLSceneRenderer::upload(const Scene3D& scene)
{
    if (!m_gl)
        return false;
    Release();
    m_background = scene.background;
    // Fills a new buffer of bytes through a mapping, as the picture's data is written in place.
    const auto fill = [this](GLenum target, const void* data, std::size_t bytes) {
        m_gl->glBufferData(target, static_cast<GLsizeiptr>(bytes), nullptr, GL_STATIC_DRAW);
        void* p = m_gl->glMapBufferRange(target, 0, static_cast<GLsizeiptr>(bytes),
                                         GL_MAP_WRITE_BIT | GL_MAP_INVALIDATE_BUFFER_BIT);
        if (!p)
            return 1;
        std::memcpy(p, data, bytes);
        return m_gl->glUnmapBuffer(target) ? 0 : 2;
    };
    for (const Batch3D& batch : scene.batches) {
        if (batch.vertices.empty())
            continue;
        GpuBatch g;
        g.mode = modeOf(batch.primitive);
        g.wire = batch.wire;
        g.lit = batch.lit;
        g.pointSize = batch.pointSize;
        m_gl->glGenVertexArrays(1, &g.vao);
        m_gl->glBindVertexArray(g.vao);
        m_gl->glGenBuffers(1, &g.vbo);
        m_gl->glBindBuffer(GL_ARRAY_BUFFER, g.vbo);
        m_batches.push_back(g);
        const int vertexFill =
            fill(GL_ARRAY_BUFFER, batch.vertices.data(), batch.vertices.size() * sizeof(Vertex3D));
        if (vertexFill != 0) {
            m_gl->glBindVertexArray(0);
            Release();
            m_strFailure = vertexFill == 1 ? QStringLiteral("Failed To Lock Mesh Solid Vertex Buffer.")
                                           : QStringLiteral("Failed To Unlock Vertex Buffer.");
            return false;
        }
        const auto stride = static_cast<GLsizei>(sizeof(Vertex3D));
        m_gl->glEnableVertexAttribArray(0);
        m_gl->glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, stride,
                                    reinterpret_cast<const void*>(offsetof(Vertex3D, x)));
        m_gl->glEnableVertexAttribArray(1);
        m_gl->glVertexAttribPointer(1, 3, GL_FLOAT, GL_FALSE, stride,
                                    reinterpret_cast<const void*>(offsetof(Vertex3D, nx)));
        // 0xAARRGGBB in memory (little-endian) is B, G, R, A: the BGRA order OpenGL takes.
        m_gl->glEnableVertexAttribArray(2);
        m_gl->glVertexAttribPointer(2, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, stride,
                                    reinterpret_cast<const void*>(offsetof(Vertex3D, argb)));
        GpuBatch& added = m_batches.back();
        if (!batch.indices.empty()) {
            m_gl->glGenBuffers(1, &added.ebo);
            m_gl->glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, added.ebo);
            const int indexFill = fill(GL_ELEMENT_ARRAY_BUFFER, batch.indices.data(),
                                       batch.indices.size() * sizeof(std::uint32_t));
            if (indexFill != 0) {
                m_gl->glBindVertexArray(0);
                Release();
                m_strFailure = indexFill == 1 ? QStringLiteral("Failed To Lock Tetrahedron Solid Index Buffer.")
                                              : QStringLiteral("Failed To Unlock Index Buffer.");
                return false;
            }
            added.indexed = true;
            added.count = static_cast<GLsizei>(batch.indices.size());
        } else {
            added.count = static_cast<GLsizei>(batch.vertices.size());
        }
        m_gl->glBindVertexArray(0);
    }
    return true;
}

void CGLSceneRenderer::render(const Camera3D& camera, int width, int height)
{
    if (!m_gl)
        return;
    m_gl->glViewport(0, 0, width, height);
    m_gl->glClearColor(m_background.red / 255.0f, m_background.green / 255.0f, m_background.blue / 255.0f, 1.0f);
    m_gl->glClearDepth(1.0);
    m_gl->glEnable(GL_DEPTH_TEST);
    m_gl->glDepthFunc(GL_LEQUAL);
    m_gl->glDisable(GL_CULL_FACE);
    m_gl->glEnable(GL_PROGRAM_POINT_SIZE);
    m_gl->glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (!m_program || m_batches.empty())
        return;
    const double aspect = height > 0 ? static_cast<double>(width) / height : 1.0;
    const Mat4 world = camera.world();
    const auto mvp = toFloats(Camera3D::projection(aspect) * camera.view() * world);
    const auto w = toFloats(world);
    m_gl->glUseProgram(m_program);
    m_gl->glUniformMatrix4fv(m_locMvp, 1, GL_FALSE, mvp.data());
    m_gl->glUniformMatrix4fv(m_locWorld, 1, GL_FALSE, w.data());
    for (const GpuBatch& b : m_batches) {
        m_gl->glUniform1i(m_locLit, b.lit ? 1 : 0);
        m_gl->glUniform1f(m_locPointSize, b.pointSize);
        m_gl->glPolygonMode(GL_FRONT_AND_BACK, b.wire ? GL_LINE : GL_FILL);
        m_gl->glBindVertexArray(b.vao);
        if (b.indexed)
            m_gl->glDrawElements(b.mode, b.count, GL_UNSIGNED_INT, nullptr);
        else
            m_gl->glDrawArrays(b.mode, 0, b.count);
    }
    m_gl->glBindVertexArray(0);
    m_gl->glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    m_gl->glUseProgram(0);
}
