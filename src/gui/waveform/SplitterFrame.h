// The waveform window "Uebersicht1": the overview pane above the waveform view, and a dialog bar
// on the right with the zoom sliders, the "Samples" counter and the envelope button. It is the
// document's own window and stays open for the whole run.
#pragma once

#include <QMdiSubWindow>

class CResoniDoc;
class CResoniOverView;
class CResoniView;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QSpinBox;
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
    QSlider* amplitudeSlider() const { return m_pAmplitudeZoom; }
    QSlider* horizontalSlider() const { return m_pHorizontalZoom; }
    QLineEdit* samplesField() const { return m_pSamples; }
    QPushButton* envelopeButton() const { return m_pEnvelope; }
    bool CanClearCaptures() const { return true; }
    // Its place in layout slot 1, in percent of the main window's usable client area.
    void RestorePlacement();
    void StorePlacement();
    // Selects the whole loaded file in the overview and the waveform view; the document
    // analyses it.
    void SelectWhole();
    // Lets the window close (at the end of the program); until then closing is refused.
    void AllowClose() { m_bAllowClose = true; }

    static const char* const kEnvelopeHint;
    // The overview's height for a client height: a sixth of it (truncated), but never less than
    // the overview needs to show its time axis, scroll bar and signal.
    static int OverviewHeight(int clientHeight); // the message of the envelope button without markers

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QWidget* CreateDialogBar(QWidget* parent);
    void OnEnvelope();

    CResoniDoc& m_doc;
    QSplitter* m_pSplitter;        // owned by the frame's widget tree, as are all controls
    CResoniOverView* m_pOverView;
    CResoniView* m_pView;
    QSlider* m_pAmplitudeZoom = nullptr;
    QSlider* m_pHorizontalZoom = nullptr;
    QLineEdit* m_pSamples = nullptr;
    QPushButton* m_pEnvelope = nullptr;
    bool m_bAllowClose = false;
    bool m_bSplitPlaced = false;   // the panes get their 1 : 5 split when first shown
};
