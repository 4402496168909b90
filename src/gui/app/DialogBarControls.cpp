#include "DialogBarControls.h"

#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QVBoxLayout>

namespace DialogBarControls {

QSpinBox* spin(int lo, int hi, QWidget* parent)
{
    auto* s = new QSpinBox(parent);
    s->setRange(lo, hi);
    s->setMaximumWidth(64);
    s->setKeyboardTracking(false);
    return s;
}

QVBoxLayout* beginScrollingColumn(QWidget* dialogBar)
{
    auto* outer = new QVBoxLayout(dialogBar);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* scroll = new QScrollArea(dialogBar);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    outer->addWidget(scroll);
    auto* bar = new QWidget(scroll);
    auto* column = new QVBoxLayout(bar);
    column->setContentsMargins(4, 4, 4, 4);
    column->setSpacing(4);
    return column;
}

void finishScrollingColumn(QVBoxLayout* column)
{
    QWidget* bar = column->parentWidget();
    auto* scroll = qobject_cast<QScrollArea*>(bar->parentWidget());
    scroll->setWidget(bar);
    scroll->setMinimumWidth(bar->sizeHint().width() + scroll->verticalScrollBar()->sizeHint().width());
}

} // namespace DialogBarControls
