#pragma once
// The points table's view: reports selection changes and refreshes itself when the camera moves.

#include "undotableview.h"

#include <QItemSelection>

class CTableView : public UndoTableView {
    Q_OBJECT
public:
    explicit CTableView(QWidget* parent = nullptr);

signals:
    void SignalSelectionChanged(const QItemSelection& selected, const QItemSelection& deselected);

public slots:
    // Redraws every cell (the amplitude columns follow the camera) and keeps the selection; an
    // open editor is left alone.
    void SetFocuss();

protected slots:
    void selectionChanged(const QItemSelection& selected,
                          const QItemSelection& deselected) override;
};
