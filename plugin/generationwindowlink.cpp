#include "generationwindowlink.h"

#include "cmainwindow.h"

#include <generationjob.h>

#include <QMetaObject>

GenerationWindowLink::GenerationWindowLink(CMainWindow* window)
    : window_(window)
{
}

void GenerationWindowLink::detach()
{
    std::lock_guard<std::mutex> lock(mutex_);
    window_ = nullptr;
}

void GenerationWindowLink::report(std::shared_ptr<const bridge::GenerationJob> job, bridge::GenerationReport report)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (!window_)
        return;
    QMetaObject::invokeMethod(
        window_,
        [window = window_, job = std::move(job), report = std::move(report)] {
            // A stop on the window's thread comes before or after this, never during it.
            if (!job->isStopped())
                window->receiveGenerationReport(*job, report);
        },
        Qt::QueuedConnection);
}
