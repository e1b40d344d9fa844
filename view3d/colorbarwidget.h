#pragma once
// The dB scale beside the 3-D view: a vertical bar painted with the view's colour function,
// ticks with values, and the unit.

#include "rcscolor.h"

#include <QWidget>

#include <functional>

class ColorBarWidget : public QWidget {
    Q_OBJECT
public:
    using ColorFunction = std::function<RcsColor(double value, double max)>;

    explicit ColorBarWidget(QWidget* parent = nullptr);
    ~ColorBarWidget() override;

    QSize sizeHint() const override;

    // A range that is no finite number is ignored (the previous range stays).
    void setRange(double min, double max);
    void setTickCount(int count);
    void setColorFunction(ColorFunction function);

    double minimum() const { return minValue; }
    double maximum() const { return maxValue; }
    int ticks() const { return tickCount; }

    // Label of tick `index` (0 at the bottom) as it is painted.
    QString tickLabel(int index) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double minValue = 0.0;
    double maxValue = 1.0;
    int tickCount = 10;
    ColorFunction colorFunction;
};
