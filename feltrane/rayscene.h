#pragma once
// The facets as an Embree scene, for shadow rays and bouncing rays. Single precision,
// as Embree traces.

#include "facetmesh.h"
#include "result.h"

#include <Eigen/Core>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace feltrane {

class RayScene {
public:
    static kalmeno::Result<RayScene> build(const FacetMesh& mesh);

    RayScene(RayScene&& other) noexcept;
    RayScene& operator=(RayScene&& other) noexcept;
    RayScene(const RayScene&) = delete;
    RayScene& operator=(const RayScene&) = delete;
    ~RayScene();

    // For `count` rays from origins (x, y, z interleaved) along `direction` (unit length),
    // clear[i] = 1 when ray i hits no facet, 0 when it does. Callable from many threads at once.
    void findClear(const float* origins, std::size_t count, const Eigen::Vector3f& direction,
                   std::uint8_t* clear) const;

    // For `count` rays from origins along directions (both x, y, z interleaved; unit length), the
    // index of the facet each ray meets first into facets[i], kNoFacet when none. `coherent`: the
    // rays are parallel and neighbours, which Embree traces faster. Callable from many threads.
    static constexpr std::uint32_t kNoFacet = ~0u;
    void findHits(const float* origins, const float* directions, std::size_t count, bool coherent,
                  std::uint32_t* facets) const;

    // Bytes Embree holds for the scene (its acceleration structure and buffers), and the most it
    // held while building it.
    std::size_t memoryBytes() const;
    std::size_t peakMemoryBytes() const;

    struct Handles; // Embree's handles, named here for its callbacks


private:
    explicit RayScene(std::unique_ptr<Handles> handles);
    std::unique_ptr<Handles> handles_;
};

} // namespace feltrane
