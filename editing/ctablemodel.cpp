#include "ctablemodel.h"

#include "amplitudetext.h"
#include "cameragridindex.h"
#include "celltext.h"
#include "ctablemodelcommands.h"
#include "icameraangles.h"
#include "ihostlog.h"
#include "ipointscene.h"

#include <rcsgrid.h>

#include <QUndoStack>

#include <cmath>

namespace {

const char* const headers[CTableModel::ColumnCount] = {
    QT_TRANSLATE_NOOP("CTableModel", " "),
    QT_TRANSLATE_NOOP("CTableModel", "x"),
    QT_TRANSLATE_NOOP("CTableModel", "y"),
    QT_TRANSLATE_NOOP("CTableModel", "z"),
    QT_TRANSLATE_NOOP("CTableModel", "RCS val."),
    QT_TRANSLATE_NOOP("CTableModel", "RCS img."),
};

bool isHidden(const TMtmPoint& point) { return point.hidden == 1.0; }

} // namespace

CTableModel::CTableModel(std::shared_ptr<RcsGridShare> grids, QObject* parent)
    : QAbstractTableModel(parent)
    , undoStack_(new QUndoStack(this))
    , grids_(grids ? std::move(grids) : std::make_shared<RcsGridShare>())
{
}

CTableModel::~CTableModel()
{
    // The commands own grids of their own and go before the share does.
    delete undoStack_;
}

int CTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !points_ ? 0 : int(points_->size());
}

int CTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

const TMtmPoint* CTableModel::pointAt(const QModelIndex& index) const
{
    if (!index.isValid() || !points_ || index.row() < 0 || index.row() >= int(points_->size())
        || index.column() < 0 || index.column() >= ColumnCount)
        return nullptr;
    return &(*points_)[std::size_t(index.row())];
}

QVariant CTableModel::amplitudeCell(const TMtmPoint& point, int column) const
{
    int az = 0;
    int el = 0;
    if (camera_) {
        if (const auto direction = camera_->cameraDirection()) {
            az = cameraGridIndex(direction->azimuth, point.countAz, 360);
            el = cameraGridIndex(direction->elevation + 90.0, point.countEl, 180);
        }
    }
    // A point without a grid, or a direction it has no sample for, reads nothing.
    if (az < 0 || el < 0 || !point.rcs || std::uint32_t(az) >= point.countAz
        || std::uint32_t(el) >= point.countEl)
        return 0;
    const TRcsValue value = point.rcs[az][el];
    return amplitudePartText(column == ColumnRcsReal ? value.real() : value.imag());
}

QVariant CTableModel::data(const QModelIndex& index, int role) const
{
    const TMtmPoint* point = pointAt(index);
    if (!point)
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
    case Qt::ToolTipRole:
        switch (index.column()) {
        case ColumnX: return QString::number(point->x, 'f', 6);
        case ColumnY: return QString::number(point->y, 'f', 6);
        case ColumnZ: return QString::number(point->z, 'f', 6);
        case ColumnRcsReal:
        case ColumnRcsImag: return amplitudeCell(*point, index.column());
        default: return QString();
        }
    case Qt::CheckStateRole:
        if (index.column() != ColumnVisible)
            return {};
        return int(isHidden(*point) ? Qt::Unchecked : Qt::Checked);
    default:
        return {};
    }
}

bool CTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!pointAt(index))
        return false;
    const int column = index.column();
    QVariant current;
    if (role == Qt::CheckStateRole && column == ColumnVisible)
        current = data(index, Qt::CheckStateRole);
    else if (role == Qt::EditRole && column >= ColumnX && column <= ColumnZ)
        current = data(index, Qt::DisplayRole);
    else
        return false;
    // A coordinate that is no finite number would move the point and its marker to nowhere.
    if (role == Qt::EditRole) {
        const auto number = numberFromCellText(value.toString());
        if (!number || !std::isfinite(*number))
            return false;
    }
    if (current == value)
        return false;
    undoStack_->push(new TableModelSetDataCommand(this, index, current, value));
    return true;
}

QVariant CTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    if (section < 0 || section >= ColumnCount)
        return {};
    return tr(headers[section]);
}

Qt::ItemFlags CTableModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    switch (index.column()) {
    case ColumnVisible:
        return Qt::ItemIsSelectable | Qt::ItemIsUserCheckable | Qt::ItemIsEnabled;
    case ColumnX:
    case ColumnY:
    case ColumnZ:
        return Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemIsEnabled;
    default:
        return Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    }
}

void CTableModel::setPoints(std::vector<TMtmPoint>* points)
{
    beginResetModel();
    points_ = points;
    endResetModel();
    undoStack_->clear();
}

void CTableModel::addPoint(const TMtmPoint& point)
{
    logInfo("New point is added");
    pushPointChange(new AddPointCommand(this, point, rowCount()));
}

bool CTableModel::removePoint(int row)
{
    logInfo("Point in row " + std::to_string(row) + " is removed");
    if (!points_ || row < 0 || row >= int(points_->size()))
        return false;
    pushPointChange(new RemovePointCommand(this, row));
    return true;
}

void CTableModel::pushPointChange(QUndoCommand* command)
{
    pushingPointChange_ = true;
    undoStack_->push(command);
    pushingPointChange_ = false;
}

void CTableModel::pointCountChanged()
{
    if (!pushingPointChange_ && scene_ && scene_->hasRenderer())
        scene_->refreshMarkers();
}

void CTableModel::insertPointAt(int row, const TMtmPoint& point)
{
    if (!points_ || row < 0 || row > int(points_->size()))
        return;
    TMtmPoint copy = point;
    copy.rcs = point.rcs ? copyRcsGrid(point.rcs, point.countAz, point.countEl) : nullptr;
    grids_->adopt(copy.rcs);
    beginInsertRows(QModelIndex(), row, row);
    points_->insert(points_->begin() + row, copy);
    endInsertRows();
    pointCountChanged();
}

void CTableModel::removePointAt(int row)
{
    if (!points_ || row < 0 || row >= int(points_->size()))
        return;
    beginRemoveRows(QModelIndex(), row, row);
    TRcsValue** grid = (*points_)[std::size_t(row)].rcs;
    points_->erase(points_->begin() + row);
    grids_->release(grid);
    endRemoveRows();
    pointCountChanged();
}

TMtmPoint CTableModel::copyPointAt(int row) const
{
    if (!points_ || row < 0 || row >= int(points_->size()))
        return TMtmPoint{0.0, 0.0, 0.0, 0.0, {0.f, 0.f, 0.f, 0.f}, nullptr, 0, 0};
    TMtmPoint copy = (*points_)[std::size_t(row)];
    copy.rcs = copy.rcs ? copyRcsGrid(copy.rcs, copy.countAz, copy.countEl) : nullptr;
    return copy;
}

bool CTableModel::applyCell(const QModelIndex& index, const QVariant& value)
{
    // A stored index may outlive its row once points were added or removed.
    if (!pointAt(index) || index.column() > ColumnZ)
        return false;
    const int row = index.row();
    TMtmPoint& point = (*points_)[std::size_t(row)];
    switch (index.column()) {
    case ColumnVisible:
        if (value == QVariant(int(Qt::Checked))) {
            point.hidden = 0.0;
            emit SignalChangeVisibleItem(row, true);
        }
        if (value == QVariant(int(Qt::Unchecked))) {
            point.hidden = 1.0;
            emit SignalChangeVisibleItem(row, false);
        }
        break;
    default: {
        // The old value of an undo step is the text the cell showed, which may be "nan" from a file.
        const auto coordinate = numberFromCellText(value.toString());
        if (!coordinate)
            return false;
        (index.column() == ColumnX ? point.x : index.column() == ColumnY ? point.y : point.z) =
            *coordinate;
        if (scene_)
            scene_->movePointInScene(row, point.x, point.y, point.z);
        break;
    }
    }
    emit dataChanged(index, index, {});
    return true;
}

void CTableModel::logInfo(const std::string& text) const
{
    if (log_)
        log_->logInfo(text);
}
