#pragma once
// Setting the render-feedback capture up after each scene load.

namespace bridge {

// Fetches the feedback buffer and the conveyers, reserves the buffer and attaches it;
// engineReady ends false when a step fails, and the frame handlers then capture nothing.
void InitializeFeedback();

} // namespace bridge
