#include "cpointmarkers.h"

#include "bridgestate.h"
#include "iwindowchannel.h"

#include <clistmodel.h>

#include <QColor>
#include <QItemSelection>

namespace bridge {

namespace {

hostsdk::IKalmenoRender* renderer()
{
    return bridgeState().render.load();
}

bool validRow(const std::vector<TModelItem>& rows, int row)
{
    return row >= 0 && static_cast<std::size_t>(row) < rows.size();
}

} // namespace

int markerIndex(const std::vector<TModelItem>& rows, int row, int pointRow)
{
    if (!validRow(rows, row) || pointRow < 0 || pointRow >= rows[static_cast<std::size_t>(row)].publishedMarkers)
        return -1;
    int index = 0;
    for (int r = 0; r < row; ++r)
        index += rows[static_cast<std::size_t>(r)].publishedMarkers;
    return index + pointRow;
}

CPointMarkers::CPointMarkers(CListModel& models, IWindowChannel& window) : models_(models), window_(window)
{
}

int CPointMarkers::markerIndex(int row, int pointRow) const
{
    return bridge::markerIndex(models_.items(), row, pointRow);
}

int CPointMarkers::currentRow() const
{
    const int row = window_.currentModelRow();
    return validRow(models_.items(), row) ? row : -1;
}

void CPointMarkers::setPointState(int marker, int state) const
{
    auto* render = renderer();
    if (render && marker >= 0)
        render->SetPointState(marker, state);
}

bool CPointMarkers::hasRenderer() const
{
    return renderer() != nullptr;
}

int CPointMarkers::publishModel(const TMtm& mtm, const TGenerationArea& area)
{
    auto& state = bridgeState();
    auto* render = state.render.load();
    auto* converter = state.converter.load();
    if (!state.engineReady || !render || !converter)
        return 0;
    // The converter's answer decides whether the area is usable; the position itself is not needed.
    double x = 0.0, y = 0.0, z = 0.0;
    hostsdk::VARIANT_BOOL ok = hostsdk::VARIANT_FALSE;
    converter->LlaToXyz(area.lat, area.lon, area.alt, &x, &y, &z, hostsdk::VARIANT_TRUE, &ok);
    if (!hostsdk::fromVariantBool(ok))
        return 0;
    const std::int32_t boxId = area.boxId;
    for (const auto& point : mtm.points) {
        hostsdk::TRenderPoint marker{};
        render->BoxToScene(boxId, point.x, point.y, point.z, &marker.x, &marker.y, &marker.z);
        marker.hidden = point.hidden;
        for (int k = 0; k < 4; ++k)
            marker.color[k] = point.color[k];
        std::int32_t index = 0;
        render->AddPoint(&marker, &index);
    }
    // A model without points has no pattern to compute.
    if (!mtm.points.empty())
        window_.storePattern(mtm);
    return static_cast<int>(mtm.points.size());
}

void CPointMarkers::refreshMarkers()
{
    auto* render = renderer();
    if (!render)
        return;
    render->ClearPoints();
    for (auto& row : models_.items())
        row.publishedMarkers = publishModel(row.mtm, row.area);
}

void CPointMarkers::movePointInScene(int pointRow, double x, double y, double z)
{
    auto* render = renderer();
    const int row = currentRow();
    const int marker = markerIndex(row, pointRow);
    if (!render || marker < 0)
        return;
    double scene[3] = {0.0, 0.0, 0.0};
    render->BoxToScene(models_.items()[static_cast<std::size_t>(row)].area.boxId, x, y, z, &scene[0],
                       &scene[1], &scene[2]);
    render->SetPointPosition(marker, scene);
}

void CPointMarkers::highlightPoint(int pointRow)
{
    setPointState(markerIndex(currentRow(), pointRow), hostsdk::kStateHighlighted);
}

void CPointMarkers::followGenerationArea(int row)
{
    auto* render = renderer();
    if (!render || !validRow(models_.items(), row))
        return;
    const TModelItem& item = models_.items()[static_cast<std::size_t>(row)];
    const TGenerationArea area = item.area;
    const double position[3] = {area.lat, area.lon, area.alt};
    const double angles[3] = {area.yaw, area.pitch, area.roll};
    const double size[3] = {area.sizeX, area.sizeY, area.sizeZ};
    render->SetBoxGeometry(area.boxId, position, angles, size);
    const int first = markerIndex(row, 0);
    for (std::size_t i = 0; i < static_cast<std::size_t>(item.publishedMarkers); ++i) {
        const TMtmPoint& point = item.mtm.points[i];
        double scene[3] = {0.0, 0.0, 0.0};
        render->BoxToScene(area.boxId, point.x, point.y, point.z, &scene[0], &scene[1], &scene[2]);
        render->SetPointPosition(first + static_cast<int>(i), scene);
    }
}

bool CPointMarkers::selectModel(int rowId, int prevId)
{
    auto* render = renderer();
    auto& rows = models_.items();
    if (!render)
        return false;
    const bool boxesVisible = window_.boxesVisible();
    if (validRow(rows, prevId)) {
        const TModelItem& previous = rows[static_cast<std::size_t>(prevId)];
        if (previous.mtm.hidden != 1) {
            const int first = markerIndex(prevId, 0);
            for (int k = 0; k < previous.publishedMarkers; ++k)
                render->SetPointState(first + k, hostsdk::kStateShown);
        }
        if (boxesVisible)
            render->SetBoxState(previous.area.boxId, hostsdk::kStateShown);
    }
    if (!validRow(rows, rowId)) {
        bridgeState().currentRowBoxId = -1;
        return true;
    }
    const std::int32_t boxId = rows[static_cast<std::size_t>(rowId)].area.boxId;
    bridgeState().currentRowBoxId = boxId;
    if (boxesVisible)
        render->SetBoxState(boxId, hostsdk::kStateHighlighted);
    return true;
}

bool CPointMarkers::changeModelVisibility(int idx, bool isVisible)
{
    auto* render = renderer();
    auto& rows = models_.items();
    if (!render || !validRow(rows, idx))
        return false;
    TModelItem& row = rows[static_cast<std::size_t>(idx)];
    row.mtm.hidden = isVisible ? 0 : 1;
    for (auto& point : row.mtm.points)
        point.hidden = isVisible ? 0.0 : 1.0;
    const int first = markerIndex(idx, 0);
    for (int k = 0; k < row.publishedMarkers; ++k)
        render->SetPointState(first + k, isVisible ? hostsdk::kStateShown : hostsdk::kStateHidden);
    return true;
}

void CPointMarkers::changePointVisibility(int idx, bool isVisible, int currentTableRow)
{
    const int marker = markerIndex(currentRow(), idx);
    if (!renderer() || marker < 0)
        return;
    setPointState(marker, isVisible ? hostsdk::kStateShown : hostsdk::kStateHidden);
    if (isVisible && idx == currentTableRow)
        setPointState(marker, hostsdk::kStateHighlighted);
}

void CPointMarkers::changePointSelection(const QItemSelection& selected, const QItemSelection& deselected)
{
    const int row = currentRow();
    if (row < 0 || models_.items()[static_cast<std::size_t>(row)].mtm.hidden == 1)
        return;
    for (const QModelIndex& index : selected.indexes())
        setPointState(markerIndex(row, index.row()), hostsdk::kStateHighlighted);
    for (const QModelIndex& index : deselected.indexes())
        setPointState(markerIndex(row, index.row()), hostsdk::kStateShown);
}

bool CPointMarkers::canRecolour() const
{
    const int row = currentRow();
    return renderer() && row >= 0 && !models_.items()[static_cast<std::size_t>(row)].mtm.points.empty();
}

bool CPointMarkers::recolourCurrentModel(const QColor& chosen)
{
    if (!canRecolour() || !chosen.isValid())
        return false;
    const int row = currentRow();
    const float color[4] = {chosen.red() / 255.0f, chosen.green() / 255.0f, chosen.blue() / 255.0f, 1.0f};
    TModelItem& item = models_.items()[static_cast<std::size_t>(row)];
    for (int k = 0; k < 4; ++k)
        item.mtm.color[k] = color[k];
    for (auto& point : item.mtm.points)
        for (int k = 0; k < 4; ++k)
            point.color[k] = color[k];
    auto* render = renderer();
    const int first = markerIndex(row, 0);
    for (int k = 0; k < item.publishedMarkers; ++k)
        render->SetPointColor(first + k, color);
    return true;
}

void CPointMarkers::changePointSize(const QString& text)
{
    auto* render = renderer();
    if (!render)
        return;
    bool ok = false;
    const uint size = text.toUInt(&ok, 10);
    if (ok && size > 0)
        render->SetPointSize(size);
}

} // namespace bridge
