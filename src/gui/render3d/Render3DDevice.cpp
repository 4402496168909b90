#include "Render3DDevice.h"

bool IsSoftwareRenderer(const QString& renderer)
{
    const QString r = renderer.toLower();
    return r.contains(QStringLiteral("llvmpipe")) || r.contains(QStringLiteral("softpipe")) ||
           r.contains(QStringLiteral("swrast")) || r.contains(QStringLiteral("software"));
}

QString DeviceDescription(const QString& renderer, const QString& version, bool software, int depthBits, int samples)
{
    QString text = (software ? QStringLiteral("Software: ") : QStringLiteral("Hardware: ")) + renderer;
    if (!version.isEmpty())
        text += QStringLiteral(", OpenGL ") + version;
    if (depthBits > 0)
        text += QStringLiteral(" (D%1)").arg(depthBits);
    if (samples > 1)
        text += QStringLiteral(" (%1x Multisample)").arg(samples);
    return text;
}

QSurfaceFormat Render3DSurfaceFormat(int samples)
{
    QSurfaceFormat f;
    f.setRenderableType(QSurfaceFormat::OpenGL);
    f.setVersion(3, 3);
    f.setProfile(QSurfaceFormat::CoreProfile);
    f.setDepthBufferSize(24);
    f.setSamples(samples);
    return f;
}
