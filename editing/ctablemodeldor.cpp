#include "ctablemodeldor.h"

#include "amplitudetext.h"
#include "celltext.h"
#include "dorsetdatacommand.h"

#include <QUndoStack>

#include <cmath>
#include <limits>

namespace {

std::int32_t asCount(std::uint32_t count)
{
    return count > std::uint32_t(std::numeric_limits<std::int32_t>::max())
               ? std::numeric_limits<std::int32_t>::max()
               : std::int32_t(count);
}

// Whole degrees between labelled samples of an axis spanning `span` degrees; 0 for one sample.
int labelStep(std::int32_t count, double span)
{
    return count > 1 ? int(std::ceil(span / double(count - 1))) : 0;
}

} // namespace

CTableModelDOR::CTableModelDOR(std::shared_ptr<RcsGridShare> grids, QObject* parent)
    : QAbstractTableModel(parent)
    , undoStack_(new QUndoStack(this))
    , grids_(grids ? std::move(grids) : std::make_shared<RcsGridShare>())
{
}

CTableModelDOR::~CTableModelDOR()
{
    delete undoStack_;
    if (held_)
        grids_->release(rcs_);
}

int CTableModelDOR::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : countAz_;
}

int CTableModelDOR::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : countEl_;
}

bool CTableModelDOR::isCell(const QModelIndex& index) const
{
    return index.isValid() && rcs_ && index.row() >= 0 && index.row() < countAz_
           && index.column() >= 0 && index.column() < countEl_;
}

QVariant CTableModelDOR::data(const QModelIndex& index, int role) const
{
    if ((role != Qt::DisplayRole && role != Qt::EditRole) || !isCell(index))
        return {};
    const TRcsValue value = rcs_[index.row()][index.column()];
    return amplitudePartText(value.real()) + QStringLiteral("; ") + amplitudePartText(value.imag());
}

bool CTableModelDOR::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !isCell(index))
        return false;
    const QVariant current = data(index, Qt::DisplayRole);
    if (current == value)
        return false;
    const auto amplitude = amplitudeFromCellText(value.toString());
    if (!amplitude || !std::isfinite(amplitude->real()) || !std::isfinite(amplitude->imag()))
        return false;
    undoStack_->push(new DORSetDataCommand(this, index, current, value));
    return true;
}

QVariant CTableModelDOR::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return QString::number(qint64(section) * labelStep(countAz_, 360.0));
    return QString::number(qint64(double(section) * labelStep(countEl_, 180.0) - 90.0));
}

Qt::ItemFlags CTableModelDOR::flags(const QModelIndex& /*index*/) const
{
    return Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemIsEnabled;
}

void CTableModelDOR::setGrid(TRcsValue** rcs, std::uint32_t countAz, std::uint32_t countEl)
{
    // The points table re-selects its rows whenever the camera moves: showing the same grid again
    // keeps the table, its position and its history.
    if (rcs == rcs_ && (rcs ? asCount(countAz) : 0) == countAz_
        && (rcs ? asCount(countEl) : 0) == countEl_)
        return;
    undoStack_->clear();
    // A new grid is a new table: the views drop their indexes into the former one.
    beginResetModel();
    const bool held = grids_->retain(rcs);
    if (held_)
        grids_->release(rcs_);
    held_ = held;
    rcs_ = rcs;
    countAz_ = rcs ? asCount(countAz) : 0;
    countEl_ = rcs ? asCount(countEl) : 0;
    endResetModel();
}

bool CTableModelDOR::applyCell(const QModelIndex& index, const QVariant& value)
{
    if (!isCell(index))
        return false;
    // The old value of an undo step is the text the cell showed, which may hold "nan" from a file.
    const auto amplitude = amplitudeFromCellText(value.toString());
    if (!amplitude)
        return false;
    rcs_[index.row()][index.column()] = *amplitude;
    emit dataChanged(index, index, {});
    return true;
}
