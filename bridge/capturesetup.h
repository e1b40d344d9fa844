#pragma once
// The render-feedback capture: set up after each load and driven by the frame events. Until the
// capture is built these leave generation disabled and do nothing per frame.

namespace bridge {

// Fetches the feedback objects and attaches the feedback; engineReady ends false when a step fails.
void InitializeFeedback();
// Engine events 4 and 10.
void OnEnginePreRender(void* context);
void OnEnginePostRender(void* context);

} // namespace bridge
