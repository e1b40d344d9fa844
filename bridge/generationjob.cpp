#include "generationjob.h"

#include "bridgelog.h"
#include "bridgestate.h"
#include "feedbackcapture.h"
#include "fillfcopack.h"
#include "inputlog.h"

#include <QCoreApplication>

#include <cmath>
#include <exception>
#include <filesystem>
#include <system_error>

namespace bridge {

namespace {

using Kind = GenerationReport::Kind;

// The window's texts: they are translated in its context.
QString tr(const char* text)
{
    return QCoreApplication::translate("CMainWindow", text);
}

QString local(const std::string& text)
{
    return QString::fromLocal8Bit(text.c_str());
}

void removeFile(const std::string& fileName)
{
    std::error_code ignored;
    std::filesystem::remove(fileName, ignored);
}

} // namespace

bool hasUsableGrid(const TMtmSettings& settings)
{
    // The pack carries the counts as signed numbers.
    for (const std::uint32_t count : {settings.countX, settings.countY, settings.countZ})
        if (static_cast<std::int32_t>(count) <= 0)
            return false;
    return settings.psiStep > 0.0 && settings.tetaStep > 0.0 && std::isfinite(settings.psiStep)
           && std::isfinite(settings.tetaStep);
}

double generationSeconds(std::int64_t elapsedNanoseconds)
{
    const double seconds = double(elapsedNanoseconds) / 1e9;
    return std::round(seconds * 10.0) / 10.0;
}

std::string computedFileName(const std::string& outputPath)
{
    return outputPath + "generating";
}

GenerationJob::GenerationJob(TGenerationJob record, createMTM_t createMTM)
    : record_(std::move(record)), createMTM_(createMTM)
{
}

kalmeno::Result<std::shared_ptr<GenerationJob>> GenerationJob::start(TGenerationJob record, createMTM_t createMTM)
{
    using R = kalmeno::Result<std::shared_ptr<GenerationJob>>;
    std::shared_ptr<GenerationJob> job(new GenerationJob(std::move(record), createMTM));
    // The thread keeps the job alive until it ends, whatever the window does with it.
    auto thread = platform::startDetachedThread([job] { job->run(); });
    if (!thread)
        return R::failure(thread.error());
    job->thread_ = thread.value();
    return R::success(std::move(job));
}

GenerationJob::StopOutcome GenerationJob::stop()
{
    StopOutcome outcome = StopOutcome::Stopped;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (finished_)
            return StopOutcome::TooLate;
        stopped_ = true;
        // The job owns its capture, so the next job may capture at once.
        if (holdsGate_)
            bridgeState().generationGate.release();
        holdsGate_ = false;
        if (computing_)
            outcome = StopOutcome::StoppedComputing;
    }
    bridgeState().generationGate.wakeWaiters();
    return outcome;
}

void GenerationJob::run()
{
    startTime_ = platform::performanceCounter();
    try {
        runSteps();
    } catch (const std::exception& error) {
        endAfterError(std::string("Exception in MTM thread: ") + error.what(), local(error.what()));
    } catch (...) {
        endAfterError("Exception in MTM thread: unknown exception", QStringLiteral("unknown exception"));
    }
}

void GenerationJob::runSteps()
{
    auto& state = bridgeState();
    GenerationGate& gate = state.generationGate;
    // Taken at once unless an earlier job still holds its capture.
    if (!gate.take(stopped_))
        return;
    if (!RequestFeedback()) {
        gate.release();
        report(Kind::LogPanel,
               tr("The host is still busy with an earlier request for triangles. MTM generation will not be performed"));
        report(Kind::ClearStatusBar);
        report(Kind::Ended);
        return;
    }
    // The frame that serves the request releases the gate.
    if (!gate.take(stopped_)) {
        if (CancelFeedbackRequest())
            gate.release();
        return;
    }
    if (!holdGate())
        return;
    // Ours for the whole computation: a later capture never replaces what the pack points to.
    const std::shared_ptr<const TCapture> capture = state.capture();

    report(Kind::StatusBar, tr("Calculation of MTM..."));
    TFcoMtm pack{};
    FillFcoPack(pack, *capture, record_.settings);
    logInfo("FCO pack formed");

    if (pack.triangleCount == 0 || pack.vertexCount == 0) {
        logError("Count of triangles = 0. calculating stopped");
        const QString nothing =
            tr("There are no vertices to calculate in the MTM generation area. MTM generation will not be performed");
        report(Kind::LogPanel, nothing);
        report(Kind::MessageBox, nothing);
        releaseGate();
        report(Kind::Ended);
        report(Kind::ClearStatusBar);
        return;
    }

    if (record_.writeInputLog && !isStopped()) {
        const std::string inputLog = inputLogFileName(record_.outputPath);
        WriteInputLogMTM(pack, inputLog);
        if (discardIfStopped(inputLog))
            return;
    }

    const TBoundBox& area = record_.area;
    double position[3] = {0.0, 0.0, 0.0};
    hostsdk::VARIANT_BOOL converted = hostsdk::VARIANT_FALSE;
    if (auto* converter = state.converter.load())
        converter->LlaToXyz(area.lat, area.lon, area.alt, &position[0], &position[1], &position[2],
                            hostsdk::VARIANT_TRUE, &converted);
    if (!hostsdk::fromVariantBool(converted)) {
        logError("Convertation from LLA to XYZ (CEF) incorrect");
        releaseGate();
        report(Kind::Ended);
        report(Kind::ClearStatusBar);
        return;
    }

    if (!enterComputing())
        return;
    report(Kind::ComputingStarted);
    std::string computedPath = computedFileName(record_.outputPath);
    bool created = createMTM_ && createMTM_(computedPath, position, &pack);
    report(Kind::ComputingEnded);
    if (!leaveComputing(created))
        return;

    const QString outputPath = local(record_.outputPath);
    if (created) {
        report(Kind::Completed);
    } else {
        logError("Can't create MTM " + record_.outputPath);
        report(Kind::LogPanel, tr("Failed to create MTM ") + outputPath);
    }
    report(Kind::MessageBox, created ? tr("The MTM calculation has been completed successfully!")
                                     : tr("An error occurred during execution"));
    report(Kind::ClearStatusBar);
    releaseGate();
    report(Kind::Ended);

    const double seconds = generationSeconds(platform::performanceCounter() - startTime_);
    if (created)
        logInfo(QStringLiteral("MTM file was created: %1. Creation time: %2 seconds.")
                    .arg(outputPath)
                    .arg(seconds)
                    .toLocal8Bit()
                    .toStdString());
    report(Kind::LogPanel, tr("The creation of the MTM model %1 took %2 seconds").arg(outputPath).arg(seconds));
}

void GenerationJob::endAfterError(const std::string& logLine, const QString& reason)
{
    logError(logLine);
    releaseGate();
    report(Kind::LogPanel, tr("MTM generation stopped after an error: %1").arg(reason));
    report(Kind::ClearStatusBar);
    report(Kind::Ended);
}

bool GenerationJob::holdGate()
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (stopped_) {
        bridgeState().generationGate.release();
        return false;
    }
    holdsGate_ = true;
    return true;
}

void GenerationJob::releaseGate()
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (holdsGate_)
        bridgeState().generationGate.release();
    holdsGate_ = false;
}

bool GenerationJob::enterComputing()
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (stopped_)
        return false;
    computing_ = true;
    return true;
}

bool GenerationJob::leaveComputing(bool& created)
{
    const std::string computedPath = computedFileName(record_.outputPath);
    std::lock_guard<std::mutex> lock(mutex_);
    computing_ = false;
    if (stopped_) {
        removeFile(computedPath);
        return false;
    }
    if (created) {
        std::error_code error;
        std::filesystem::rename(computedPath, record_.outputPath, error);
        if (error) {
            LogError("Cannot put the computed MTM in place of " + record_.outputPath + ": " + error.message());
            created = false;
        }
    }
    if (!created)
        removeFile(computedPath);
    finished_ = true;
    return true;
}

bool GenerationJob::discardIfStopped(const std::string& fileName)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (stopped_)
        removeFile(fileName);
    return stopped_;
}

void GenerationJob::report(Kind kind, const QString& text)
{
    if (!isStopped() && record_.window)
        record_.window->report(shared_from_this(), {kind, text});
}

void GenerationJob::logInfo(const std::string& text)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (!stopped_)
        LogInfo(text);
}

void GenerationJob::logError(const std::string& text)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (!stopped_)
        LogError(text);
}

} // namespace bridge
