// A module window: an MDI child with the module's view and its dialog bar docked at the right.
// Resizable, with minimise and maximise boxes; its placement is kept in the module's layout slot.
#pragma once

#include "gui/document/ModuleWindows.h"

#include <QMdiSubWindow>

class CDocView;
class CResoniDoc;

class CModuleChildFrame : public QMdiSubWindow
{
    Q_OBJECT
public:
    // Takes ownership of view.
    CModuleChildFrame(CResoniDoc& doc, const ModuleInfo& info, CDocView* view);
    ~CModuleChildFrame() override;

    const ModuleInfo& info() const { return m_info; }
    CDocView* view() const { return m_pView; }
    QWidget* dialogBar() const { return m_pDialogBar; }
    // "Alle Captures löschen" is offered in this window.
    virtual bool CanClearCaptures() const { return false; }
    // The view's parameters into the application's settings (saving a profile); views also
    // store them themselves when they close.
    virtual void StoreSettings() {}
    // The window's place in its layout slot, in percent of the main window's usable client area.
    void RestorePlacement();
    void StorePlacement();

protected:
    CResoniDoc& m_doc;

private:
    const ModuleInfo& m_info;
    CDocView* m_pView;        // owned by the frame's widget tree
    QWidget* m_pDialogBar;    // owned by the frame's widget tree
};
