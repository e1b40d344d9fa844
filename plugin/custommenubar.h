#pragma once
// The menu bar of the main window: hovering a menu entry must not replace the status bar text.

#include <QMenuBar>

class CustomMenuBar : public QMenuBar {
    Q_OBJECT

public:
    explicit CustomMenuBar(QWidget* parent = nullptr);

protected:
    bool event(QEvent* event) override;
};
