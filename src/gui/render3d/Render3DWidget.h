// The render window inside a 3D view: an OpenGL 3.3 core context with a depth buffer, the scene
// it was handed, the camera moved by held keys, buttons, wheel and drags, frames rendered on
// request (and while the camera still moves), the statistics line with the renderer's
// description, and the key help overlay.
#pragma once

#include "Scene3D.h"

#include "core/spectral/Camera3D.h"

#include <QElapsedTimer>
#include <QOpenGLWidget>
#include <QTimer>

#include <deque>
#include <functional>
#include <memory>

class CGLSceneRenderer;

class CRender3DWidget : public QOpenGLWidget
{
    Q_OBJECT
public:
    // samples: multisample count of the surface (0 = none). The camera starts as given.
    CRender3DWidget(int samples, const Camera3D& camera, QWidget* parent = nullptr);
    ~CRender3DWidget() override;

    // The picture to draw from the next frame on; renders a frame.
    void setScene(Scene3D scene);
    // Called at the start of every frame, before the scene is drawn (a view rebuilds geometry
    // marked dirty there and hands it over with setScene).
    void setBeforeFrame(std::function<void()> beforeFrame) { m_beforeFrame = std::move(beforeFrame); }
    // Renders one frame (asynchronously, coalesced with other requests).
    void renderFrame();

    KeyState3D& keys() { return m_keys; }
    Camera3D& camera() { return m_camera; }
    // A button of the bar: the input is held for exactly one frame, which is rendered.
    void pressOneFrame(Key3D key);
    // "Reset": the camera back to its start; renders.
    void resetView();

    // The key help (Strg+F1).
    bool helpShown() const { return m_bHelp; }
    void toggleHelp();
    // The animation clock (Return starts and stops it): while stopped the camera does not move.
    // Space stops a running clock, or moves a stopped one on by one frame; both render a frame.
    bool clockRunning() const { return m_bClock; }
    void toggleClock();
    void singleStep();

    // "%.02f fps (%dx%dx%d)": frames per second of the latest run of frames (over its last
    // second), width, height and colour bits of the picture.
    QString statisticsLine() const;
    // "Hardware: <renderer>" or "Software: <renderer>", the OpenGL version, " (D24)" for the depth
    // buffer's bits and " (4x Multisample)" when multisampled. Empty before the first frame.
    QString deviceDescription() const { return m_strDevice; }
    // Renderer, version, depth and colour bits, largest sample count: known after initialisation.
    struct DeviceInfo
    {
        QString renderer, version;
        bool software = false;
        int depthBits = 0, colourBits = 0, maxSamples = 0, samples = 0;
        bool coreProfile33 = false; // a 3.3 core (or newer) context was had
    };
    const DeviceInfo& deviceInfo() const { return m_info; }
    // Whether the context came up and the scene can be drawn; the text of what failed otherwise.
    bool ready() const { return m_bReady; }
    QString failure() const { return m_strFailure; }
    // Frames rendered so far.
    long long frameCount() const { return m_nFrames; }
    // The rendered picture as the back buffer holds it (overlay included).
    QImage picture();

signals:
    // After every frame.
    void frameRendered();
    // The context could not be had or cannot draw at all; failure() says why.
    void failed();
    // The scene's buffers could not be filled; failure() names the buffer. The window stays
    // usable: the next setScene tries again.
    void meshFailed();

protected:
    void initializeGL() override;
    void resizeGL(int w, int h) override;
    void paintGL() override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void Fail(const QString& text);
    void QueryFramebuffer();
    void CountFrame();
    void DrawOverlay(QPainter& painter);
    void Tick();

    std::unique_ptr<CGLSceneRenderer> m_pRenderer;
    Scene3D m_scene;
    bool m_bSceneChanged = true;
    std::function<void()> m_beforeFrame;
    Camera3D m_camera;
    KeyState3D m_keys;
    QTimer m_animation;         // keeps frames coming while inputs are held or the camera drifts
    QElapsedTimer m_frameClock; // elapsed time between frames
    QElapsedTimer m_statClock;  // time stamps for the frame rate
    std::deque<qint64> m_frameTimes; // ms stamps of the frames of the last second
    long long m_nFrames = 0;
    double m_dFps = 0.0;
    bool m_bHelp = true;
    bool m_bClock = true;
    bool m_bStep = false;
    bool m_bReady = false;
    bool m_bFramebufferKnown = false;
    QString m_strFailure;
    QString m_strDevice;
    DeviceInfo m_info;
    QPoint m_lastMouse;
    Qt::MouseButtons m_dragButtons;
};
