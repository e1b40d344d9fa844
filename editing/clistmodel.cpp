#include "clistmodel.h"

#include <QColor>
#include <QFileInfo>

CListModel::CListModel(std::shared_ptr<RcsGridShare> grids, QObject* parent)
    : QAbstractListModel(parent)
    , grids_(grids ? std::move(grids) : std::make_shared<RcsGridShare>())
{
}

CListModel::~CListModel()
{
    for (const TModelItem& item : items_)
        releaseGrids(item.mtm);
}

int CListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(items_.size());
}

QVariant CListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() < 0 || index.row() >= int(items_.size()))
        return {};
    const TModelItem& item = items_[std::size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return QFileInfo(QString::fromLocal8Bit(item.name.c_str())).fileName();
    case Qt::ToolTipRole:
        return QString::fromLocal8Bit(item.name.c_str());
    case Qt::BackgroundRole:
        if (item.mtmPath.empty())
            return {};
        return QColor(int(item.mtm.color[0] * 255), int(item.mtm.color[1] * 255),
                      int(item.mtm.color[2] * 255), 128);
    case Qt::CheckStateRole:
        if (item.mtmPath.empty())
            return {};
        return item.mtm.hidden == 0 ? Qt::Checked : Qt::Unchecked;
    default:
        return {};
    }
}

bool CListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::CheckStateRole || index.row() >= int(items_.size()))
        return false;
    TModelItem& item = items_[std::size_t(index.row())];
    const bool visible = value == QVariant(int(Qt::Checked));
    item.mtm.hidden = visible ? 0 : 1;
    emit SignalChangeVisibleItem(index.row(), visible);
    emit dataChanged(index, index, {});
    return true;
}

Qt::ItemFlags CListModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return QAbstractItemModel::flags(index) | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable
           | Qt::ItemIsEnabled;
}

void CListModel::appendItem(const TModelItem& item)
{
    // Announced to the views, so that they never see a row count that changed behind their back.
    const int row = int(items_.size());
    beginInsertRows(QModelIndex(), row, row);
    items_.push_back(item);
    adoptGrids(item.mtm);
    endInsertRows();
}

void CListModel::replaceMtm(int row, const TMtm& mtm)
{
    if (row < 0 || row >= int(items_.size()))
        return;
    TMtm& target = items_[std::size_t(row)].mtm;
    adoptGrids(mtm);             // first, in case the new MTM shares grids with the old one
    releaseGrids(target);
    target = mtm;
    emit dataChanged(index(row), index(row), {});
}

void CListModel::clearItems()
{
    if (items_.empty())
        return;
    beginRemoveRows(QModelIndex(), 0, int(items_.size()) - 1);
    for (const TModelItem& item : items_)
        releaseGrids(item.mtm);
    std::vector<TModelItem>().swap(items_);
    endRemoveRows();
    emit layoutChanged();
}

void CListModel::adoptGrids(const TMtm& mtm)
{
    for (const TMtmPoint& point : mtm.points)
        grids_->adopt(point.rcs);
}

void CListModel::releaseGrids(const TMtm& mtm)
{
    for (const TMtmPoint& point : mtm.points)
        grids_->release(point.rcs);
}
