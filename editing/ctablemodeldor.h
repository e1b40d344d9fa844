#pragma once
// The amplitude table: the whole grid of one point, azimuth rows by elevation columns.

#include "rcsgridshare.h"

#include <tmtm.h>

#include <QAbstractTableModel>

#include <cstdint>
#include <memory>

class QUndoStack;

class CTableModelDOR : public QAbstractTableModel {
    Q_OBJECT
public:
    // The shown grid, when it is a row's, is held in `grids`, so that it outlives a removal of its
    // point while shown.
    explicit CTableModelDOR(std::shared_ptr<RcsGridShare> grids, QObject* parent = nullptr);
    ~CTableModelDOR() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Shows a grid (null: none); the undo history of the former grid goes. The grid already shown
    // changes nothing.
    void setGrid(TRcsValue** rcs, std::uint32_t countAz, std::uint32_t countEl);
    bool applyCell(const QModelIndex& index, const QVariant& value);

    TRcsValue** grid() const { return rcs_; }
    QUndoStack* undoStack() const { return undoStack_; }

private:
    bool isCell(const QModelIndex& index) const;

    TRcsValue** rcs_ = nullptr;
    bool held_ = false;
    std::int32_t countAz_ = 0;
    std::int32_t countEl_ = 0;
    QUndoStack* undoStack_ = nullptr;
    std::shared_ptr<RcsGridShare> grids_;
};
