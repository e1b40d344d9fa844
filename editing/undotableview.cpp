#include "undotableview.h"

#include "ctablemodel.h"
#include "ctablemodeldor.h"

#include <QEvent>
#include <QShortcut>
#include <QUndoStack>

UndoTableView::UndoTableView(QWidget* parent)
    : QTableView(parent)
{
    viewport()->installEventFilter(this);
    auto* undo = new QShortcut(QKeySequence::Undo, this);
    undo->setContext(Qt::WidgetWithChildrenShortcut);
    connect(undo, &QShortcut::activated, this, &UndoTableView::undoStep);
    // Ctrl+Y redoes everywhere, as users of the Windows host know it; X11's own Redo key
    // (Ctrl+Shift+Z) works as well.
    QList<QKeySequence> redoKeys = QKeySequence::keyBindings(QKeySequence::Redo);
    const QKeySequence ctrlY(Qt::CTRL | Qt::Key_Y);
    if (!redoKeys.contains(ctrlY))
        redoKeys.append(ctrlY);
    for (const QKeySequence& keys : redoKeys) {
        auto* redo = new QShortcut(keys, this);
        redo->setContext(Qt::WidgetWithChildrenShortcut);
        connect(redo, &QShortcut::activated, this, &UndoTableView::redoStep);
    }
}

bool UndoTableView::eventFilter(QObject* object, QEvent* event)
{
    // A click into the cells focuses the view, so that its keys work right away.
    if (object == viewport() && event->type() == QEvent::FocusIn)
        setFocus(Qt::OtherFocusReason);
    return QTableView::eventFilter(object, event);
}

QUndoStack* UndoTableView::modelUndoStack() const
{
    if (auto* points = qobject_cast<CTableModel*>(model()))
        return points->undoStack();
    if (auto* amplitudes = qobject_cast<CTableModelDOR*>(model()))
        return amplitudes->undoStack();
    return nullptr;
}

void UndoTableView::undoStep()
{
    if (QUndoStack* stack = modelUndoStack()) {
        stack->undo();
        viewport()->repaint();
    }
}

void UndoTableView::redoStep()
{
    if (QUndoStack* stack = modelUndoStack()) {
        stack->redo();
        viewport()->repaint();
    }
}
