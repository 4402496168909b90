#include "RenderViews3D.h"

#include "core/nonlinear/RekoSettings.h"
#include "core/spectral/WaterfallSettings.h"
#include "gui/nonlinear/RekoScene.h"
#include "gui/render3d/OffscreenRender3D.h"
#include "gui/spectral/FFT3DScene.h"

#include <span>
#include <stdexcept>

const std::vector<std::string>& RenderViewNames3D()
{
    static const std::vector<std::string> names{"waterfall", "reconstruction"};
    return names;
}

QImage RenderView3D(const std::string& view, int width, int height, const RenderSource& source,
                    const ProfileSettings& profile)
{
    const std::span<const double> selection = std::span<const double>(source.samples)
        .subspan(static_cast<std::size_t>(source.first), static_cast<std::size_t>(source.end - source.first));
    Scene3D scene;
    Camera3D camera;
    if (view == "waterfall") {
        const WaterfallSettings settings = WaterfallSettingsFromProfile(profile);
        if (source.selectionFFTSize < 2 || selection.size() < static_cast<std::size_t>(source.selectionFFTSize))
            throw std::runtime_error("the selection is too short for a waterfall (" + std::to_string(selection.size()) +
                                     " samples)");
        scene = WaterfallScene(selection, static_cast<int>(source.rate), source.bits, source.selectionFFTSize, settings);
        camera = WaterfallCamera(settings);
        // Rows start every L/R samples while a whole window of N still fits: a selection barely
        // longer than its transform size gives one row, which is no surface.
        if (scene.batches.empty())
            throw std::runtime_error("waterfall: a selection of " + std::to_string(selection.size()) +
                                     " samples at N = " + std::to_string(source.selectionFFTSize) +
                                     " gives one row only; select a stretch well above a power of two "
                                     "(e.g. 1.5 times one) with --from/--to");
    } else if (view == "reconstruction") {
        // The series as the document keeps it: 8-bit data unsigned around 128, else signed.
        const bool bSigned = source.bits != 8;
        const double fullScale = bSigned ? 32767.0 : 255.0;
        scene = RekoScene(selection, fullScale, bSigned, RekoSettingsFromProfile(profile));
        camera = RekoCamera();
    } else {
        throw std::runtime_error("unknown 3D view '" + view + "'");
    }
    QString error;
    QImage picture = RenderSceneOffscreen(scene, camera, QSize(width, height), &error);
    if (picture.isNull())
        throw std::runtime_error(view + ": " + error.toStdString());
    return picture;
}
