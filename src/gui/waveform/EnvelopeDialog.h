// The modeless dialog "Hüllkurve" of the envelope editor: a picture field and the buttons of the
// editor. It only shows pictures and reports the user's actions; the waveform view that owns
// it does the work.
#pragma once

#include "core/waveform/EnvelopeEditor.h"

#include <QDialog>

class QLabel;
class QPushButton;

class CEnvelopeDialog : public QDialog
{
    Q_OBJECT
public:
    // The picture field in pixels: 327 × 240 dialog units with the standard dialog font.
    static constexpr int kFieldWidth = 490;
    static constexpr int kFieldHeight = 390;

    explicit CEnvelopeDialog(QWidget* parent = nullptr);

    // Shows a picture in the field, scaled from the view's W × H to the field.
    void ShowPicture(const EnvelopePicture& picture);
    // A position in the field as a point of the view: (trunc(W·x/field width), trunc(H·y/field height)).
    PlotPoint ViewPoint(QPoint fieldPos) const;

    QLabel* field() const { return m_pField; }
    QPushButton* button(const QString& text) const;

signals:
    void clearAndClose();
    void optimise();
    void drawCurve();
    void savePicture();
    void copyPicture();
    void copyData();
    void leftClick(PlotPoint viewPoint);
    void rightClick(PlotPoint viewPoint);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* m_pField;
    EnvelopePicture m_picture;
};
