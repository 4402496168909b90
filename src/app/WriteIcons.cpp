// resoni-icons OUTDIR: writes the program icon for the desktop's icon theme, drawn by the same
// routine as the windows' icon: OUTDIR/<n>x<n>/apps/resoni.png for every size and
// OUTDIR/scalable/apps/resoni.svg. The build runs it; it is not installed.
#include "gui/app/ToolbarIcons.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

#include <cstdio>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: resoni-icons OUTDIR\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    for (int side : ToolbarIcons::kProgramIconSizes) {
        const QString dir = out.filePath(QStringLiteral("%1x%1/apps").arg(side));
        QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        ToolbarIcons::paintProgramIcon(p, side);
        p.end();
        if (!QDir().mkpath(dir) || !image.save(dir + QStringLiteral("/resoni.png"))) {
            std::fprintf(stderr, "resoni-icons: cannot write %s\n", qPrintable(dir));
            return 1;
        }
    }
    const QString svgDir = out.filePath(QStringLiteral("scalable/apps"));
    QDir().mkpath(svgDir);
    QSvgGenerator svg;
    svg.setFileName(svgDir + QStringLiteral("/resoni.svg"));
    svg.setSize(QSize(256, 256));
    svg.setViewBox(QRect(0, 0, 256, 256));
    svg.setTitle(QStringLiteral("Resoni"));
    QPainter p;
    if (!p.begin(&svg)) {
        std::fprintf(stderr, "resoni-icons: cannot write %s\n", qPrintable(svg.fileName()));
        return 1;
    }
    ToolbarIcons::paintProgramIcon(p, 256);
    p.end();
    return 0;
}
