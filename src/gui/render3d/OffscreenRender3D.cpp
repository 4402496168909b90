#include "OffscreenRender3D.h"

#include "GLSceneRenderer.h"
#include "Render3DDevice.h"

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>

QImage RenderSceneOffscreen(const Scene3D& scene, const Camera3D& camera, QSize size, QString* error)
{
    const auto fail = [error](const QString& text) {
        if (error)
            *error = text;
        return QImage();
    };
    QOpenGLContext context;
    context.setFormat(Render3DSurfaceFormat());
    if (!context.create())
        return fail(QStringLiteral("no OpenGL context can be had on this display"));
    if (context.format().version() < qMakePair(3, 3))
        return fail(QStringLiteral("the display offers no OpenGL 3.3 core context"));
    QOffscreenSurface surface;
    surface.setFormat(context.format());
    surface.create();
    if (!surface.isValid() || !context.makeCurrent(&surface))
        return fail(QStringLiteral("the OpenGL context cannot be made current"));
    QImage picture;
    {
        QOpenGLFramebufferObjectFormat fboFormat;
        fboFormat.setAttachment(QOpenGLFramebufferObject::Depth);
        QOpenGLFramebufferObject fbo(size, fboFormat);
        CGLSceneRenderer renderer;
        if (!fbo.isValid() || !fbo.bind()) {
            context.doneCurrent();
            return fail(QStringLiteral("no framebuffer of %1 × %2 pixels").arg(size.width()).arg(size.height()));
        }
        if (!renderer.initialise() || !renderer.upload(scene)) {
            const QString why = renderer.failure();
            fbo.release();
            context.doneCurrent();
            return fail(why);
        }
        renderer.render(camera, size.width(), size.height());
        picture = fbo.toImage().convertToFormat(QImage::Format_RGB32);
        fbo.release();
    } // renderer and framebuffer go while the context is current
    context.doneCurrent();
    return picture;
}
