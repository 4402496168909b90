#include "ToolbarIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace ToolbarIcons {
namespace {

const QColor kInk(30, 30, 30);
const QColor kBlue(0, 70, 200);
const QColor kRed(210, 20, 20);
const QColor kGreen(0, 150, 40);

// A short sine-like wave through the box, used by several pictures.
void wave(QPainter& p, const QRectF& box, const QColor& c)
{
    QPainterPath path;
    path.moveTo(box.left(), box.center().y());
    path.cubicTo(box.left() + box.width() * 0.25, box.top(), box.left() + box.width() * 0.25, box.top(),
                 box.center().x(), box.center().y());
    path.cubicTo(box.left() + box.width() * 0.75, box.bottom(), box.left() + box.width() * 0.75, box.bottom(),
                 box.right(), box.center().y());
    p.setPen(QPen(c, 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

void bars(QPainter& p, const QColor& c)
{
    const int heights[] = {4, 11, 7, 13, 5, 9};
    for (int i = 0; i < 6; ++i)
        p.fillRect(QRect(1 + i * 2 + i / 2, 15 - heights[i], 2, heights[i]), c);
}

void letters(QPainter& p, const QString& text, const QColor& c)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(text.size() > 2 ? 6 : 8);
    f.setBold(true);
    p.setFont(f);
    p.setPen(c);
    p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, text);
}

void draw(QPainter& p, CommandId id)
{
    switch (id) {
    case CommandId::FileOpenWave:
        p.fillRect(QRect(1, 4, 14, 10), QColor(240, 200, 80));
        p.setPen(kInk);
        p.drawRect(QRect(1, 4, 13, 10));
        wave(p, QRectF(3, 6, 10, 6), kBlue);
        break;
    case CommandId::FileOpenSeries:
        p.fillRect(QRect(3, 1, 10, 14), Qt::white);
        p.setPen(kInk);
        p.drawRect(QRect(3, 1, 9, 13));
        for (int y = 4; y < 13; y += 2)
            p.drawLine(5, y, 10, y);
        break;
    case CommandId::FileSaveWindow:
        p.fillRect(QRect(1, 1, 14, 14), kBlue);
        p.fillRect(QRect(4, 2, 8, 5), Qt::white);
        p.fillRect(QRect(4, 10, 8, 5), QColor(200, 200, 200));
        break;
    case CommandId::EditCopy:
        p.setPen(kInk);
        p.setBrush(Qt::white);
        p.drawRect(QRect(1, 1, 8, 10));
        p.drawRect(QRect(6, 5, 8, 10));
        break;
    case CommandId::FilePrint:
        p.setPen(kInk);
        p.setBrush(QColor(200, 200, 200));
        p.drawRect(QRect(1, 6, 13, 6));
        p.setBrush(Qt::white);
        p.drawRect(QRect(4, 1, 7, 5));
        p.drawRect(QRect(4, 10, 7, 5));
        break;
    case CommandId::Record:
        p.setPen(Qt::NoPen);
        p.setBrush(kRed);
        p.drawEllipse(QRect(3, 3, 10, 10));
        break;
    case CommandId::RecordStop:
        p.fillRect(QRect(3, 3, 10, 10), kRed.darker(150));
        p.fillRect(QRect(6, 6, 4, 4), Qt::white);
        break;
    case CommandId::PlayWave:
        p.setPen(Qt::NoPen);
        p.setBrush(kGreen);
        p.drawPolygon(QPolygon({QPoint(4, 2), QPoint(13, 8), QPoint(4, 14)}));
        break;
    case CommandId::LoopPlay:
        p.setPen(QPen(kGreen, 2));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRect(2, 3, 12, 10), 30 * 16, 300 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(kGreen);
        p.drawPolygon(QPolygon({QPoint(11, 1), QPoint(15, 5), QPoint(10, 6)}));
        break;
    case CommandId::StopPlay: p.fillRect(QRect(3, 3, 10, 10), kInk); break;
    case CommandId::RemoveWave:
        wave(p, QRectF(1, 3, 14, 10), kBlue);
        p.setPen(QPen(kRed, 2));
        p.drawLine(3, 3, 13, 13);
        p.drawLine(13, 3, 3, 13);
        break;
    case CommandId::FFTSettings: bars(p, kBlue); letters(p, QStringLiteral("N"), kRed); break;
    case CommandId::WaveFormat: letters(p, QStringLiteral("Hz"), kInk); break;
    case CommandId::ToolListen:
        p.setPen(QPen(kInk, 1.2));
        p.setBrush(QColor(160, 160, 160));
        p.drawRoundedRect(QRectF(5, 1, 6, 9), 3, 3);
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRect(3, 4, 10, 9), 180 * 16, 180 * 16);
        p.drawLine(8, 13, 8, 15);
        break;
    case CommandId::Mixer:
        p.setPen(kInk);
        for (int x : {3, 8, 13})
            p.drawLine(x, 1, x, 15);
        p.fillRect(QRect(1, 9, 5, 3), kBlue);
        p.fillRect(QRect(6, 4, 5, 3), kBlue);
        p.fillRect(QRect(11, 11, 5, 3), kBlue);
        break;
    case CommandId::ViewZeitreihe: wave(p, QRectF(0, 2, 16, 12), kBlue); break;
    case CommandId::ViewFFT: bars(p, kGreen); break;
    case CommandId::View3DFFT: bars(p, kRed); letters(p, QStringLiteral("3D"), kInk); break;
    case CommandId::ViewNotenbild:
        p.setPen(kInk);
        for (int y = 4; y <= 12; y += 2)
            p.drawLine(0, y, 15, y);
        p.setBrush(kInk);
        p.drawEllipse(QRect(4, 8, 5, 4));
        p.drawLine(8, 10, 8, 1);
        break;
    case CommandId::ViewSono:
        for (int x = 0; x < 16; x += 2)
            for (int y = 0; y < 16; y += 2)
                p.fillRect(QRect(x, y, 2, 2), QColor::fromHsv((x * 13 + y * 7) % 240, 220, 200 + (x + y) % 50));
        break;
    case CommandId::ViewWavelet:
        for (int i = 0; i < 4; ++i)
            wave(p, QRectF(4 - i, 1 + i * 3.5, 8 + 2 * i, 3), QColor(40 * i, 60, 220 - 40 * i));
        break;
    case CommandId::ViewReko:
        p.setPen(QPen(kBlue, 1));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRect(1, 3, 14, 10));
        p.drawEllipse(QRect(4, 1, 8, 14));
        break;
    case CommandId::ViewAnalyse: letters(p, QStringLiteral("λ"), kInk); break;
    case CommandId::HelpFinder:
        p.setPen(Qt::NoPen);
        p.setBrush(kBlue);
        p.drawEllipse(QRect(1, 1, 14, 14));
        letters(p, QStringLiteral("?"), Qt::white);
        break;
    default: break;
    }
}

} // namespace

QIcon icon(CommandId id)
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    {
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        draw(p, id);
    }
    return QIcon(pm);
}

void paintProgramIcon(QPainter& p, qreal side)
{
    // Drawn on a 32 x 32 grid: a blue rounded square with a white wave.
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(side / 32.0, side / 32.0);
    p.setBrush(QColor(0, 70, 200));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(0, 0, 32, 32), 6, 6);
    p.scale(2, 2);
    wave(p, QRectF(1, 3, 14, 10), Qt::white);
    p.restore();
}

QIcon programIcon()
{
    QIcon icon;
    for (int side : kProgramIconSizes) {
        QPixmap pm(side, side);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        paintProgramIcon(p, side);
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}

} // namespace ToolbarIcons
