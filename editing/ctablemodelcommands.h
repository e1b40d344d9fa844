#pragma once
// The undo steps of the points table. Each command that stores a point owns that point's grid.

#include <tmtm.h>

#include <QModelIndex>
#include <QUndoCommand>
#include <QVariant>

class CTableModel;

// Appends a point: redo inserts a copy of the stored point, undo removes it again.
class AddPointCommand : public QUndoCommand {
public:
    // Takes over `point`'s grid.
    AddPointCommand(CTableModel* model, const TMtmPoint& point, int row);
    ~AddPointCommand() override;
    void undo() override;
    void redo() override;

private:
    CTableModel* model_;
    TMtmPoint point_;
    int row_;
};

// Removes a point: keeps a copy of it, so that undo puts it back at its row.
class RemovePointCommand : public QUndoCommand {
public:
    RemovePointCommand(CTableModel* model, int row);
    ~RemovePointCommand() override;
    void undo() override;
    void redo() override;

private:
    CTableModel* model_;
    TMtmPoint point_;
    int row_;
    bool valid_;
};

// Changes one cell; the old value is the text the cell showed.
class TableModelSetDataCommand : public QUndoCommand {
public:
    TableModelSetDataCommand(CTableModel* model, const QModelIndex& index, const QVariant& oldValue,
                             const QVariant& newValue);
    void undo() override;
    void redo() override;

private:
    CTableModel* model_;
    QModelIndex index_;
    QVariant oldValue_;
    QVariant newValue_;
};
