// The view of the 3D FFT waterfall: a render window showing a surface of window spectra
// (frequency across, time in depth, magnitude as height). A selection's frame is built on a
// worker thread, row by row, each row added on the UI thread so the surface grows on screen;
// while listening or playing, every update adds the newest spectrum as a row in front.
#pragma once

#include "gui/render3d/Render3DWidget.h" // C3DView::renderWindow() needs the whole class
#include "gui/render3d/ThreeDView.h"

#include "core/spectral/WaterfallMesh.h"
#include "core/spectral/WaterfallSettings.h"

#include <memory>
#include <optional>
#include <vector>

class CCancellableJob;

class CFFT3DView : public C3DView
{
    Q_OBJECT
public:
    std::optional<ViewPictureInfo> PictureInfo() const override
    {
        return ViewPictureInfo{SaveTitle(), QString::fromUtf8("3D FFT Abbild"), QString::fromUtf8("3D FFT Abbild")};
    }
    QString HelpTopic() const override { return QStringLiteral("html/DreidimensionaleFouriertransformationsdarstellung.html"); }
    explicit CFFT3DView(CResoniDoc& doc, QWidget* parent = nullptr);
    ~CFFT3DView() override;

    void OnUpdate(int hint) override;

    const WaterfallSettings& settings() const { return m_Settings; }
    // A change from the control bar: a cut, a scale, the width or the precision builds the
    // waterfall anew; the others render with the new state.
    void setSettings(const WaterfallSettings& settings);
    // The parameters back into the application's settings (closing, saving a profile).
    void StoreSettings() const;

    // The bar's "Position" buttons: the key held for one frame; "Reset": the start camera.
    void PressOneFrame(Key3D key);
    void ResetView();

    const WaterfallMesh& mesh() const { return m_Mesh; }
    // A waterfall is being built on the worker thread.
    bool isBuilding() const { return m_pJob != nullptr; }

signals:
    void buildFinished(bool bCompleted); // a build ran to its end (true) or was stopped by "Abbruch"

protected:
    void OnRenderWindowReady() override;
    QString SaveTitle() const override;

private:
    // What the mesh was (or is being) built from.
    struct Source
    {
        std::vector<double> frame;
        int nSampleRate = 0, nBitsPerSample = 0, nFFTSize = 0;
        WaterfallSettings settings;
        bool operator==(const Source&) const = default;
    };

    void Rebuild();
    void CancelBuild();
    void OnRow(int run, const WaterfallRow& row);
    void OnBuildFinished(int run, bool bCompleted);
    void AddLiveRow();
    void SceneChanged();
    int SampleRate() const;
    int BitsPerSample() const;

    WaterfallSettings m_Settings;
    WaterfallMesh m_Mesh;
    bool m_bSceneDirty = true; // the render window's scene no longer shows m_Mesh / m_Settings
    std::optional<Source> m_Source; // none: the mesh shows no (complete or running) build
    std::unique_ptr<CCancellableJob> m_pJob;
    int m_nRun = 0; // numbers the builds; rows of older ones are ignored
};
