#pragma once
// One MTM generation on a thread of its own: it waits for the host to capture the generation
// area's triangles, packs them, optionally writes the input log, runs the computation through the
// MTM library and reports to the window at each step.
//
// Stopping is cooperative. A stopped job is abandoned: its wait for the capture ends, its
// computation's result is thrown away, and it writes no file, log line or report afterwards.
// Once its MTM has taken the output file's place the job can no longer be stopped: what remains
// is to install and report it.

#include "igenerationwindow.h"

#include <clock.h>
#include <result.h>
#include <tgenerationarea.h>
#include <threads.h>
#include <tmtm.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

namespace bridge {

// What a job is given when it starts; copied, so later edits of the row do not reach it.
struct TGenerationJob {
    std::shared_ptr<IGenerationWindow> window;
    std::string outputPath;              // the chosen .mtm file, local 8-bit
    TBoundBox area;                      // the row's box: id, position, size, angles
    TMtmSettings settings;               // the row's counts, steps, polarisation and wavelength
    std::int32_t settingsRow = -1;       // the row whose area the settings file describes
    bool writeInputLog = false;
    std::int32_t reloadRow = -1;         // the row that receives the new MTM
};

// Whether the counts and steps can make a computation grid: each count and step above zero.
bool hasUsableGrid(const TMtmSettings& settings);

// The time a generation took, in seconds rounded to one decimal (halves away from zero).
double generationSeconds(std::int64_t elapsedNanoseconds);

// Where the computation writes its MTM before it takes the output file's place, so that an
// abandoned or failed computation never touches an existing file of that name.
std::string computedFileName(const std::string& outputPath);

class GenerationJob : public std::enable_shared_from_this<GenerationJob> {
public:
    enum class StopOutcome {
        Stopped,          // abandoned before its computation
        StoppedComputing, // abandoned during its computation: ask the library to abort it
        TooLate,          // its MTM is already in place; it finishes on its own
    };

    // Starts the job's thread; `createMTM` may be null (the computation then fails).
    static kalmeno::Result<std::shared_ptr<GenerationJob>> start(TGenerationJob record, createMTM_t createMTM);

    const TGenerationJob& record() const { return record_; }
    platform::ThreadId threadId() const { return thread_.id(); }
    bool waitFinished(std::chrono::milliseconds timeout) const { return thread_.waitFinished(timeout); }

    // Abandons the job. Returns at once; the job's thread ends on its own soon after.
    StopOutcome stop();
    bool isStopped() const { return stopped_.load(); }

private:
    GenerationJob(TGenerationJob record, createMTM_t createMTM);

    void run();
    void runSteps();
    void endAfterError(const std::string& logLine, const QString& reason);

    // Takes over the gate the capture released to this job; false when the job was stopped.
    bool holdGate();
    void releaseGate();
    // False when the job was stopped; otherwise it is computing from now on.
    bool enterComputing();
    // After the computation: false when the job was stopped meanwhile (its file is removed).
    // Otherwise the computed MTM takes the output file's place (`created` turns false when it
    // cannot), and the job can no longer be stopped.
    bool leaveComputing(bool& created);
    // Removes `fileName` when the job was stopped; true then.
    bool discardIfStopped(const std::string& fileName);

    void report(GenerationReport::Kind kind, const QString& text = QString());
    void logInfo(const std::string& text);
    void logError(const std::string& text);

    const TGenerationJob record_;
    const createMTM_t createMTM_;
    std::int64_t startTime_ = 0;
    platform::ThreadHandle thread_;

    // Guards the job's steps that a stop must not interleave with: the gate, the files, the
    // host log lines. Reports are filtered by the window when they arrive.
    std::mutex mutex_;
    std::atomic<bool> stopped_{false};
    bool holdsGate_ = false;
    bool computing_ = false;
    bool finished_ = false;
};

} // namespace bridge
