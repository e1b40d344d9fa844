#include "ctablemodelcommands.h"

#include "ctablemodel.h"

#include <rcsgrid.h>

AddPointCommand::AddPointCommand(CTableModel* model, const TMtmPoint& point, int row)
    : model_(model)
    , point_(point)
    , row_(row)
{
}

AddPointCommand::~AddPointCommand()
{
    releaseRcsGrid(point_.rcs);
}

void AddPointCommand::undo()
{
    model_->removePointAt(row_);
}

void AddPointCommand::redo()
{
    model_->insertPointAt(row_, point_);
}

RemovePointCommand::RemovePointCommand(CTableModel* model, int row)
    : model_(model)
    , point_(model->copyPointAt(row))
    , row_(row)
    , valid_(row >= 0 && row < model->rowCount())
{
}

RemovePointCommand::~RemovePointCommand()
{
    releaseRcsGrid(point_.rcs);
}

void RemovePointCommand::undo()
{
    if (valid_)
        model_->insertPointAt(row_, point_);
}

void RemovePointCommand::redo()
{
    if (valid_)
        model_->removePointAt(row_);
}

TableModelSetDataCommand::TableModelSetDataCommand(CTableModel* model, const QModelIndex& index,
                                                   const QVariant& oldValue,
                                                   const QVariant& newValue)
    : model_(model)
    , index_(index)
    , oldValue_(oldValue)
    , newValue_(newValue)
{
}

void TableModelSetDataCommand::undo()
{
    model_->applyCell(index_, oldValue_);
}

void TableModelSetDataCommand::redo()
{
    model_->applyCell(index_, newValue_);
}
