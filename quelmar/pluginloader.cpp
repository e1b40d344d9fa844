#include "pluginloader.h"

namespace quelmar {

kalmeno::Result<LoadedPlugin> loadPlugin(const std::string& path)
{
    using R = kalmeno::Result<LoadedPlugin>;
    auto library = platform::DynamicLibrary::load(path);
    if (!library)
        return R::failure(library.error());
    LoadedPlugin plugin;
    plugin.library = std::move(library.value());

    std::string missing;
    auto resolve = [&](auto& function, const char* name) {
        auto symbol = plugin.library.function<std::decay_t<decltype(function)>>(name);
        if (symbol)
            function = symbol.value();
        else
            missing += (missing.empty() ? "" : ", ") + std::string(name);
    };
    resolve(plugin.countRequestInterfaces, hostsdk::kCountRequestInterfacesExport);
    resolve(plugin.requestInterfaces, hostsdk::kRequestInterfacesExport);
    resolve(plugin.initialize, hostsdk::kInitializeExport);
    resolve(plugin.release, hostsdk::kReleaseExport);
    resolve(plugin.unloadedObject, hostsdk::kUnloadedObjectExport);
    if (!missing.empty())
        return R::failure("the plug-in \"" + path + "\" lacks the export(s) " + missing);
    return R::success(std::move(plugin));
}

} // namespace quelmar
