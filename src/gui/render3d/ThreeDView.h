// Base of the two 3D views: hosts the render window, creates it on first show and again when the
// device settings change (F2, "Einstellungen der Grafikkarte"), reports an OpenGL context that
// cannot be had and asks the document to close both 3D windows, and handles the keys the two
// views share (F2, F5 save, Strg+F1 key help, Return/Space animation clock).
#pragma once

#include "Scene3D.h"

#include "core/spectral/Camera3D.h"
#include "gui/document/DocView.h"

#include <QPointer>

#include "Render3DWidget.h"

class C3DView : public CDocView
{
    Q_OBJECT
public:
    // title: the title of the view's message boxes; camera: where the eye starts.
    C3DView(CResoniDoc& doc, const QString& title, const Camera3D& camera, QWidget* parent = nullptr);
    ~C3DView() override;

    // The render window; null before the first show and after a failure.
    CRender3DWidget* renderWindow() const { return m_pRender; }
    // Renders a frame (nothing without a render window).
    void RenderFrame();
    // "Einstellungen der Grafikkarte": lists the renderer, the screen's mode and the multisample
    // choices; "OK" rebuilds the render window with the chosen sample count.
    void ShowDeviceDialog();
    // "Save" / F5: BMP or DDS (or PNG) as the selected filter says, whatever extension was typed.
    // dialogTitle is the view's own, e.g. "Speichert diese FFT3D Ansicht...".
    void SaveView(const QString& dialogTitle);
    // "Fenster speichern...": as F5. "&Kopieren": the rendered picture as a bitmap.
    void SavePicture() override { SaveView(SaveTitle()); }
    void CopyPicture() override;
    // The multisample count of the render window (0 = none).
    int samples() const { return m_nSamples; }

protected:
    // The render window is new (first show, or rebuilt by the device dialog): hand it the scene.
    virtual void OnRenderWindowReady() = 0;
    // Title of the save dialog for F5.
    virtual QString SaveTitle() const = 0;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CreateRenderWindow();
    void OnRenderFailure();

    QString m_strTitle;
    Camera3D m_startCamera;
    int m_nSamples = 0;
    QPointer<CRender3DWidget> m_pRender;
    bool m_bFailed = false;
};
