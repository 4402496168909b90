#include "ThreeDView.h"

#include "DeviceSettingsDlg.h"
#include "Render3DDevice.h"
#include "Render3DTexts.h"
#include "Render3DWidget.h"

#include "core/common/DdsFile.h"
#include "gui/app/ResoniApp.h"
#include "gui/app/UiDialogs.h"
#include "gui/document/ResoniDoc.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QPainter>
#include <QTimer>

namespace {

// Whether an OpenGL 3.3 core context with a depth buffer can be had and made current here: empty
// when it can, else the text of what failed.
QString ProbeOpenGL()
{
    // The offscreen and minimal platforms draw into memory and cannot show an OpenGL window.
    const QString platform = QGuiApplication::platformName();
    if (platform == QStringLiteral("offscreen") || platform == QStringLiteral("minimal"))
        return QString::fromUtf8(Render3DText::kNoOpenGL);
    QOpenGLContext context;
    context.setFormat(Render3DSurfaceFormat());
    if (!context.create())
        return QString::fromUtf8(Render3DText::kNoOpenGL);
    const QSurfaceFormat got = context.format();
    if (got.version() < qMakePair(3, 3) || got.profile() != QSurfaceFormat::CoreProfile)
        return QString::fromUtf8(Render3DText::kNoCompatibleDevice);
    QOffscreenSurface surface;
    surface.setFormat(got);
    surface.create();
    if (!surface.isValid() || !context.makeCurrent(&surface))
        return QString::fromUtf8(Render3DText::kCannotRender);
    context.doneCurrent();
    return QString();
}

} // namespace

C3DView::C3DView(CResoniDoc& doc, const QString& title, const Camera3D& camera, QWidget* parent)
    : CDocView(doc, Qt::black, parent), m_strTitle(title), m_startCamera(camera)
{
}

C3DView::~C3DView() = default;

void C3DView::showEvent(QShowEvent* event)
{
    CDocView::showEvent(event);
    if (!m_pRender && !m_bFailed)
        // After the window is up, so that a message box has it to stand on.
        QTimer::singleShot(0, this, [this] {
            if (!m_pRender && !m_bFailed)
                CreateRenderWindow();
        });
}

void C3DView::CreateRenderWindow()
{
    CResoniDoc& doc = GetDocument();
    if (doc.m_bClose3DViews) {
        m_bFailed = true; // the other 3D window has reported; both close at once
        return;
    }
    const QString failure = ProbeOpenGL();
    if (!failure.isEmpty()) {
        m_bFailed = true;
        IUiDialogs& dialogs = doc.app().dialogs();
        dialogs.messageBox(failure, m_strTitle, IUiDialogs::Icon::Critical);
        dialogs.messageBox(QString::fromUtf8(Render3DText::kDisable3D), m_strTitle, IUiDialogs::Icon::Critical);
        doc.m_bClose3DViews = true;
        return;
    }
    const Camera3D camera = m_pRender ? m_pRender->camera() : m_startCamera;
    delete m_pRender.data();
    m_pRender = new CRender3DWidget(m_nSamples, camera, this);
    m_pRender->setGeometry(rect());
    connect(m_pRender, &CRender3DWidget::failed, this, &C3DView::OnRenderFailure);
    connect(m_pRender, &CRender3DWidget::meshFailed, this, [this] {
        IUiDialogs& dialogs = GetDocument().app().dialogs();
        dialogs.messageBox(m_pRender ? m_pRender->failure() : QString(), m_strTitle);
        dialogs.messageBox(QString::fromUtf8(Render3DText::kMeshFailed), m_strTitle);
    });
    m_pRender->show();
    m_pRender->setFocus();
    OnRenderWindowReady();
}

void C3DView::OnRenderFailure()
{
    if (m_bFailed)
        return;
    m_bFailed = true;
    CResoniDoc& doc = GetDocument();
    const QString failure = m_pRender ? m_pRender->failure() : QString();
    if (m_pRender)
        m_pRender->deleteLater();
    m_pRender = nullptr;
    if (doc.m_bClose3DViews)
        return;
    IUiDialogs& dialogs = doc.app().dialogs();
    dialogs.messageBox(failure, m_strTitle, IUiDialogs::Icon::Critical);
    dialogs.messageBox(QString::fromUtf8(Render3DText::kDisable3D), m_strTitle, IUiDialogs::Icon::Critical);
    doc.m_bClose3DViews = true;
}

void C3DView::RenderFrame()
{
    if (m_pRender)
        m_pRender->renderFrame();
}

void C3DView::resizeEvent(QResizeEvent* event)
{
    CDocView::resizeEvent(event);
    if (m_pRender)
        m_pRender->setGeometry(rect());
}

void C3DView::ShowDeviceDialog()
{
    if (!m_pRender)
        return;
    const CRender3DWidget::DeviceInfo& info = m_pRender->deviceInfo();
    CDeviceSettingsDlg dialog(info.renderer + QStringLiteral(", OpenGL ") + info.version, info.maxSamples,
                              m_nSamples, this);
    if (GetDocument().app().dialogs().execDialog(dialog) != QDialog::Accepted)
        return;
    // A new sample count needs a new surface: the render window is built anew, camera kept.
    m_nSamples = dialog.samples();
    CreateRenderWindow();
}

void C3DView::SaveView(const QString& dialogTitle)
{
    if (!m_pRender)
        return;
    IUiDialogs& dialogs = GetDocument().app().dialogs();
    const QList<FileFilter> filters = FileFiltersFromList(Render3DText::kSaveFilters);
    int chosen = 0;
    QString path = dialogs.saveFileName(dialogTitle, filters, 0, QString(), QStringLiteral("bmp"), &chosen);
    if (path.isEmpty())
        return;
    static const char* const kSuffix[] = {"bmp", "dds", "png"};
    chosen = chosen >= 0 && chosen < 3 ? chosen : 0;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".") + QString::fromLatin1(kSuffix[chosen]);
    // The filter decides the format, whatever extension was typed.
    const QImage picture = m_pRender->picture().convertToFormat(QImage::Format_RGB32);
    bool saved = false;
    if (chosen == 1) {
        std::vector<std::uint32_t> pixels;
        pixels.reserve(static_cast<std::size_t>(picture.width()) * static_cast<std::size_t>(picture.height()));
        for (int y = 0; y < picture.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
            pixels.insert(pixels.end(), line, line + picture.width());
        }
        saved = WriteDdsFile(path.toStdString(), picture.width(), picture.height(), pixels);
    } else {
        saved = picture.save(path, chosen == 2 ? "PNG" : "BMP");
    }
    if (!saved)
        dialogs.messageBox(QString::fromUtf8(Render3DText::kSaveFailed).arg(path), m_strTitle);
}

void C3DView::keyPressEvent(QKeyEvent* event)
{
    const bool ctrl = event->modifiers().testFlag(Qt::ControlModifier);
    switch (event->key()) {
    case Qt::Key_F2: ShowDeviceDialog(); return;
    case Qt::Key_F5: SaveView(SaveTitle()); return;
    case Qt::Key_F1:
        if (ctrl && m_pRender) {
            m_pRender->toggleHelp();
            return;
        }
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (m_pRender) {
            m_pRender->toggleClock();
            return;
        }
        break;
    case Qt::Key_Space:
        if (m_pRender) {
            m_pRender->singleStep();
            return;
        }
        break;
    default: break;
    }
    CDocView::keyPressEvent(event);
}

void C3DView::CopyPicture()
{
    const std::optional<ViewPictureInfo> info = PictureInfo();
    if (!m_pRender || !info)
        return;
    const QImage picture = m_pRender->picture();
    CopyViewPicture(*info, picture.size(), [&picture](QPainter& p) { p.drawImage(QPoint(0, 0), picture); });
}
