#include "EnvelopeDialog.h"

#include "EnvelopePaint.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

CEnvelopeDialog::CEnvelopeDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CEnvelopeDialog"));
    setWindowTitle(QString::fromUtf8("Hüllkurve"));
    setModal(false);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(10, 11, 10, 11);
    m_pField = new QLabel(this);
    m_pField->setObjectName(QStringLiteral("Picture"));
    m_pField->setFixedSize(kFieldWidth, kFieldHeight);
    m_pField->setFrameShape(QFrame::Box);
    m_pField->setLineWidth(0);
    m_pField->installEventFilter(this);
    layout->addWidget(m_pField, 0, Qt::AlignTop);

    auto* column = new QVBoxLayout;
    layout->addLayout(column);
    struct ButtonText
    {
        const char* text;
        void (CEnvelopeDialog::*signal)();
    };
    static const ButtonText kButtons[] = {
        {"Punkte löschen und Fenster schließen", &CEnvelopeDialog::clearAndClose},
        {"Optimiere Punktmenge", &CEnvelopeDialog::optimise},
        {"Zeichne Hüllkurve", &CEnvelopeDialog::drawCurve},
        {"Ansicht speichern", &CEnvelopeDialog::savePicture},
        {"Kopie in die Zwischenablage", &CEnvelopeDialog::copyPicture},
        {"Daten kopieren", &CEnvelopeDialog::copyData},
    };
    for (const ButtonText& b : kButtons) {
        auto* button = new QPushButton(QString::fromUtf8(b.text), this);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, b.signal);
        column->addWidget(button);
    }
    button(QString::fromUtf8(kButtons[0].text))->setDefault(true);
    auto* hint = new QLabel(QString::fromUtf8("\nBei aktivierter Hüllkurve können die roten Stützpunkte mit der rechten "
                                              "Maus-\ntaste entfernt und neue mit der linken Maustaste hinzuge-\n"
                                              "fügt werden."),
                            this);
    column->addWidget(hint);
    column->addStretch(1);
}

QPushButton* CEnvelopeDialog::button(const QString& text) const
{
    for (QPushButton* b : findChildren<QPushButton*>())
        if (b->text() == text)
            return b;
    return nullptr;
}

void CEnvelopeDialog::ShowPicture(const EnvelopePicture& picture)
{
    m_picture = picture;
    QPixmap pixmap(kFieldWidth, kFieldHeight);
    pixmap.fill(Qt::white);
    if (picture.width > 0 && picture.height > 0) {
        QPainter painter(&pixmap);
        painter.scale(static_cast<double>(kFieldWidth) / picture.width,
                      static_cast<double>(kFieldHeight) / picture.height);
        EnvelopePaint::paint(painter, picture);
    }
    m_pField->setPixmap(pixmap);
}

PlotPoint CEnvelopeDialog::ViewPoint(QPoint pos) const
{
    return {static_cast<int>(static_cast<long long>(m_picture.width) * pos.x() / kFieldWidth),
            static_cast<int>(static_cast<long long>(m_picture.height) * pos.y() / kFieldHeight)};
}

bool CEnvelopeDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_pField && event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const PlotPoint p = ViewPoint(mouse->position().toPoint());
        if (mouse->button() == Qt::LeftButton)
            emit leftClick(p);
        else if (mouse->button() == Qt::RightButton)
            emit rightClick(p);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
