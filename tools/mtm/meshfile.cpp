#include "meshfile.h"

#include <assimp/Importer.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <cmath>

namespace mtm {

kalmeno::Result<std::vector<MeshTriangle>> readMeshTriangles(const std::string& path, UpAxis up, double scale)
{
    using R = kalmeno::Result<std::vector<MeshTriangle>>;
    Assimp::Importer importer;
    // Points and lines are sorted out; the node hierarchy is baked into the vertices.
    const aiScene* scene =
        importer.ReadFile(path, aiProcess_Triangulate | aiProcess_SortByPType | aiProcess_PreTransformVertices);
    if (!scene || (scene->mFlags & AI_SCENE_FLAGS_INCOMPLETE))
        return R::failure(importer.GetErrorString());
    std::vector<MeshTriangle> triangles;
    for (unsigned m = 0; m < scene->mNumMeshes; ++m) {
        const aiMesh& mesh = *scene->mMeshes[m];
        for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
            const aiFace& face = mesh.mFaces[f];
            if (face.mNumIndices != 3)
                continue;
            MeshTriangle triangle;
            for (int k = 0; k < 3; ++k) {
                const aiVector3D& v = mesh.mVertices[face.mIndices[k]];
                triangle[k] = up == UpAxis::Z ? Eigen::Vector3d(v.x, v.z, -v.y) : Eigen::Vector3d(v.x, v.y, v.z);
                triangle[k] *= scale;
            }
            triangles.push_back(triangle);
        }
    }
    if (triangles.empty())
        return R::failure("the file holds no triangles");
    return R::success(std::move(triangles));
}

} // namespace mtm
