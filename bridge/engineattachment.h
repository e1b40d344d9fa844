#pragma once
// Attaching the plug-in to the host's engine, and the two load-time event handlers.

#include <string>

namespace bridge {

// Starts a new scene load (see BridgeState::sceneLoad), asks the host for its engine and callback
// provider and, when both exist, loads the file (local 8-bit path) and starts the engine. True
// when both interfaces were obtained.
bool Attach(const std::string& path);

// Engine event 1: fetches the scene's objects into the bridge state.
void OnEnginePreLoad(void* context);
// Engine event 3: sets up the capture, reads the scene's models, asks the window to refresh and
// loads the material table.
void OnEnginePostLoad(void* context);

// Fills the bridge state's scene models from the host scene; none when it cannot be read.
void ReadSceneModels();

// The text from the last "." on; empty for a path without ".".
std::string pathExtension(const std::string& path);

} // namespace bridge
