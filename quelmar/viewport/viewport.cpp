#include "viewport.h"

#include "dynamiclibrary.h"
#include "glheaders.h"
#include "pngfile.h"

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

#include <cstdlib>
#include <cstring>
#include <thread>

namespace quelmar {

namespace {

using namespace std::chrono_literals;

// Without a window manager the viewport raises itself this often while the plug-in's window
// comes up, then only when a new scene is in place or the user clicks it.
constexpr auto kSettleTime = 5s;
constexpr auto kRaisePeriod = 250ms;
// The window's own redraws (exposure, resizing) wait until the engine has handed over no frame
// for this long: otherwise the next frame comes anyway.
constexpr auto kIdleBeforeRefresh = 250ms;
constexpr auto kDoubleClick = 400ms;
constexpr int kConnectAttempts = 10;

std::string glfwProblem()
{
    const char* description = nullptr;
    glfwGetError(&description);
    return description ? description : "no reason given";
}

std::string fileName(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

Viewport& viewportOf(GLFWwindow* window)
{
    return *static_cast<Viewport*>(glfwGetWindowUserPointer(window));
}

} // namespace

kalmeno::Result<std::unique_ptr<Viewport>> Viewport::open(HostEngine& engine, HostLogger& logger,
                                                          const ViewportSettings& settings)
{
    using R = kalmeno::Result<std::unique_ptr<Viewport>>;
    // An X server refuses connections for a moment while it resets after its last client left.
    for (int attempt = 1; !glfwInit(); ++attempt) {
        if (attempt == kConnectAttempts || !std::getenv("DISPLAY"))
            return R::failure("no display for the viewport: " + glfwProblem());
        std::this_thread::sleep_for(100ms);
    }
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_DEPTH_BITS, 24);
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE); // placed first, shown then
    // The plug-in's window keeps the keyboard: the viewport is shown beside it, not in its way.
    glfwWindowHint(GLFW_FOCUSED, GLFW_FALSE);
    glfwWindowHint(GLFW_FOCUS_ON_SHOW, GLFW_FALSE);
    glfwWindowHintString(GLFW_X11_CLASS_NAME, "quelmar");
    glfwWindowHintString(GLFW_X11_INSTANCE_NAME, "quelmar");
    GLFWwindow* window = glfwCreateWindow(settings.width, settings.height, "Quelmar", nullptr, nullptr);
    if (!window) {
        const std::string problem = glfwProblem();
        glfwTerminate();
        return R::failure("cannot open the viewport: " + problem);
    }
    glfwMakeContextCurrent(window);
    glfwSwapInterval(0); // the engine's frame rate paces the frames
#if defined(__SANITIZE_ADDRESS__)
    // OpenGL is up, Mesa's driver is in: glfwTerminate would unload it before the leak check,
    // which then could not name the driver's allocations.
    platform::pinLoadedLibraries();
#endif
    auto renderer = SceneRenderer::create();
    if (!renderer) {
        glfwDestroyWindow(window);
        glfwTerminate();
        return R::failure("cannot draw the viewport: " + renderer.error());
    }
    // The bottom right corner of the screen, where the plug-in's centred window leaves most room.
    if (GLFWmonitor* monitor = glfwGetPrimaryMonitor()) {
        int x = 0, y = 0, width = 0, height = 0;
        glfwGetMonitorWorkarea(monitor, &x, &y, &width, &height);
        if (width > settings.width && height > settings.height)
            glfwSetWindowPos(window, x + width - settings.width, y + height - settings.height);
    }
    glfwShowWindow(window);
    std::unique_ptr<Viewport> viewport(new Viewport(engine, logger, settings, window, std::move(renderer.value())));
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    const char* rendererName = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    logger.hostInfo(std::string("Viewport open: OpenGL ") + (version ? version : "?") + " on " +
                    (rendererName ? rendererName : "?"));
    return R::success(std::move(viewport));
}

Viewport::Viewport(HostEngine& engine, HostLogger& logger, const ViewportSettings& settings, GLFWwindow* window,
                   std::unique_ptr<SceneRenderer> renderer)
    : engine_(engine), logger_(logger), settings_(settings), window_(window), renderer_(std::move(renderer)),
      handoff_([] { glfwPostEmptyEvent(); }), stacking_(window), opened_(std::chrono::steady_clock::now()),
      lastHandedFrame_(opened_)
{
    lastFrame_.scene = std::make_shared<Scene>();
    glfwSetWindowUserPointer(window_, this);
    glfwSetMouseButtonCallback(window_, [](GLFWwindow* w, int button, int action, int) {
        viewportOf(w).onMouseButton(button, action);
    });
    glfwSetCursorPosCallback(window_, [](GLFWwindow* w, double x, double y) { viewportOf(w).onCursor(x, y); });
    glfwSetScrollCallback(window_, [](GLFWwindow* w, double, double steps) { viewportOf(w).onScroll(steps); });
    glfwSetKeyCallback(window_, [](GLFWwindow* w, int key, int, int action, int) { viewportOf(w).onKey(key, action); });
    glfwSetWindowRefreshCallback(window_, [](GLFWwindow* w) { viewportOf(w).needsRefresh_ = true; });
    glfwSetFramebufferSizeCallback(window_, [](GLFWwindow* w, int, int) { viewportOf(w).needsRefresh_ = true; });
    engine_.setFrameDrawer(&handoff_);
}

Viewport::~Viewport()
{
    detach();
    renderer_.reset(); // its OpenGL objects go with the context
    glfwDestroyWindow(window_);
    glfwTerminate();
}

void Viewport::detach()
{
    if (!attached_)
        return;
    attached_ = false;
    handoff_.close(); // first, or the engine would wait for this thread in the middle of a frame
    engine_.setFrameDrawer(nullptr);
}

bool Viewport::closeRequested() const
{
    return glfwWindowShouldClose(window_);
}

void Viewport::serve(std::chrono::milliseconds maxWait)
{
    if (drawHandedFrame()) {
        glfwPollEvents();
    } else {
        glfwWaitEventsTimeout(std::chrono::duration<double>(maxWait).count());
        drawHandedFrame();
    }
    // A due screenshot does not wait for a scene: it takes the picture as it is.
    if ((needsRefresh_ || screenshotDue()) &&
        std::chrono::steady_clock::now() - lastHandedFrame_ >= kIdleBeforeRefresh)
        drawFrame(lastFrame_);
    keepInView(false);
}

bool Viewport::drawHandedFrame()
{
    std::optional<FrameState> frame = handoff_.takeFrame();
    if (!frame)
        return false;
    const bool newScene = frame->scene != lastFrame_.scene;
    lastFrame_ = std::move(*frame);
    lastHandedFrame_ = std::chrono::steady_clock::now();
    drawFrame(lastFrame_);
    handoff_.frameDrawn();
    if (newScene) {
        const std::string name = fileName(lastFrame_.scene->sourcePath);
        glfwSetWindowTitle(window_, name.empty() ? "Quelmar" : ("Quelmar - " + name).c_str());
        keepInView(true);
    }
    return true;
}

void Viewport::drawFrame(const FrameState& frame, RgbaImage* picture)
{
    int width = 0, height = 0;
    glfwGetFramebufferSize(window_, &width, &height);
    if (width <= 0 || height <= 0) // iconified
        return;
    const kalmeno::Status drawn = renderer_->draw(frame, engine_.render(), width, height);
    if (!drawn && drawn.error() != lastDrawError_)
        logger_.hostError("Viewport: " + drawn.error());
    lastDrawError_ = drawn ? std::string() : drawn.error();
    ++framesDrawn_;
    needsRefresh_ = false;
    takeScreenshotIfDue(width, height);
    if (picture)
        *picture = readPicture(width, height);
    glfwSwapBuffers(window_);
}

RgbaImage Viewport::drawAndRead(const FrameState& frame)
{
    RgbaImage picture;
    drawFrame(frame, &picture);
    return picture;
}

RgbaImage Viewport::readPicture(int width, int height) const
{
    RgbaImage picture;
    picture.width = width;
    picture.height = height;
    const std::size_t row = static_cast<std::size_t>(width) * 4;
    std::vector<std::uint8_t> bottomUp(row * static_cast<std::size_t>(height));
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
    picture.pixels.resize(bottomUp.size());
    for (int y = 0; y < height; ++y)
        std::memcpy(picture.pixels.data() + static_cast<std::size_t>(y) * row,
                    bottomUp.data() + static_cast<std::size_t>(height - 1 - y) * row, row);
    // The window is opaque whatever blending left in the alpha channel.
    for (std::size_t i = 3; i < picture.pixels.size(); i += 4)
        picture.pixels[i] = 255;
    return picture;
}

bool Viewport::screenshotDue() const
{
    return !settings_.screenshotPath.empty() && !screenshotTaken_ &&
           std::chrono::steady_clock::now() - opened_ >= std::chrono::duration<double>(settings_.screenshotAfterSeconds);
}

void Viewport::takeScreenshotIfDue(int width, int height)
{
    if (!screenshotDue())
        return;
    screenshotTaken_ = true;
    const kalmeno::Status written = writePng(settings_.screenshotPath, readPicture(width, height));
    if (written)
        logger_.hostInfo("Viewport written to " + settings_.screenshotPath);
    else
        logger_.hostError("Cannot write the viewport to " + settings_.screenshotPath + ": " + written.error());
}

void Viewport::keepInView(bool newScene)
{
    if (stacking_.hasWindowManager())
        return;
    const auto now = std::chrono::steady_clock::now();
    if (newScene || (now - opened_ < kSettleTime && now - lastRaise_ >= kRaisePeriod)) {
        stacking_.raise();
        lastRaise_ = now;
    }
}

void Viewport::onMouseButton(int button, int action)
{
    if (button != GLFW_MOUSE_BUTTON_LEFT)
        return;
    const auto now = std::chrono::steady_clock::now();
    if (action == GLFW_RELEASE) {
        dragging_ = false;
        // A double click gives the camera back to its path; it needs no keyboard focus, which a
        // display without a window manager never hands to the viewport.
        if (!moved_ && now - lastClick_ < kDoubleClick)
            engine_.channel().camera().releaseToPath();
        lastClick_ = moved_ ? std::chrono::steady_clock::time_point() : now;
        return;
    }
    dragging_ = true;
    moved_ = false;
    glfwGetCursorPos(window_, &cursorX_, &cursorY_);
    if (!stacking_.hasWindowManager())
        stacking_.raise();
}

void Viewport::onCursor(double x, double y)
{
    if (dragging_ && (x != cursorX_ || y != cursorY_)) {
        if (!moved_) // the drag takes the camera from wherever its path has brought it
            control_.start(engine_.channel().camera().position(), lastFrame_.target);
        moved_ = true;
        control_.turn(x - cursorX_, y - cursorY_);
        holdCamera();
    }
    cursorX_ = x;
    cursorY_ = y;
}

void Viewport::onScroll(double steps)
{
    if (!engine_.channel().camera().isHeld())
        control_.start(engine_.channel().camera().position(), lastFrame_.target);
    control_.zoom(steps);
    holdCamera();
}

void Viewport::onKey(int key, int action)
{
    if (action == GLFW_PRESS && (key == GLFW_KEY_O || key == GLFW_KEY_HOME))
        engine_.channel().camera().releaseToPath();
}

void Viewport::holdCamera()
{
    engine_.channel().camera().holdAt(control_.eye());
}

} // namespace quelmar
