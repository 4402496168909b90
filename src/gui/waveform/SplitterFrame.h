// The waveform window "Uebersicht1": the overview pane above the waveform view. It is the
// document's own window and stays open for the whole run.
#pragma once

#include <QMdiSubWindow>

class CResoniDoc;
class CResoniOverView;
class CResoniView;
class QSplitter;

class CSplitterFrame : public QMdiSubWindow
{
    Q_OBJECT
public:
    static constexpr int kLayoutSlot = 1;

    explicit CSplitterFrame(CResoniDoc& doc);
    ~CSplitterFrame() override;

    CResoniOverView* overView() const { return m_pOverView; }
    CResoniView* waveView() const { return m_pView; }
    QSplitter* splitter() const { return m_pSplitter; }
    bool CanClearCaptures() const { return true; }
    // Its place in layout slot 1, in percent of the main window's usable client area.
    void RestorePlacement();
    void StorePlacement();
    // Lets the window close (at the end of the program); until then closing is refused.
    void AllowClose() { m_bAllowClose = true; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    CResoniDoc& m_doc;
    QSplitter* m_pSplitter;        // owned by the frame's widget tree, as are both panes
    CResoniOverView* m_pOverView;
    CResoniView* m_pView;
    bool m_bAllowClose = false;
};
