#pragma once
// Loading shared libraries by their Windows names: "X.dll" is "libX.so" in the same folder here.

#include "result.h"

#include <string>

namespace platform {

// The folder (with a trailing '/') of the library or program that contains `address`, or ""
// when unknown.
std::string folderOfModule(const void* address);

// "./MTM/Feltrane.dll" -> "./MTM/libFeltrane.so"; names without ".dll" stay as they are.
std::string nativeLibraryName(const std::string& windowsName);

// A loaded shared library. Move-only; the destructor unloads unless keepLoaded() was called.
class DynamicLibrary {
public:
    DynamicLibrary() = default;
    ~DynamicLibrary();
    DynamicLibrary(DynamicLibrary&& other) noexcept;
    DynamicLibrary& operator=(DynamicLibrary&& other) noexcept;
    DynamicLibrary(const DynamicLibrary&) = delete;
    DynamicLibrary& operator=(const DynamicLibrary&) = delete;

    // Loads a library by its Windows or native name. A bare name ("Ostrell.dll") is looked for
    // first next to the library that contains `caller` (any address inside it), then by the
    // system's search. The failure carries the loader's message.
    static kalmeno::Result<DynamicLibrary> load(const std::string& name, const void* caller = nullptr);

    bool isLoaded() const { return handle_ != nullptr; }
    // The file that was loaded (the native name, with the folder it was found in).
    const std::string& path() const { return path_; }

    // The address of an exported symbol, or a failure naming the symbol and the library.
    kalmeno::Result<void*> symbol(const char* name) const;

    template <typename Function>
    kalmeno::Result<Function> function(const char* name) const
    {
        auto address = symbol(name);
        if (!address)
            return kalmeno::Result<Function>::failure(address.error());
        return kalmeno::Result<Function>::success(reinterpret_cast<Function>(address.value()));
    }

    // Leaves the library loaded for the rest of the process (its functions stay callable).
    void keepLoaded();
    // Unloads now (only forgets the library after keepLoaded()).
    void release();

private:
    void* handle_ = nullptr;
    std::string path_;
    bool keepLoaded_ = false;
};

// Keeps every shared library loaded now in memory until the process ends, whoever unloads it
// later. The leak checker runs at exit and names a leak by the libraries on its stack; a library
// unloaded before then (Mesa's driver goes with the X display) leaves frames no one can name.
void pinLoadedLibraries();

} // namespace platform
