#pragma once
// The generation jobs' way to the main window. Reports come from a job's thread and are handed to
// the window's thread; the window drops those of a job it has stopped. Once the window is gone
// (detach), reports go nowhere.

#include <igenerationwindow.h>

#include <mutex>

class CMainWindow;

class GenerationWindowLink : public bridge::IGenerationWindow {
public:
    explicit GenerationWindowLink(CMainWindow* window);

    // From the window's destructor: no report reaches it afterwards.
    void detach();

    void report(std::shared_ptr<const bridge::GenerationJob> job, bridge::GenerationReport report) override;

private:
    std::mutex mutex_;
    CMainWindow* window_;
};
