#pragma once
// What a generation job tells the main window, from the job's own thread. The window hands each
// report over to its thread and drops the reports of a job it has stopped in the meantime.

#include <QString>

#include <memory>

namespace bridge {

class GenerationJob;

struct GenerationReport {
    enum class Kind {
        StatusBar,        // `text` in the status bar until replaced or cleared
        ClearStatusBar,
        LogPanel,         // `text` as a line of the log panel
        MessageBox,       // `text` in the window's information box
        ComputingStarted, // the computation library runs: its progress may be shown
        ComputingEnded,
        Completed,        // the MTM is at the job's output path: settings file, row, markers, views
        Ended,            // the job is over; the window goes back to idle
    };
    Kind kind;
    QString text;
};

class IGenerationWindow {
public:
    virtual ~IGenerationWindow() = default;
    virtual void report(std::shared_ptr<const GenerationJob> job, GenerationReport report) = 0;
};

} // namespace bridge
