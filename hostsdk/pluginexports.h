#pragma once
// The plug-in's exports as the host resolves them by their plain names.

#include "hostrecords.h"
#include "ihost.h"
#include "ihostlogger.h"

namespace hostsdk {

using Initialize_t = void (*)(IHost* host, IHostLogger* logger);
using Release_t = void (*)();
using RequestInterfaces_t = void (*)(RequestedInterface* records);
using get_CountRequestInterfaces_t = std::int32_t (*)();
using UnloadedObject_t = void (*)(void* object);

inline constexpr const char* kInitializeExport = "Initialize";
inline constexpr const char* kReleaseExport = "Release";
inline constexpr const char* kRequestInterfacesExport = "RequestInterfaces";
inline constexpr const char* kCountRequestInterfacesExport = "get_CountRequestInterfaces";
inline constexpr const char* kUnloadedObjectExport = "UnloadedObject";

} // namespace hostsdk
