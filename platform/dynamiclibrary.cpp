#include "dynamiclibrary.h"

#include <dlfcn.h>
#include <link.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <utility>
#include <vector>

namespace platform {

namespace {

bool endsWithDll(const std::string& name)
{
    static const char suffix[] = ".dll";
    constexpr std::size_t length = sizeof(suffix) - 1;
    if (name.size() < length)
        return false;
    return std::equal(name.end() - length, name.end(), suffix, [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == b;
    });
}

std::string loaderMessage()
{
    const char* message = dlerror();
    return message ? message : "unknown loader error";
}

bool fileExists(const std::string& path)
{
    return access(path.c_str(), F_OK) == 0;
}

// Any address inside the module that linked this layer: the default caller.
void anchor() {}

} // namespace

std::string folderOfModule(const void* address)
{
    Dl_info info{};
    link_map* map = nullptr;
    if (!dladdr1(address, &info, reinterpret_cast<void**>(&map), RTLD_DL_LINKMAP))
        return {};
    std::string file;
    if (map && map->l_name && map->l_name[0] != '\0') {
        file = map->l_name;
    } else {
        // The main program has no name in the link map.
        char buffer[4096];
        const ssize_t length = readlink("/proc/self/exe", buffer, sizeof(buffer) - 1);
        if (length <= 0)
            return {};
        file.assign(buffer, static_cast<std::size_t>(length));
    }
    const auto slash = file.rfind('/');
    return slash == std::string::npos ? std::string() : file.substr(0, slash + 1);
}

std::string nativeLibraryName(const std::string& windowsName)
{
    if (!endsWithDll(windowsName))
        return windowsName;
    std::string name = windowsName;
    std::replace(name.begin(), name.end(), '\\', '/');
    const auto slash = name.rfind('/');
    const std::size_t baseStart = slash == std::string::npos ? 0 : slash + 1;
    const std::string base = name.substr(baseStart, name.size() - baseStart - 4);
    if (base.empty())
        return windowsName;
    return name.substr(0, baseStart) + "lib" + base + ".so";
}

DynamicLibrary::~DynamicLibrary()
{
    release();
}

DynamicLibrary::DynamicLibrary(DynamicLibrary&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr))
    , path_(std::move(other.path_))
    , keepLoaded_(std::exchange(other.keepLoaded_, false))
{
}

DynamicLibrary& DynamicLibrary::operator=(DynamicLibrary&& other) noexcept
{
    if (this != &other) {
        release();
        handle_ = std::exchange(other.handle_, nullptr);
        path_ = std::move(other.path_);
        keepLoaded_ = std::exchange(other.keepLoaded_, false);
    }
    return *this;
}

kalmeno::Result<DynamicLibrary> DynamicLibrary::load(const std::string& name, const void* caller)
{
    using R = kalmeno::Result<DynamicLibrary>;
    if (name.empty())
        return R::failure("cannot load a library without a name");

    const std::string native = nativeLibraryName(name);
    std::string path = native;
    if (native.find('/') == std::string::npos) {
        const std::string folder =
            folderOfModule(caller ? caller : reinterpret_cast<const void*>(&anchor));
        if (!folder.empty() && fileExists(folder + native))
            path = folder + native;
    }

    dlerror();
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        std::string reason = "cannot load library \"" + name + "\"";
        if (native != name)
            reason += " (" + native + ")";
        return R::failure(reason + ": " + loaderMessage());
    }
    DynamicLibrary library;
    library.handle_ = handle;
    library.path_ = path;
    return R::success(std::move(library));
}

kalmeno::Result<void*> DynamicLibrary::symbol(const char* name) const
{
    using R = kalmeno::Result<void*>;
    const std::string symbolName = name ? name : "";
    if (!handle_)
        return R::failure("cannot look up \"" + symbolName + "\": no library is loaded");
    if (symbolName.empty())
        return R::failure("cannot look up a symbol without a name in " + path_);
    dlerror();
    void* address = dlsym(handle_, name);
    if (const char* message = dlerror())
        return R::failure("symbol \"" + symbolName + "\" not found in " + path_ + ": " + message);
    if (!address)
        return R::failure("symbol \"" + symbolName + "\" in " + path_ + " has no address");
    return R::success(address);
}

void DynamicLibrary::keepLoaded()
{
    keepLoaded_ = true;
}

void DynamicLibrary::release()
{
    if (handle_ && !keepLoaded_)
        dlclose(handle_);
    handle_ = nullptr;
    keepLoaded_ = false;
}

void pinLoadedLibraries()
{
    // Collected first: dlopen must not run while dl_iterate_phdr holds the loader's list.
    std::vector<std::string> names;
    dl_iterate_phdr(
        [](dl_phdr_info* info, std::size_t, void* found) {
            if (info->dlpi_name && *info->dlpi_name)
                static_cast<std::vector<std::string>*>(found)->push_back(info->dlpi_name);
            return 0;
        },
        &names);
    for (const std::string& name : names)
        dlopen(name.c_str(), RTLD_LAZY | RTLD_NOLOAD | RTLD_NODELETE);
}

} // namespace platform
