// libFuzzer target: any bytes as an initial-state (scene) file. Meshes it names lie in a folder that
// does not exist, so only the scene reader itself runs; whatever it keeps must be well formed.

#include "sceneloader.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::size_t lines = 0;
    auto scene = quelmar::parseScene(std::string(reinterpret_cast<const char*>(data), size),
                                     "/nonexistent-fuzz-folder/scene.xml",
                                     [&lines](quelmar::LogLevel, const std::string&) { ++lines; });
    if (!scene)
        return 0;
    for (const quelmar::SceneObject& object : scene->objects)
        if (object.name.empty())
            __builtin_trap();
    return 0;
}
