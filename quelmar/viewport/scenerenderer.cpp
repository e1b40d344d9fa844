#include "scenerenderer.h"

#include "shaders.h"
#include "viewcamera.h"

namespace quelmar {

namespace {

enum Slot { kScene, kEdges, kFaces, kMarkers };

const float kSky[4] = {0.72f, 0.82f, 0.92f, 1.0f};
// Lines and dots move this share of their distance towards the eye (see the line shader).
constexpr float kPull = 0.004f;
constexpr float kEdgeWidth = 1.0f;
constexpr float kHighlightedEdgeWidth = 3.0f;

// Positions only, three floats a vertex, at attribute 0.
void describePositions()
{
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 3 * sizeof(float), nullptr);
}

void describeMarkers()
{
    const GLsizei stride = OverlayGeometry::kMarkerFloats * sizeof(float);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, stride, nullptr);
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, 4, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<const void*>(3 * sizeof(float)));
    glEnableVertexAttribArray(2);
    glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<const void*>(7 * sizeof(float)));
}

// Replaces the buffer's data; false when the graphics memory refused it.
template <class T>
bool fill(GLenum target, GLuint buffer, const std::vector<T>& data, GLenum usage)
{
    while (glGetError() != GL_NO_ERROR) {
    }
    glBindBuffer(target, buffer);
    glBufferData(target, static_cast<GLsizeiptr>(data.size() * sizeof(T)), data.empty() ? nullptr : data.data(),
                 usage);
    return glGetError() != GL_OUT_OF_MEMORY;
}

bool fill(GLuint buffer, const std::vector<float>& data, GLenum usage)
{
    return fill(GL_ARRAY_BUFFER, buffer, data, usage);
}

} // namespace

kalmeno::Result<std::unique_ptr<SceneRenderer>> SceneRenderer::create()
{
    using R = kalmeno::Result<std::unique_ptr<SceneRenderer>>;
    std::unique_ptr<SceneRenderer> renderer(new SceneRenderer);
    auto mesh = GlProgram::build("mesh", shaders::kMeshVertex, shaders::kMeshFragment);
    auto line = GlProgram::build("line", shaders::kLineVertex, shaders::kLineFragment);
    auto marker = GlProgram::build("marker", shaders::kMarkerVertex, shaders::kMarkerFragment);
    for (const auto* built : {&mesh, &line, &marker})
        if (!*built)
            return R::failure(built->error());
    renderer->meshProgram_ = std::move(mesh.value());
    renderer->lineProgram_ = std::move(line.value());
    renderer->markerProgram_ = std::move(marker.value());

    glGenVertexArrays(4, renderer->vertexArrays_);
    glGenBuffers(4, renderer->buffers_);
    glGenBuffers(1, &renderer->sceneIndices_);
    for (int slot : {kScene, kEdges, kFaces, kMarkers}) {
        glBindVertexArray(renderer->vertexArrays_[slot]);
        glBindBuffer(GL_ARRAY_BUFFER, renderer->buffers_[slot]);
        if (slot == kMarkers)
            describeMarkers();
        else
            describePositions();
        if (slot == kScene) // the vertex array keeps its index buffer
            glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, renderer->sceneIndices_);
    }
    glBindVertexArray(0);
    return R::success(std::move(renderer));
}

SceneRenderer::~SceneRenderer()
{
    glDeleteBuffers(1, &sceneIndices_);
    glDeleteBuffers(4, buffers_);
    glDeleteVertexArrays(4, vertexArrays_);
}

kalmeno::Status SceneRenderer::uploadScene(const std::shared_ptr<const Scene>& scene)
{
    scene_ = scene;
    meshDraws_.clear();
    SceneMeshes meshes = SceneMeshes::build(*scene);
    glBindVertexArray(vertexArrays_[kScene]);
    const bool stored = fill(buffers_[kScene], meshes.positions, GL_STATIC_DRAW) &&
                        fill(GL_ELEMENT_ARRAY_BUFFER, sceneIndices_, meshes.indices, GL_STATIC_DRAW);
    if (!stored) {
        fill(buffers_[kScene], std::vector<float>{}, GL_STATIC_DRAW);
        fill(GL_ELEMENT_ARRAY_BUFFER, sceneIndices_, std::vector<std::uint32_t>{}, GL_STATIC_DRAW);
    }
    glBindVertexArray(0);
    if (!stored)
        return kalmeno::Status::failure("the graphics memory does not take the scene's " +
                                        std::to_string(meshes.indices.size() / 3) + " triangles");
    meshDraws_ = std::move(meshes.draws);
    return kalmeno::Status::success();
}

void SceneRenderer::uploadOverlay(const HostRender& render)
{
    if (overlayLoaded_ && render.revision() == overlayRevision_)
        return;
    const HostRender::Snapshot snapshot = render.snapshot();
    const OverlayGeometry geometry = OverlayGeometry::build(snapshot);
    const bool stored = fill(buffers_[kEdges], geometry.boxEdges, GL_DYNAMIC_DRAW) &&
                        fill(buffers_[kFaces], geometry.boxFaces, GL_DYNAMIC_DRAW) &&
                        fill(buffers_[kMarkers], geometry.markers, GL_DYNAMIC_DRAW);
    boxDraws_ = stored ? geometry.boxes : std::vector<BoxDraw>{};
    markerCount_ = stored ? geometry.markerCount() : 0;
    depthMode_ = snapshot.depthMode;
    overlayRevision_ = snapshot.revision;
    overlayLoaded_ = true;
}

kalmeno::Status SceneRenderer::draw(const FrameState& frame, const HostRender& render, int width, int height)
{
    kalmeno::Status status = kalmeno::Status::success();
    if (frame.scene && frame.scene != scene_)
        status = uploadScene(frame.scene);
    uploadOverlay(render);

    glViewport(0, 0, width, height);
    glClearColor(kSky[0], kSky[1], kSky[2], kSky[3]);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
    glDisable(GL_CULL_FACE);

    const ViewCamera camera(frame.eye, frame.target, width, height);
    const Eigen::Matrix4f view = camera.view().cast<float>();
    const Eigen::Matrix4f projection = camera.projection().cast<float>();
    for (GlProgram* program : {meshProgram_.get(), lineProgram_.get(), markerProgram_.get()}) {
        program->use();
        program->set("view", view);
        program->set("projection", projection);
    }
    // The sun stands high in the south-east; the view frame turns it with the camera.
    const Eigen::Vector3f sun = (view.topLeftCorner<3, 3>() * Eigen::Vector3f(0.4f, -0.35f, 0.85f)).normalized();
    meshProgram_->use();
    meshProgram_->set("sun", sun);

    drawMeshes(frame, false);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDepthMask(GL_FALSE);
    drawMeshes(frame, true);
    glDepthMask(GL_TRUE);

    // Depth mode shows the dots and boxes that the scene hides.
    if (depthMode_)
        glDisable(GL_DEPTH_TEST);
    drawBoxes();
    drawMarkers();
    glBindVertexArray(0);
    return status;
}

void SceneRenderer::drawMeshes(const FrameState& frame, bool translucent)
{
    meshProgram_->use();
    glBindVertexArray(vertexArrays_[kScene]);
    for (const MeshDraw& mesh : meshDraws_) {
        if (mesh.isTranslucent() != translucent || !(mesh.surface ? frame.surfaceVisible : frame.objectsVisible))
            continue;
        meshProgram_->set("color", mesh.color);
        meshProgram_->set("lit", (mesh.surface ? frame.surfaceLit : frame.objectsLit) ? 1.0f : 0.0f);
        meshProgram_->set("grid", mesh.surface && frame.textures ? 1.0f : 0.0f);
        glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(mesh.indexCount), GL_UNSIGNED_INT,
                       reinterpret_cast<const void*>(mesh.firstIndex * sizeof(std::uint32_t)));
    }
}

void SceneRenderer::drawBoxes()
{
    if (boxDraws_.empty())
        return;
    lineProgram_->use();
    lineProgram_->set("pull", depthMode_ ? 0.0f : kPull);
    glDepthMask(GL_FALSE);
    glBindVertexArray(vertexArrays_[kFaces]);
    for (const BoxDraw& box : boxDraws_)
        if (box.highlighted) {
            lineProgram_->set("color", box.color);
            glDrawArrays(GL_TRIANGLES, static_cast<GLint>(box.firstFaceVertex), 36);
        }
    glDepthMask(GL_TRUE);
    glBindVertexArray(vertexArrays_[kEdges]);
    for (const BoxDraw& box : boxDraws_) {
        const float opaque[4] = {box.color[0], box.color[1], box.color[2], 1.0f};
        lineProgram_->set("color", opaque);
        glLineWidth(box.highlighted ? kHighlightedEdgeWidth : kEdgeWidth);
        glDrawArrays(GL_LINES, static_cast<GLint>(box.firstEdgeVertex), 24);
    }
    glLineWidth(1.0f);
}

void SceneRenderer::drawMarkers()
{
    if (markerCount_ == 0)
        return;
    markerProgram_->use();
    markerProgram_->set("pull", depthMode_ ? 0.0f : kPull);
    glEnable(GL_PROGRAM_POINT_SIZE);
    glBindVertexArray(vertexArrays_[kMarkers]);
    glDrawArrays(GL_POINTS, 0, static_cast<GLsizei>(markerCount_));
}

} // namespace quelmar
