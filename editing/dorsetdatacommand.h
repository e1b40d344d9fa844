#pragma once
// The undo step of the amplitude table: one cell, old and new text.

#include <QModelIndex>
#include <QUndoCommand>
#include <QVariant>

class CTableModelDOR;

class DORSetDataCommand : public QUndoCommand {
public:
    DORSetDataCommand(CTableModelDOR* model, const QModelIndex& index, const QVariant& oldValue,
                      const QVariant& newValue);
    void undo() override;
    void redo() override;

private:
    CTableModelDOR* model_;
    QModelIndex index_;
    QVariant oldValue_;
    QVariant newValue_;
};
