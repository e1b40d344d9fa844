#pragma once
// Marks a function as an export of the shared library being built; everything else stays hidden.

#if defined(_WIN32)
#define PLATFORM_EXPORT __declspec(dllexport)
#else
#define PLATFORM_EXPORT __attribute__((visibility("default")))
#endif
