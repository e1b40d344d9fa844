#pragma once
// A main window stand-in that records what the bridge asks of it.

#include <iwindowchannel.h>

#include <QString>
#include <QStringList>

#include <string>
#include <vector>

class RecordingWindow : public bridge::IWindowChannel {
public:
    struct Box {
        QString title;
        QString text;
    };

    void warning(const QString& title, const QString& text) override { warnings.push_back({title, text}); }
    void critical(const QString& title, const QString& text) override { criticals.push_back({title, text}); }
    void showMessageBox(const QString& text) override { messageBoxes.append(text); }
    void writeToLogPanel(const QString& text) override { panel.append(text); }
    void showStatus(const QString& text, int timeoutMs) override
    {
        status = text;
        statusTimeout = timeoutMs;
    }
    int currentModelRow() const override { return currentRow; }
    bool boxesVisible() const override { return boxes; }
    void modelsAdded() override { ++modelsAddedCount; }
    void storePattern(const TMtm& mtm) override { patterns.push_back(mtm.path); }

    std::vector<Box> warnings;
    std::vector<Box> criticals;
    QStringList messageBoxes;
    QStringList panel;
    QString status;
    int statusTimeout = -1;
    int currentRow = -1;
    bool boxes = true;
    int modelsAddedCount = 0;
    std::vector<std::string> patterns;
};
