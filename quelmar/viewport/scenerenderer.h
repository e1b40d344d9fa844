#pragma once
// Draws one frame of the viewport: the ground and the objects' meshes as the frame's layers say,
// then the plug-in's boxes and markers. The scene's vertices go to the graphics memory once per
// loaded scene, the boxes and markers whenever the render object changed. Needs the current
// OpenGL context for its whole life.

#include "framestate.h"
#include "glprogram.h"
#include "hostrender.h"
#include "scenemeshes.h"
#include "overlaygeometry.h"

#include <memory>

namespace quelmar {

class SceneRenderer {
public:
    static kalmeno::Result<std::unique_ptr<SceneRenderer>> create();
    ~SceneRenderer();
    SceneRenderer(const SceneRenderer&) = delete;
    SceneRenderer& operator=(const SceneRenderer&) = delete;

    // Into the current framebuffer of width × height pixels. Fails when the graphics memory does
    // not take the scene; the frame then shows what fitted.
    kalmeno::Status draw(const FrameState& frame, const HostRender& render, int width, int height);

private:
    SceneRenderer() = default;
    kalmeno::Status uploadScene(const std::shared_ptr<const Scene>& scene);
    void uploadOverlay(const HostRender& render);
    void drawMeshes(const FrameState& frame, bool translucent);
    void drawBoxes();
    void drawMarkers();

    std::unique_ptr<GlProgram> meshProgram_;
    std::unique_ptr<GlProgram> lineProgram_;
    std::unique_ptr<GlProgram> markerProgram_;

    GLuint vertexArrays_[4] = {};  // scene, box edges, box faces, markers
    GLuint buffers_[4] = {};
    GLuint sceneIndices_ = 0;

    std::shared_ptr<const Scene> scene_;
    std::vector<MeshDraw> meshDraws_;

    bool overlayLoaded_ = false;
    std::uint64_t overlayRevision_ = 0;
    std::vector<BoxDraw> boxDraws_;
    std::size_t markerCount_ = 0;
    bool depthMode_ = false;
};

} // namespace quelmar
