#include "custommenubar.h"

#include <QEvent>

CustomMenuBar::CustomMenuBar(QWidget* parent)
    : QMenuBar(parent)
{
}

bool CustomMenuBar::event(QEvent* event)
{
    if (event->type() == QEvent::StatusTip)
        return true;
    return QMenuBar::event(event);
}
