#pragma once
// The list of models: owns every loaded model, one TModelItem per row, in row order.

#include "rcsgridshare.h"
#include "tmodelitem.h"

#include <QAbstractListModel>

#include <memory>
#include <vector>

class CListModel : public QAbstractListModel {
    Q_OBJECT
public:
    // The rows' grids are counted in `grids`, shared with the tables that borrow them; a list made
    // without one keeps its own.
    explicit CListModel(std::shared_ptr<RcsGridShare> grids = nullptr, QObject* parent = nullptr);
    ~CListModel() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Copies the item to the end; the new row becomes a holder of the item's grids.
    void appendItem(const TModelItem& item);
    // Gives a row a new MTM (a fresh read or a finished generation): the row lets go of the old
    // grids and holds the new ones.
    void replaceMtm(int row, const TMtm& mtm);
    void clearItems();

    // Rows for reading and for editing in place. Points added or removed here must go through
    // the share (adopt / release), as the points table does.
    std::vector<TModelItem>& items() { return items_; }
    const std::vector<TModelItem>& items() const { return items_; }

    const std::shared_ptr<RcsGridShare>& gridShare() const { return grids_; }

signals:
    void SignalChangeVisibleItem(int row, bool visible);

private:
    void adoptGrids(const TMtm& mtm);
    void releaseGrids(const TMtm& mtm);

    std::vector<TModelItem> items_;
    std::shared_ptr<RcsGridShare> grids_;
};
