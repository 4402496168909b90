#include "PlacementUtil.h"

#include "core/profiles/ProfileLayout.h"

#include <QWidget>

void storePlacement(const QWidget& w, WindowPlacement& wp)
{
    const QRect r = (w.isMaximized() || w.isMinimized()) ? w.normalGeometry() : w.geometry();
    wp.showCmd = w.isMaximized() ? WindowPlacement::kShowMaximized
                                 : (w.isMinimized() ? WindowPlacement::kShowMinimized : WindowPlacement::kShowNormal);
    if (r.isValid()) {
        wp.left = r.left();
        wp.top = r.top();
        wp.right = r.left() + r.width();
        wp.bottom = r.top() + r.height();
    }
}

bool restorePlacement(QWidget& w, const WindowPlacement& wp)
{
    if (wp.right <= wp.left || wp.bottom <= wp.top)
        return false;
    w.setGeometry(wp.left, wp.top, wp.right - wp.left, wp.bottom - wp.top);
    return true;
}

void storeChildPlacement(const QWidget& w, WindowPlacement& wp, const QSize& area)
{
    if (area.width() <= 0 || area.height() <= 0)
        return;
    WindowPlacement pixels = wp;
    storePlacement(w, pixels);
    wp = PlacementToPercent(pixels, area.width(), area.height());
}

bool restoreChildPlacement(QWidget& w, const WindowPlacement& wp, const QSize& area)
{
    if (area.width() <= 0 || area.height() <= 0)
        return false;
    return restorePlacement(w, PlacementToPixels(wp, area.width(), area.height()));
}
