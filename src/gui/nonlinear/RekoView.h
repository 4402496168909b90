// The view of the 3D phase-space reconstruction: the document's current time series as delay
// points (x(t), x(t + τ), x(t + 2τ)) with three axes, in the shared 3D render window. Parameter
// changes and the document's updates only mark the geometry dirty; the next frame rebuilds it.
#pragma once

#include "core/nonlinear/RekoSettings.h"
#include "gui/render3d/Scene3D.h"
#include "gui/render3d/ThreeDView.h"

class CRekoView : public C3DView
{
    Q_OBJECT
public:
    std::optional<ViewPictureInfo> PictureInfo() const override
    {
        return ViewPictureInfo{SaveTitle(), QString::fromUtf8("Rekonstruktion Abbild"), QString::fromUtf8("Rekonstruktion Abbild")};
    }
    QString HelpTopic() const override { return QStringLiteral("html/Rekonstruktionsfenster.html"); }
    explicit CRekoView(CResoniDoc& doc, QWidget* parent = nullptr);
    ~CRekoView() override;

    void OnUpdate(int hint) override;

    const RekoSettings& settings() const { return m_Settings; }
    // A change from the bar: geometry dirty, a frame rendered.
    void setSettings(const RekoSettings& settings);
    // The parameters back into the application's settings (closing, saving a profile).
    void StoreSettings() const;
    // The scene of the document's series with the current parameters.
    Scene3D CurrentScene() const;

    // "SaveView" and F5.
    QString SaveTitle() const override { return QString::fromUtf8("Speichert das Rekonstruktionsfenster..."); }

signals:
    // After every frame: the lag of the first minimum of the autocorrelation, for "Autok.\nMin/Ns.".
    void firstMinLagShown(int lag);

protected:
    void OnRenderWindowReady() override;

private:
    void MarkDirty();

    RekoSettings m_Settings;
    bool m_bDirty = true;
};
