#pragma once
// A table view whose Undo and Redo keys act on its model's undo stack while it has the focus.

#include <QTableView>

class QUndoStack;

class UndoTableView : public QTableView {
    Q_OBJECT
public:
    explicit UndoTableView(QWidget* parent = nullptr);

    bool eventFilter(QObject* object, QEvent* event) override;

private:
    QUndoStack* modelUndoStack() const;
    void undoStep();
    void redoStep();
};
