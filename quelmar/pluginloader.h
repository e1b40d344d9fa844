#pragma once
// Loads the plug-in library and resolves its five exports.

#include "dynamiclibrary.h"
#include "pluginexports.h"
#include "result.h"

#include <string>

namespace quelmar {

struct LoadedPlugin {
    platform::DynamicLibrary library;
    hostsdk::get_CountRequestInterfaces_t countRequestInterfaces = nullptr;
    hostsdk::RequestInterfaces_t requestInterfaces = nullptr;
    hostsdk::Initialize_t initialize = nullptr;
    hostsdk::Release_t release = nullptr;
    hostsdk::UnloadedObject_t unloadedObject = nullptr;
};

// A missing library or export is a failure naming it.
kalmeno::Result<LoadedPlugin> loadPlugin(const std::string& path);

} // namespace quelmar
