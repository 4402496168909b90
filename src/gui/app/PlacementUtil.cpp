#include "PlacementUtil.h"

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
