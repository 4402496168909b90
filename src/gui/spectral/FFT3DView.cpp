#include "FFT3DView.h"

#include "FFT3DScene.h"

#include "core/spectral/WaterfallBuild.h"
#include "gui/app/ResoniApp.h"
#include "gui/document/GlobalFlags.h"
#include "gui/document/ResoniDoc.h"
#include "gui/document/UpdateHints.h"
#include "gui/presentation/CancellableJob.h"
#include "gui/render3d/Render3DWidget.h"

#include <memory>

namespace {

bool Live()
{
    return g_bListening || g_bPlaying;
}

// The geometry of a row depends on these; the others only change how it is drawn.
bool SameGeometry(const WaterfallSettings& a, const WaterfallSettings& b)
{
    return a.nBottomCutHz == b.nBottomCutHz && a.nTopCutkHz == b.nTopCutkHz && a.bIsFreqLinear == b.bIsFreqLinear &&
           a.bIsAmpLinear == b.bIsAmpLinear && a.nBreite == b.nBreite && a.nPraezision == b.nPraezision;
}

} // namespace

CFFT3DView::CFFT3DView(CResoniDoc& doc, QWidget* parent)
    : C3DView(doc, QStringLiteral("3D FFT"), WaterfallCamera(WaterfallSettingsFromProfile(doc.app().m_Settings)),
              parent),
      m_Settings(WaterfallSettingsFromProfile(doc.app().m_Settings))
{
    setObjectName(QStringLiteral("CFFT3DView"));
    if (g_bSelectionFFT && !Live())
        Rebuild(); // opened beside a selection
}

CFFT3DView::~CFFT3DView()
{
    CancelBuild();
    StoreSettings();
}

void CFFT3DView::StoreSettings() const
{
    StoreWaterfallSettings(m_Settings, GetDocument().app().m_Settings);
}

QString CFFT3DView::SaveTitle() const
{
    return QStringLiteral("Speichert diese FFT3D Ansicht...");
}

int CFFT3DView::SampleRate() const
{
    // The loaded file's rate; while listening without a file, the capture format's.
    const CResoniDoc& doc = GetDocument();
    int rate = static_cast<int>(doc.m_nSampleRate);
    if (rate <= 0 && doc.m_pWaveFormat && doc.m_pWaveFormat->samplesPerSec > 0)
        rate = static_cast<int>(doc.m_pWaveFormat->samplesPerSec);
    return rate > 0 ? rate : 44100;
}

int CFFT3DView::BitsPerSample() const
{
    const int bits = GetDocument().m_nBitsPerSample;
    return bits > 0 ? bits : 16;
}

void CFFT3DView::OnRenderWindowReady()
{
    CRender3DWidget* render = renderWindow();
    if (!render)
        return;
    // The scene is rebuilt at the start of a frame, once however many rows arrived before it.
    render->setBeforeFrame([this] {
        if (!m_bSceneDirty || !renderWindow())
            return;
        m_bSceneDirty = false;
        renderWindow()->setScene(WaterfallMeshScene(m_Mesh, m_Settings));
    });
    SceneChanged();
}

void CFFT3DView::SceneChanged()
{
    m_bSceneDirty = true;
    RenderFrame();
}

void CFFT3DView::OnUpdate(int hint)
{
    if (hint == UpdateHint::kRefresh && renderWindow())
        renderWindow()->resetView(); // the FFT size may have changed
    if (Live()) {
        AddLiveRow();
    } else if (g_bSelectionFFT && hint != 2) { // hint 2 leaves the surface and the camera alone
        if (renderWindow())
            renderWindow()->resetView();
        Rebuild();
    }
    RenderFrame();
}

void CFFT3DView::setSettings(const WaterfallSettings& settings)
{
    const WaterfallSettings next = ClampedWaterfallSettings(settings);
    const bool bGeometry = !SameGeometry(next, m_Settings);
    m_Settings = next;
    if (bGeometry) {
        if (g_bSelectionFFT && !Live()) {
            Rebuild();
        } else {
            CancelBuild();
            m_Source.reset();
            m_Mesh.clear(); // the next rows start a surface with the new geometry
        }
    }
    SceneChanged();
}

void CFFT3DView::PressOneFrame(Key3D key)
{
    if (renderWindow())
        renderWindow()->pressOneFrame(key);
}

void CFFT3DView::ResetView()
{
    if (renderWindow())
        renderWindow()->resetView();
}

void CFFT3DView::Rebuild()
{
    const CResoniDoc& doc = GetDocument();
    Source source{doc.m_arSignal, SampleRate(), BitsPerSample(), doc.m_nFFTSize, m_Settings};
    if (m_Source && *m_Source == source)
        return; // the mesh shows (or is being built from) this frame already
    CancelBuild();
    m_Mesh.clear();
    SceneChanged();
    m_Source = std::move(source);
    auto frame = std::make_shared<const std::vector<double>>(m_Source->frame);
    const WaterfallFrame input{*frame, m_Source->nSampleRate, m_Source->nBitsPerSample, m_Source->nFFTSize};
    const int run = ++m_nRun;
    m_pJob = std::make_unique<CCancellableJob>([this, frame, input, settings = m_Settings, run](AbortToken& abort) {
        const auto rowReady = [this, &abort, run](WaterfallRow&& row) {
            if (g_bAbort.isRaised())
                abort.raise(); // "Abbruch": no further rows
            QMetaObject::invokeMethod(
                this, [this, run, row = std::move(row)] { OnRow(run, row); }, Qt::QueuedConnection);
        };
        const bool completed = BuildWaterfallRows(input, settings, {&abort, rowReady});
        QMetaObject::invokeMethod(
            this, [this, run, completed] { OnBuildFinished(run, completed); }, Qt::QueuedConnection);
    });
    setCursor(Qt::WaitCursor);
}

void CFFT3DView::OnRow(int run, const WaterfallRow& row)
{
    if (run != m_nRun)
        return; // a row of a build that was replaced or stopped meanwhile
    m_Mesh.addRow(row);
    SceneChanged();
    if (g_bAbort.isRaised()) {
        // "Abbruch": the rows built so far stay; the request is answered.
        CancelBuild();
        g_bAbort.clear();
        emit buildFinished(false);
    }
}

void CFFT3DView::OnBuildFinished(int run, bool bCompleted)
{
    if (run != m_nRun || !m_pJob)
        return;
    m_pJob.reset(); // its thread has ended or is about to
    unsetCursor();
    if (!bCompleted)
        g_bAbort.clear();
    SceneChanged();
    emit buildFinished(bCompleted);
}

void CFFT3DView::CancelBuild()
{
    ++m_nRun; // rows still on their way are ignored
    if (!m_pJob)
        return;
    m_pJob.reset(); // stops the build and waits for its thread
    unsetCursor();
}

void CFFT3DView::AddLiveRow()
{
    // Live input takes the surface over from a selection's build; its rows come in front.
    CancelBuild();
    m_Source.reset();
    const std::vector<double>& spectrum = GetDocument().m_arSpectrum;
    if (spectrum.size() < 2)
        return;
    const int n = static_cast<int>(spectrum.size() - 1) * 2;
    WaterfallRow row;
    MakeWaterfallRow(m_Settings, {spectrum, SampleRate(), BitsPerSample(), n}, row);
    m_Mesh.addRow(row);
    SceneChanged();
}
