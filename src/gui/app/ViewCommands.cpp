#include "ViewCommands.h"

#include "ModuleChildFrame.h"
#include "ResoniApp.h"
#include "UiDialogs.h"

#include "gui/document/DocView.h"
#include "gui/document/ResoniDoc.h"
#include "gui/presentation/HelpDirectory.h"
#include "gui/presentation/HelpWindow.h"
#include "gui/presentation/ViewPictures.h"
#include "gui/render3d/ThreeDView.h"
#include "gui/waveform/ResoniView.h"
#include "gui/waveform/SplitterFrame.h"

#include <QMdiArea>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

CViewCommands::CViewCommands(CResoniApp& app, QMdiArea& area) : m_app(app), m_area(area) {}

CViewCommands::~CViewCommands() = default;

bool CViewCommands::Handles(CommandId id)
{
    switch (id) {
    case CommandId::FileSaveWindow: case CommandId::EditCopy: case CommandId::FilePrint:
    case CommandId::FilePrintPreview: case CommandId::FilePrintSetup: case CommandId::HelpFinder:
    case CommandId::HelpIndex: case CommandId::KeyHelp3D: case CommandId::Device3D:
    case CommandId::SaveSonoPicture: case CommandId::SaveFFTPicture: case CommandId::SaveRekoPicture:
        return true;
    default: return false;
    }
}

CDocView* CViewCommands::ActiveView() const
{
    QMdiSubWindow* active = m_area.activeSubWindow();
    if (auto* module = qobject_cast<CModuleChildFrame*>(active))
        return module->view();
    if (auto* wave = qobject_cast<CSplitterFrame*>(active))
        return wave->waveView();
    return nullptr;
}

CDocView* CViewCommands::WaveView() const
{
    return qobject_cast<CSplitterFrame*>(m_area.activeSubWindow()) ? ActiveView() : nullptr;
}

namespace {

CDocView* ModuleView(CResoniApp& app, Module module)
{
    CResoniDoc* doc = app.doc();
    CModuleChildFrame* frame = doc ? doc->moduleFrame(module) : nullptr;
    return frame ? frame->view() : nullptr;
}

std::optional<Module> PictureKeyModule(CommandId id)
{
    switch (id) {
    case CommandId::SaveSonoPicture: return Module::Sono;
    case CommandId::SaveFFTPicture: return Module::FFT;
    case CommandId::SaveRekoPicture: return Module::Reko;
    default: return std::nullopt;
    }
}

} // namespace

bool CViewCommands::Enabled(CommandId id) const
{
    CDocView* view = ActiveView();
    switch (id) {
    case CommandId::FileSaveWindow: case CommandId::EditCopy:
        return view && view->PictureInfo().has_value();
    case CommandId::FilePrint: case CommandId::FilePrintPreview: return WaveView() != nullptr;
    case CommandId::FilePrintSetup: case CommandId::HelpFinder: case CommandId::HelpIndex: return true;
    case CommandId::KeyHelp3D: case CommandId::Device3D:
        return qobject_cast<C3DView*>(view) && static_cast<C3DView*>(view)->renderWindow();
    default:
        // Asked while windows come and go (a window being destroyed is not looked into).
        if (const std::optional<Module> m = PictureKeyModule(id))
            return m_app.doc() && m_app.doc()->IsModuleOpen(*m);
        return false;
    }
}

void CViewCommands::Execute(CommandId id)
{
    if (!Enabled(id))
        return;
    CDocView* view = ActiveView();
    switch (id) {
    case CommandId::FileSaveWindow: view->SavePicture(); break;
    case CommandId::EditCopy: view->CopyPicture(); break;
    case CommandId::FilePrint: Print(false); break;
    case CommandId::FilePrintPreview: Print(true); break;
    case CommandId::FilePrintSetup: {
        QPageSetupDialog dialog(&printer(), m_area.window());
        m_app.dialogs().execDialog(dialog);
        break;
    }
    case CommandId::HelpFinder: Help().ShowContents(); break;
    case CommandId::HelpIndex: Help().ShowIndex(); break;
    case CommandId::KeyHelp3D: static_cast<C3DView*>(view)->renderWindow()->toggleHelp(); break;
    case CommandId::Device3D: static_cast<C3DView*>(view)->ShowDeviceDialog(); break;
    default:
        if (const std::optional<Module> m = PictureKeyModule(id))
            ModuleView(m_app, *m)->SavePicture();
        break;
    }
}

void CViewCommands::HelpKey()
{
    const CDocView* view = ActiveView();
    const QString topic = view ? view->HelpTopic() : QString();
    if (topic.isEmpty())
        Help().ShowContents();
    else
        Help().ShowTopic(topic);
}

QPrinter& CViewCommands::printer()
{
    if (!m_pPrinter)
        m_pPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_pPrinter;
}

CHelpWindow& CViewCommands::Help()
{
    if (!m_pHelp)
        m_pHelp = std::make_unique<CHelpWindow>(HelpDirectory());
    return *m_pHelp;
}

void CViewCommands::Print(bool bPreview)
{
    CDocView* view = WaveView();
    if (!view)
        return;
    const auto paint = [view](QPainter& p) { view->DrawPicture(p, false); };
    if (bPreview) {
        QPrintPreviewDialog preview(&printer(), m_area.window());
        QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                         [view, paint](QPrinter* p) { PrintViewPicture(*p, view->size(), paint); });
        m_app.dialogs().execDialog(preview);
        return;
    }
    QPrintDialog dialog(&printer(), m_area.window());
    if (m_app.dialogs().execDialog(dialog) != QDialog::Accepted)
        return;
    if (!PrintViewPicture(printer(), view->size(), paint))
        m_app.dialogs().messageBox(QStringLiteral("Das Drucken ist misslungen (Drucker „%1“).")
                                       .arg(printer().outputFileName().isEmpty() ? printer().printerName()
                                                                                 : printer().outputFileName()));
}
