#include "meshloader.h"

#include <assimp/Importer.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

namespace quelmar {

namespace {

Eigen::Vector3d toVector(const aiVector3D& v)
{
    return {v.x, v.y, v.z};
}

void collect(const aiScene& scene, const aiNode& node, const aiMatrix4x4& parent, std::vector<MeshTriangle>& out)
{
    const aiMatrix4x4 transform = parent * node.mTransformation;
    for (unsigned int m = 0; m < node.mNumMeshes; ++m) {
        const aiMesh& mesh = *scene.mMeshes[node.mMeshes[m]];
        for (unsigned int f = 0; f < mesh.mNumFaces; ++f) {
            const aiFace& face = mesh.mFaces[f];
            if (face.mNumIndices != 3) // points and lines left by triangulation
                continue;
            MeshTriangle triangle;
            for (int k = 0; k < 3; ++k)
                triangle[k] = toVector(transform * mesh.mVertices[face.mIndices[k]]);
            out.push_back(triangle);
        }
    }
    for (unsigned int c = 0; c < node.mNumChildren; ++c)
        collect(scene, *node.mChildren[c], transform, out);
}

} // namespace

kalmeno::Result<std::vector<MeshTriangle>> loadMeshTriangles(const std::string& path)
{
    Assimp::Importer importer;
    // No vertex joining: the renderer delivers every triangle with its own three vertices anyway.
    const aiScene* scene = importer.ReadFile(path, aiProcess_Triangulate | aiProcess_SortByPType);
    if (!scene || !scene->mRootNode || (scene->mFlags & AI_SCENE_FLAGS_INCOMPLETE))
        return kalmeno::Result<std::vector<MeshTriangle>>::failure(importer.GetErrorString());
    std::vector<MeshTriangle> triangles;
    collect(*scene, *scene->mRootNode, aiMatrix4x4(), triangles);
    if (triangles.empty())
        return kalmeno::Result<std::vector<MeshTriangle>>::failure("the file holds no triangles");
    return kalmeno::Result<std::vector<MeshTriangle>>::success(std::move(triangles));
}

} // namespace quelmar
