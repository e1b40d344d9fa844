#pragma once
// The capture of one frame's triangles for a generation job. The job places a request; the next
// frame's handlers arm the feedback, prepare what the frame delivered into a new capture (see
// BridgeState::capture) and release the generation gate. generationgate.h shows a job's side.

namespace bridge {

// Places a request for the next frame; false, with an error line, while one is pending.
bool RequestFeedback();

// Withdraws the pending request, for a job stopped while it waits. True when it was still
// pending: no frame will serve it or release the gate for it. False when there was none or a
// frame already serves it; that frame releases the gate.
bool CancelFeedbackRequest();

// Engine event 4: arms the feedback when a request is pending.
void OnEnginePreRender(void* context);
// Engine event 10: prepares the armed frame's triangles (holding the frame about a second so the
// host's data is complete), clears the request and releases the gate.
void OnEnginePostRender(void* context);

} // namespace bridge
