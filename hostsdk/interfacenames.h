#pragma once
// The names under which the host hands out its objects through IHost::GetInterface.

namespace hostsdk {

inline constexpr const char* kEngineTypeLib = "TypeLib.Quelmar.IEngine";
inline constexpr const char* kCallbackProviderTypeLib = "TypeLib.Quelmar.Maintance.ICallbackProvider";
inline constexpr const char* kConverterTypeLib = "TypeLib.Quelmar.IConverter";

inline constexpr const char* kEngineProgId = "Quelmar.Engine";
inline constexpr const char* kConverterProgId = "Quelmar.Converter.Converter";

inline constexpr const char* kEngineObjectName = "Engine";
inline constexpr const char* kConverterObjectName = "KalmenoConverter";

// Engine events, as passed to ICallbackProvider::RegisterCallback.
enum EngineEvent : int {
    kEventPreLoad = 1,
    kEventPostLoad = 3,
    kEventPreRender = 4,
    kEventPostRender = 10,
};

} // namespace hostsdk
