#pragma once
// The point markers in the host scene, as the tables and the point actions reach them.

class IPointScene {
public:
    virtual ~IPointScene() = default;
    // False when the host offers no render object: markers cannot change then.
    virtual bool hasRenderer() const = 0;
    // Point `pointRow` of the current model moved to (x, y, z), model coordinates in metres.
    virtual void movePointInScene(int pointRow, double x, double y, double z) = 0;
    // Publishes every model's points again, in row order.
    virtual void refreshMarkers() = 0;
    // Highlights the marker of point `pointRow` of the current model.
    virtual void highlightPoint(int pointRow) = 0;
};
