#include "dorsetdatacommand.h"

#include "ctablemodeldor.h"

DORSetDataCommand::DORSetDataCommand(CTableModelDOR* model, const QModelIndex& index,
                                     const QVariant& oldValue, const QVariant& newValue)
    : model_(model)
    , index_(index)
    , oldValue_(oldValue)
    , newValue_(newValue)
{
}

void DORSetDataCommand::undo()
{
    model_->applyCell(index_, oldValue_);
}

void DORSetDataCommand::redo()
{
    model_->applyCell(index_, newValue_);
}
