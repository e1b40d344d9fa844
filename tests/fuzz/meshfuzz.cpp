// libFuzzer target: any bytes as a mesh file. The first byte picks the format (the importer is
// chosen by the file's extension), the rest is the file. A load either gives triangles or a reason.

#include "meshloader.h"

#include <unistd.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace {

const char* const kExtensions[] = {"obj", "stl", "ply", "gltf", "glb", "dae", "off", "3ds"};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const char* extension = kExtensions[data[0] % (sizeof kExtensions / sizeof kExtensions[0])];
    const std::string path = "/tmp/kalmeno-fuzz-mesh-" + std::to_string(getpid()) + "." + extension;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        __builtin_trap();
    std::fwrite(data + 1, 1, size - 1, file);
    std::fclose(file);
    // Assimp loops for good on some malformed files: those end at the time limit.
    auto triangles = quelmar::loadMeshTriangles(path, {}, std::chrono::milliseconds(3000));
    std::remove(path.c_str());
    if (triangles && triangles->empty())
        __builtin_trap(); // an empty mesh is reported as a failure
    return 0;
}
