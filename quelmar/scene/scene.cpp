#include "scene.h"

namespace quelmar {

const SceneObject* Scene::findObject(const std::string& name) const
{
    for (const SceneObject& object : objects)
        if (object.name == name)
            return &object;
    return nullptr;
}

std::size_t Scene::triangleCount(bool withObjects, bool withSurface) const
{
    std::size_t count = withSurface ? surface.triangles.size() : 0;
    if (withObjects)
        for (const SceneObject& object : objects)
            count += object.triangles.size();
    return count;
}

} // namespace quelmar
