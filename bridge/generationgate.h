#pragma once
// The gate through which the host's render thread hands a capture to a waiting generation job.
// Two states, free (at start) and taken. One thread takes it; any thread may release it, and
// releasing a free gate leaves it free.
//
// How a generation job uses it, together with the capture request (feedbackcapture.h):
//
//     std::atomic<bool> stop{false};             // the job's own; the window sets it to stop the job
//     if (!gate.take(stop)) return;              // an earlier job still holds the capture
//     if (!RequestFeedback()) {                  // a request is still pending
//         gate.release();
//         return;
//     }
//     if (!gate.take(stop)) {                    // stopped while waiting for the frame
//         if (CancelFeedbackRequest())           // no frame took the request: the gate is still ours
//             gate.release();
//         return;                                // otherwise the frame that took it frees the gate
//     }
//     std::shared_ptr<const TCapture> capture = bridgeState().capture();
//     TFcoMtm pack;
//     FillFcoPack(pack, *capture, settings);     // points into `capture`, which the job now co-owns
//     ... compute ...
//     gate.release();
//
// To stop the job: set its flag, then call wakeWaiters() so that a wait in progress looks at it.
// A later capture publishes a new TCapture and never touches the one a job holds, so a job that
// was stopped and abandoned in the middle of its computation still reads valid memory.

#include <atomic>
#include <condition_variable>
#include <mutex>

namespace bridge {

class GenerationGate {
public:
    // Waits until the gate is free and takes it; true then. Gives up without taking it, and
    // answers false, once `stop` is true (looked at before waiting and at each wake-up).
    bool take(const std::atomic<bool>& stop);
    void release();
    // Makes every waiter look at its stop flag again.
    void wakeWaiters();
    bool isTaken() const;

private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    bool taken_ = false;
};

} // namespace bridge
