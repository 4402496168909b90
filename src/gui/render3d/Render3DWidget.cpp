#include "Render3DWidget.h"

#include "GLSceneRenderer.h"
#include "Render3DDevice.h"
#include "Render3DTexts.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QOpenGLExtraFunctions>
#include <QOpenGLFunctions>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <optional>

namespace {

// The camera input of a key, if it has one. Keypad keys arrive with the keypad modifier, as
// digits with Num Lock on and as arrows and Home/PgUp with it off.
std::optional<Key3D> cameraKey(const QKeyEvent* event)
{
    const bool keypad = event->modifiers().testFlag(Qt::KeypadModifier);
    switch (event->key()) {
    case Qt::Key_O: return Key3D::O;
    case Qt::Key_P: return Key3D::P;
    case Qt::Key_K: return Key3D::K;
    case Qt::Key_L: return Key3D::L;
    case Qt::Key_M: return Key3D::M;
    case Qt::Key_N: return Key3D::N;
    case Qt::Key_X: return Key3D::X;
    case Qt::Key_C: return Key3D::C;
    case Qt::Key_V: return Key3D::V;
    case Qt::Key_B: return Key3D::B;
    case Qt::Key_G: return Key3D::G;
    case Qt::Key_H: return Key3D::H;
    case Qt::Key_Plus: return Key3D::Plus;
    case Qt::Key_Minus: return Key3D::Minus;
    case Qt::Key_4: return keypad ? std::optional(Key3D::NumLeft) : std::nullopt;
    case Qt::Key_6: return keypad ? std::optional(Key3D::NumRight) : std::nullopt;
    case Qt::Key_8: return keypad ? std::optional(Key3D::NumUp) : std::nullopt;
    case Qt::Key_2: return keypad ? std::optional(Key3D::NumDown) : std::nullopt;
    case Qt::Key_7: case Qt::Key_Home: return keypad ? std::optional(Key3D::Num7) : std::nullopt;
    case Qt::Key_9: case Qt::Key_PageUp: return keypad ? std::optional(Key3D::Num9) : std::nullopt;
    case Qt::Key_Left: return keypad ? Key3D::NumLeft : Key3D::Left;
    case Qt::Key_Right: return keypad ? Key3D::NumRight : Key3D::Right;
    case Qt::Key_Up: return keypad ? Key3D::NumUp : Key3D::Up;
    case Qt::Key_Down: return keypad ? Key3D::NumDown : Key3D::Down;
    default: return std::nullopt;
    }
}


} // namespace

CRender3DWidget::CRender3DWidget(int samples, const Camera3D& camera, QWidget* parent)
    : QOpenGLWidget(parent), m_camera(camera)
{
    setFormat(Render3DSurfaceFormat(samples));
    setFocusPolicy(Qt::StrongFocus);
    m_animation.setInterval(10);
    connect(&m_animation, &QTimer::timeout, this, &CRender3DWidget::Tick);
}

CRender3DWidget::~CRender3DWidget()
{
    // The buffers belong to this widget's context: release them with it current.
    if (m_pRenderer && context()) {
        makeCurrent();
        m_pRenderer.reset();
        doneCurrent();
    }
}

void CRender3DWidget::setScene(Scene3D scene)
{
    m_scene = std::move(scene);
    m_bSceneChanged = true;
    renderFrame();
}

void CRender3DWidget::renderFrame()
{
    update();
}

void CRender3DWidget::pressOneFrame(Key3D key)
{
    m_keys.pressOneFrame(key);
    renderFrame();
}

void CRender3DWidget::resetView()
{
    m_camera.reset();
    renderFrame();
}

void CRender3DWidget::toggleHelp()
{
    m_bHelp = !m_bHelp;
    renderFrame();
}

void CRender3DWidget::toggleClock()
{
    m_bClock = !m_bClock;
    renderFrame();
}

void CRender3DWidget::singleStep()
{
    // A running clock stops; a stopped one moves on by one frame.
    if (m_bClock)
        m_bClock = false;
    else
        m_bStep = true;
    renderFrame();
}

QString CRender3DWidget::statisticsLine() const
{
    const QSize px = size() * devicePixelRatio();
    return QString::asprintf("%.02f fps (%dx%dx%d)", m_dFps, px.width(), px.height(), m_info.colourBits);
}

void CRender3DWidget::CountFrame()
{
    // Frames come on request: the rate is that of the latest run of frames (those of its last
    // second). A pause of more than a second starts a new run and keeps the figure meanwhile.
    const qint64 now = m_statClock.isValid() ? m_statClock.elapsed() : (m_statClock.start(), 0);
    if (!m_frameTimes.empty() && now - m_frameTimes.back() > 1000)
        m_frameTimes.clear();
    m_frameTimes.push_back(now);
    while (m_frameTimes.size() > 2 && now - m_frameTimes.front() > 1000)
        m_frameTimes.pop_front();
    const qint64 span = m_frameTimes.back() - m_frameTimes.front();
    if (m_frameTimes.size() >= 2 && span > 0)
        m_dFps = 1000.0 * static_cast<double>(m_frameTimes.size() - 1) / static_cast<double>(span);
}

void CRender3DWidget::Fail(const QString& text)
{
    m_bReady = false;
    m_strFailure = text;
    // Told after this event: the view may take the window away, which must not happen inside
    // the widget's own initialisation or painting.
    QMetaObject::invokeMethod(this, &CRender3DWidget::failed, Qt::QueuedConnection);
}

void CRender3DWidget::initializeGL()
{
    QOpenGLContext* ctx = context();
    if (!ctx || !ctx->isValid()) {
        Fail(QString::fromUtf8(Render3DText::kNoOpenGL));
        return;
    }
    const QSurfaceFormat f = ctx->format();
    QOpenGLFunctions* gl = ctx->functions();
    m_info.renderer = QString::fromLatin1(reinterpret_cast<const char*>(gl->glGetString(GL_RENDERER)));
    m_info.version = QString::fromLatin1(reinterpret_cast<const char*>(gl->glGetString(GL_VERSION)));
    m_info.software = IsSoftwareRenderer(m_info.renderer);
    m_info.depthBits = f.depthBufferSize();
    m_info.colourBits = std::max(0, f.redBufferSize()) + std::max(0, f.greenBufferSize()) +
                        std::max(0, f.blueBufferSize()) + std::max(0, f.alphaBufferSize());
    m_info.samples = std::max(0, f.samples());
    m_info.coreProfile33 = f.version() >= qMakePair(3, 3) && f.profile() == QSurfaceFormat::CoreProfile;
    GLint maxSamples = 0;
    gl->glGetIntegerv(0x8D57 /* GL_MAX_SAMPLES */, &maxSamples);
    m_info.maxSamples = maxSamples;
    m_strDevice = DeviceDescription(m_info.renderer, m_info.version, m_info.software, m_info.depthBits,
                                    m_info.samples);
    if (!m_info.coreProfile33) {
        Fail(QString::fromUtf8(Render3DText::kNoCompatibleDevice));
        return;
    }
    if (m_info.depthBits < 16) {
        Fail(QString::fromUtf8(Render3DText::kLacksFunctions));
        return;
    }
    m_pRenderer = std::make_unique<CGLSceneRenderer>();
    if (!m_pRenderer->initialise()) {
        Fail(QString::fromUtf8(Render3DText::kMediaMissing) + QStringLiteral("\n") + m_pRenderer->failure());
        m_pRenderer.reset();
        return;
    }
    m_bReady = true;
    m_bSceneChanged = true;
    m_frameClock.start();
}

void CRender3DWidget::resizeGL(int /*w*/, int /*h*/)
{
}

void CRender3DWidget::QueryFramebuffer()
{
    // The widget renders into a framebuffer of its own (multisampled when asked for): its
    // attachments, not the context's window surface, tell samples, depth and colour bits.
    QOpenGLExtraFunctions* gl = context()->extraFunctions();
    GLint samples = 0, depth = 0, red = 0, green = 0, blue = 0, alpha = 0;
    gl->glGetIntegerv(GL_SAMPLES, &samples);
    const GLenum fb = GL_DRAW_FRAMEBUFFER;
    gl->glGetFramebufferAttachmentParameteriv(fb, GL_DEPTH_ATTACHMENT, GL_FRAMEBUFFER_ATTACHMENT_DEPTH_SIZE, &depth);
    gl->glGetFramebufferAttachmentParameteriv(fb, GL_COLOR_ATTACHMENT0, GL_FRAMEBUFFER_ATTACHMENT_RED_SIZE, &red);
    gl->glGetFramebufferAttachmentParameteriv(fb, GL_COLOR_ATTACHMENT0, GL_FRAMEBUFFER_ATTACHMENT_GREEN_SIZE, &green);
    gl->glGetFramebufferAttachmentParameteriv(fb, GL_COLOR_ATTACHMENT0, GL_FRAMEBUFFER_ATTACHMENT_BLUE_SIZE, &blue);
    gl->glGetFramebufferAttachmentParameteriv(fb, GL_COLOR_ATTACHMENT0, GL_FRAMEBUFFER_ATTACHMENT_ALPHA_SIZE, &alpha);
    while (gl->glGetError() != GL_NO_ERROR) {
    } // an attachment the framebuffer lacks reads as 0
    m_info.samples = samples;
    if (depth > 0)
        m_info.depthBits = depth;
    if (red + green + blue > 0)
        m_info.colourBits = red + green + blue + alpha;
    m_strDevice = DeviceDescription(m_info.renderer, m_info.version, m_info.software, m_info.depthBits,
                                    m_info.samples);
    m_bFramebufferKnown = true;
}

void CRender3DWidget::paintGL()
{
    if (!m_bReady || !m_pRenderer)
        return;
    if (!m_bFramebufferKnown)
        QueryFramebuffer();
    if (m_beforeFrame)
        m_beforeFrame();
    if (m_bSceneChanged) {
        m_bSceneChanged = false;
        if (!m_pRenderer->upload(m_scene)) {
            m_strFailure = m_pRenderer->failure();
            QMetaObject::invokeMethod(this, &CRender3DWidget::meshFailed, Qt::QueuedConnection);
        }
    }
    const double elapsed = std::min(0.1, static_cast<double>(m_frameClock.restart()) / 1000.0);
    if (m_bClock || m_bStep)
        m_camera.advance(m_keys, elapsed);
    m_bStep = false;
    m_keys.endFrame();

    const QSize px = size() * devicePixelRatio();
    m_pRenderer->render(m_camera, px.width(), px.height());
    {
        QPainter painter(this);
        DrawOverlay(painter);
    }

    ++m_nFrames;
    CountFrame();

    // Frames keep coming while an input is held or the camera still drifts, and the clock runs.
    const bool animate = m_bClock && (m_keys.any() || m_camera.moving());
    if (animate && !m_animation.isActive())
        m_animation.start();
    else if (!animate && m_animation.isActive())
        m_animation.stop();
    emit frameRendered();
}

void CRender3DWidget::Tick()
{
    update();
}

void CRender3DWidget::DrawOverlay(QPainter& painter)
{
    const Rgb bg = m_scene.background;
    const bool light = 0.299 * bg.red + 0.587 * bg.green + 0.114 * bg.blue >= 128.0;
    painter.setPen(light ? QColor(0, 0, 128) : QColor(255, 255, 0));
    QFont stats(QStringLiteral("Century Gothic"));
    stats.setPixelSize(14);
    painter.setFont(stats);
    const int w = width();
    painter.drawText(QRect(2, 0, w, 20), Qt::AlignLeft | Qt::AlignTop, statisticsLine());
    painter.drawText(QRect(2, 20, w, 20), Qt::AlignLeft | Qt::AlignTop, m_strDevice);
    if (!m_bHelp)
        return;
    painter.drawText(QRect(2, 40, w, 20), Qt::AlignLeft | Qt::AlignTop, QString::fromUtf8(Render3DText::kHelpOff));
    QFont help(QStringLiteral("Century Gothic"));
    help.setPixelSize(12);
    painter.setFont(help);
    painter.drawText(QRect(20, 60, 190, height()), Qt::AlignLeft | Qt::AlignTop,
                     QString::fromUtf8(Render3DText::kHelpActions));
    painter.drawText(QRect(210, 60, std::max(0, w - 210), height()), Qt::AlignLeft | Qt::AlignTop,
                     QString::fromUtf8(Render3DText::kHelpKeys));
}

QImage CRender3DWidget::picture()
{
    return grabFramebuffer();
}

void CRender3DWidget::keyPressEvent(QKeyEvent* event)
{
    const std::optional<Key3D> key = cameraKey(event);
    if (!key) {
        event->ignore(); // the view's own keys (F2, F5, Strg+F1, Return, Space)
        return;
    }
    if (!event->isAutoRepeat()) {
        m_keys.press(*key);
        renderFrame();
    }
}

void CRender3DWidget::keyReleaseEvent(QKeyEvent* event)
{
    const std::optional<Key3D> key = cameraKey(event);
    if (!key) {
        event->ignore();
        return;
    }
    if (!event->isAutoRepeat())
        m_keys.release(*key);
}

void CRender3DWidget::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    m_lastMouse = event->position().toPoint();
}

void CRender3DWidget::mouseMoveEvent(QMouseEvent* event)
{
    const Qt::MouseButtons buttons = event->buttons();
    if (!(buttons & (Qt::LeftButton | Qt::RightButton)))
        return;
    const QPoint p = event->position().toPoint();
    const QPoint d = p - m_lastMouse;
    m_lastMouse = p;
    if (d.isNull())
        return;
    m_keys.drag(d.x(), d.y(), !(buttons & Qt::LeftButton));
    renderFrame();
}

void CRender3DWidget::mouseReleaseEvent(QMouseEvent* /*event*/)
{
    m_keys.releaseAll();
}

void CRender3DWidget::wheelEvent(QWheelEvent* event)
{
    const int notches = event->angleDelta().y() / 120;
    if (notches == 0)
        return;
    const Qt::KeyboardModifiers mods = event->modifiers();
    m_camera.wheel(notches, mods.testFlag(Qt::ShiftModifier), mods.testFlag(Qt::ControlModifier));
    renderFrame();
}

void CRender3DWidget::focusOutEvent(QFocusEvent* event)
{
    m_keys.releaseAll(); // a key released elsewhere would stay held
    QOpenGLWidget::focusOutEvent(event);
}
