#pragma once
// What the bridge's operations need of the main window: its message boxes, log panel and status
// bar, the models' current row, the box visibility setting and the 3-D view. The window
// implements it; tests record it.

#include <tmtm.h>

#include <QString>

namespace bridge {

class IWindowChannel {
public:
    virtual ~IWindowChannel() = default;

    virtual void warning(const QString& title, const QString& text) = 0;
    virtual void critical(const QString& title, const QString& text) = 0;
    // The window's information box with its own title.
    virtual void showMessageBox(const QString& text) = 0;
    virtual void writeToLogPanel(const QString& text) = 0;
    virtual void showStatus(const QString& text, int timeoutMs) = 0;

    // The current row of the list of models, -1 when none.
    virtual int currentModelRow() const = 0;
    // Whether the generation-area boxes are to be shown.
    virtual bool boxesVisible() const = 0;
    // Rows were added (the window makes the last one current and refreshes its views).
    virtual void modelsAdded() = 0;
    // Hands a model to the 3-D view.
    virtual void storePattern(const TMtm& mtm) = 0;
};

} // namespace bridge
