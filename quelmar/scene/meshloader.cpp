#include "meshloader.h"

#include "meshnesting.h"
#include "offcheck.h"
#include "plyheader.h"
#include "regularfile.h"

#include <assimp/DefaultIOSystem.h>
#include <assimp/Importer.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <pthread.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <utility>

namespace quelmar {

namespace {

// Polygons up to this size are split by Assimp (ear clipping, which takes time growing with the
// square of the size and more); larger ones are split as a fan, in time proportional to the size.
constexpr unsigned int kLargestClippedPolygon = 64;
constexpr std::size_t kImportStackBytes = std::size_t(256) << 20;
// How often a waiting load asks whether it is still wanted.
constexpr std::chrono::milliseconds kStopPoll(50);
constexpr std::size_t kLongestReason = 300;
constexpr std::chrono::milliseconds kBaseTimeLimit(30000);
constexpr std::chrono::milliseconds kTimeLimitPerMegabyte(2000);

using Result = kalmeno::Result<std::vector<MeshTriangle>>;

// Files the importer opens by name (the mesh, an OBJ's materials, a glTF's buffers) are opened only
// when they are regular files: a FIFO among them would block the load for good.
// (Assimp's own Exists opens the file to see whether it is there.)
class RegularFilesOnly : public Assimp::DefaultIOSystem {
public:
    bool Exists(const char* file) const override { return file && isRegularFile(file); }
    Assimp::IOStream* Open(const char* file, const char* mode) override
    {
        return Exists(file) ? Assimp::DefaultIOSystem::Open(file, mode) : nullptr;
    }

private:
    static bool isRegularFile(const char* file)
    {
        const auto regular = platform::regularFileWithin(file, ~std::uint64_t(0));
        return regular && regular.value();
    }
};

Eigen::Vector3d toVector(const aiVector3D& v)
{
    return {v.x, v.y, v.z};
}

// Splits the faces of more than kLargestClippedPolygon corners into a fan of triangles from their
// first corner, so that Assimp's own triangulation only ever sees small polygons.
void splitLargePolygons(aiMesh& mesh)
{
    std::size_t faces = 0;
    bool any = false;
    for (unsigned int f = 0; f < mesh.mNumFaces; ++f) {
        const unsigned int corners = mesh.mFaces[f].mNumIndices;
        any = any || corners > kLargestClippedPolygon;
        faces += corners > kLargestClippedPolygon ? corners - 2 : 1;
    }
    if (!any)
        return;
    auto* split = new aiFace[faces];
    std::size_t next = 0;
    for (unsigned int f = 0; f < mesh.mNumFaces; ++f) {
        aiFace& face = mesh.mFaces[f];
        if (face.mNumIndices <= kLargestClippedPolygon) {
            std::swap(split[next].mNumIndices, face.mNumIndices);
            std::swap(split[next].mIndices, face.mIndices);
            ++next;
            continue;
        }
        for (unsigned int k = 1; k + 1 < face.mNumIndices; ++k, ++next) {
            split[next].mNumIndices = 3;
            split[next].mIndices = new unsigned int[3]{face.mIndices[0], face.mIndices[k], face.mIndices[k + 1]};
        }
    }
    delete[] mesh.mFaces;
    mesh.mFaces = split;
    mesh.mNumFaces = static_cast<unsigned int>(faces);
    mesh.mPrimitiveTypes = 0;
    for (unsigned int f = 0; f < mesh.mNumFaces; ++f) {
        const unsigned int corners = mesh.mFaces[f].mNumIndices;
        mesh.mPrimitiveTypes |= corners == 1   ? aiPrimitiveType_POINT
                                : corners == 2 ? aiPrimitiveType_LINE
                                : corners == 3 ? aiPrimitiveType_TRIANGLE
                                               : aiPrimitiveType_POLYGON;
    }
}

// Every triangle of every mesh a node uses, with the node's transform; the hierarchy is walked
// with a stack of its own. A face index outside its mesh is refused (Assimp's validation catches
// it first; this holds even where it would not).
Result collect(const aiScene& scene)
{
    std::vector<MeshTriangle> out;
    std::vector<std::pair<const aiNode*, aiMatrix4x4>> pending{{scene.mRootNode, aiMatrix4x4()}};
    while (!pending.empty()) {
        const auto [node, parent] = pending.back();
        pending.pop_back();
        const aiMatrix4x4 transform = parent * node->mTransformation;
        for (unsigned int m = 0; m < node->mNumMeshes; ++m) {
            if (node->mMeshes[m] >= scene.mNumMeshes)
                return Result::failure("a node names mesh " + std::to_string(node->mMeshes[m]) + " of " +
                                       std::to_string(scene.mNumMeshes));
            const aiMesh& mesh = *scene.mMeshes[node->mMeshes[m]];
            for (unsigned int f = 0; f < mesh.mNumFaces; ++f) {
                const aiFace& face = mesh.mFaces[f];
                if (face.mNumIndices != 3) // points and lines left by triangulation
                    continue;
                MeshTriangle triangle;
                for (int k = 0; k < 3; ++k) {
                    if (face.mIndices[k] >= mesh.mNumVertices)
                        return Result::failure("face " + std::to_string(f) + " uses vertex " +
                                               std::to_string(face.mIndices[k]) + " of " +
                                               std::to_string(mesh.mNumVertices));
                    triangle[k] = toVector(transform * mesh.mVertices[face.mIndices[k]]);
                }
                out.push_back(triangle);
            }
        }
        for (unsigned int c = 0; c < node->mNumChildren; ++c)
            pending.push_back({node->mChildren[c], transform});
    }
    return Result::success(std::move(out));
}

// Assimp's reasons may quote the rest of the file; a log line keeps the beginning.
Result importFailure(const Assimp::Importer& importer)
{
    std::string reason = importer.GetErrorString();
    if (reason.size() > kLongestReason)
        reason = reason.substr(0, kLongestReason) + "...";
    return Result::failure(reason);
}

Result importTriangles(const std::string& path)
{
    Assimp::Importer importer;
    importer.SetIOHandler(new RegularFilesOnly);
    // No vertex joining: the renderer delivers every triangle with its own three vertices anyway.
    const aiScene* scene = importer.ReadFile(path, 0);
    if (!scene || !scene->mRootNode || (scene->mFlags & AI_SCENE_FLAGS_INCOMPLETE))
        return importFailure(importer);
    // Splitting only copies indices; the structure (every index among them) is validated before
    // anything reads a vertex through one.
    for (unsigned int m = 0; m < scene->mNumMeshes; ++m)
        splitLargePolygons(*scene->mMeshes[m]);
    scene = importer.ApplyPostProcessing(aiProcess_ValidateDataStructure | aiProcess_Triangulate |
                                         aiProcess_SortByPType);
    if (!scene)
        return importFailure(importer);

    auto triangles = collect(*scene);
    if (triangles && triangles->empty())
        return Result::failure("the file holds no triangles");
    return triangles;
}

// One import on a thread of its own. Its stack is large, so that formats whose nesting is not
// checked beforehand still cannot run an importer out of it. A caller that stops waiting detaches
// the thread, which finishes on its own (it shares nothing but this record); otherwise the caller
// joins it, so everything the import did happens before the result is used.
struct Import {
    std::string path;
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    std::optional<Result> result;
};

void* runImport(void* argument)
{
    std::unique_ptr<std::shared_ptr<Import>> owner(static_cast<std::shared_ptr<Import>*>(argument));
    const std::shared_ptr<Import> import = *owner;
    owner.reset();
    Result result = Result::failure("the import ended without a result");
    try {
        result = importTriangles(import->path);
    } catch (const std::exception& error) {
        result = Result::failure(error.what());
    }
    std::lock_guard<std::mutex> lock(import->mutex);
    import->result = std::move(result);
    import->finished = true;
    import->done.notify_all();
    return nullptr;
}

} // namespace

Result loadMeshTriangles(const std::string& path, const std::function<bool()>& stopRequested,
                         std::optional<std::chrono::milliseconds> timeLimit)
{
    if (auto regular = platform::regularFileWithin(path, ~std::uint64_t(0)); !regular || !regular.value())
        return Result::failure(regular ? "no such file" : regular.error());
    std::error_code ignored;
    const auto megabytes = static_cast<std::int64_t>(std::filesystem::file_size(path, ignored) >> 20);
    const std::chrono::milliseconds limit = timeLimit.value_or(kBaseTimeLimit + megabytes * kTimeLimitPerMegabyte);
    if (auto nesting = checkMeshNesting(path); !nesting)
        return Result::failure(nesting.error());
    if (auto header = checkPlyHeader(path); !header)
        return Result::failure(header.error());
    if (auto off = checkOffFile(path); !off)
        return Result::failure(off.error());

    if (stopRequested && stopRequested())
        return Result::failure("the load was stopped");
    auto import = std::make_shared<Import>();
    import->path = path;
    pthread_attr_t attributes;
    if (pthread_attr_init(&attributes) != 0)
        return Result::failure("cannot start the import");
    pthread_attr_setstacksize(&attributes, kImportStackBytes);
    auto* argument = new std::shared_ptr<Import>(import);
    pthread_t thread;
    const int started = pthread_create(&thread, &attributes, runImport, argument);
    pthread_attr_destroy(&attributes);
    if (started != 0) {
        delete argument;
        return Result::failure("cannot start the import");
    }

    const auto deadline = std::chrono::steady_clock::now() + limit;
    std::unique_lock<std::mutex> lock(import->mutex);
    while (!import->done.wait_for(lock, kStopPoll, [&] { return import->finished; })) {
        const bool stopped = stopRequested && stopRequested();
        if (stopped || std::chrono::steady_clock::now() > deadline) {
            lock.unlock();
            pthread_detach(thread);
            if (stopped)
                return Result::failure("the load was stopped");
            char seconds[32];
            std::snprintf(seconds, sizeof seconds, "%g", limit.count() / 1000.0);
            return Result::failure(std::string("the import did not finish within ") + seconds + " s");
        }
    }
    lock.unlock();
    pthread_join(thread, nullptr);
    return std::move(*import->result);
}

} // namespace quelmar
