#pragma once
// The models' points as markers in the host scene, and the generation-area boxes that place
// them. Markers are numbered by row, then by point, as each row recorded what it published.

#include <ipointscene.h>
#include <tmodelitem.h>

#include <QString>

#include <vector>

class CListModel;
class QColor;
class QItemSelection;

namespace bridge {

class IWindowChannel;

// The marker of point `pointRow` of row `row`, after the markers of all earlier rows; -1 when that
// point has none.
int markerIndex(const std::vector<TModelItem>& rows, int row, int pointRow);

class CPointMarkers : public IPointScene {
public:
    CPointMarkers(CListModel& models, IWindowChannel& window);

    int markerIndex(int row, int pointRow) const;

    // Publishes the points of one model after all existing markers and hands it (when it has
    // points) to the 3-D view. Returns the number of markers published, the row's record.
    int publishModel(const TMtm& mtm, const TGenerationArea& area);

    // IPointScene
    bool hasRenderer() const override;
    void movePointInScene(int pointRow, double x, double y, double z) override;
    void refreshMarkers() override;
    void highlightPoint(int pointRow) override;

    // Moves row `row`'s box to its area and its markers with it.
    void followGenerationArea(int row);

    // Row `rowId` becomes current (`prevId` was, or -1): the previous row's markers are shown
    // again, its box un-highlighted, the new box highlighted. False without a renderer.
    bool selectModel(int rowId, int prevId);
    // Shows or hides all points of row `idx`. False without a renderer or for a bad row.
    bool changeModelVisibility(int idx, bool isVisible);

    // Point `idx` of the current row ticked or unticked; `currentTableRow` is the points table's
    // current row.
    void changePointVisibility(int idx, bool isVisible, int currentTableRow);
    // Highlights the newly selected points of the current row and shows the deselected ones.
    void changePointSelection(const QItemSelection& selected, const QItemSelection& deselected);
    // Whether a colour can be picked now: a renderer, a current row with points.
    bool canRecolour() const;
    // Gives the current model and its markers the colour (alpha 1); false when it cannot.
    bool recolourCurrentModel(const QColor& chosen);
    // The "Dot size" text as the markers' size; empty text or 0 changes nothing.
    void changePointSize(const QString& text);

private:
    void setPointState(int marker, int state) const;
    int currentRow() const;

    CListModel& models_;
    IWindowChannel& window_;
};

} // namespace bridge
