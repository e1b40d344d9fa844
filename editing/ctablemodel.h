#pragma once
// The points table: the points of the current model, edited in place through an undo stack.

#include "rcsgridshare.h"

#include <tmtm.h>

#include <QAbstractTableModel>

#include <memory>
#include <vector>

class ICameraAngles;
class IHostLog;
class IPointScene;
class QUndoCommand;
class QUndoStack;

class CTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { ColumnVisible, ColumnX, ColumnY, ColumnZ, ColumnRcsReal, ColumnRcsImag,
                  ColumnCount };

    // `grids` counts the rows' grids; it must be the list of models' share.
    explicit CTableModel(std::shared_ptr<RcsGridShare> grids, QObject* parent = nullptr);
    ~CTableModel() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Borrows a row's points (null: no row); the undo history belongs to the old points and goes.
    void setPoints(std::vector<TMtmPoint>* points);
    std::vector<TMtmPoint>* points() const { return points_; }

    // Appends the point as one undo step; the step takes over the point's grid.
    void addPoint(const TMtmPoint& point);
    // Removes a point as one undo step; false for a row that does not exist.
    bool removePoint(int row);

    // Undo steps' primitives. insertPointAt stores a deep copy of `point`; removePointAt lets go of
    // the point's grid; copyPointAt returns a deep copy whose grid the caller owns. Rows out of
    // range and missing points change nothing.
    void insertPointAt(int row, const TMtmPoint& point);
    void removePointAt(int row);
    TMtmPoint copyPointAt(int row) const;
    bool applyCell(const QModelIndex& index, const QVariant& value);

    QUndoStack* undoStack() const { return undoStack_; }

    void setCameraAngles(const ICameraAngles* camera) { camera_ = camera; }
    void setPointScene(IPointScene* scene) { scene_ = scene; }
    void setHostLog(IHostLog* log) { log_ = log; }

signals:
    void SignalChangeVisibleItem(int row, bool isVisible);

private:
    // Pushes an addition or removal; its caller republishes the markers once it is done.
    void pushPointChange(QUndoCommand* command);
    // Points were inserted or removed: when that was an undo or redo, the markers of this row and
    // of every later one are renumbered.
    void pointCountChanged();
    const TMtmPoint* pointAt(const QModelIndex& index) const;
    QVariant amplitudeCell(const TMtmPoint& point, int column) const;
    void logInfo(const std::string& text) const;

    std::vector<TMtmPoint>* points_ = nullptr;
    QUndoStack* undoStack_ = nullptr;
    std::shared_ptr<RcsGridShare> grids_;
    const ICameraAngles* camera_ = nullptr;
    IPointScene* scene_ = nullptr;
    IHostLog* log_ = nullptr;
    bool pushingPointChange_ = false;
};
