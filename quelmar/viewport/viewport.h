#pragma once
// The host's 3-D window: the engine's frames drawn on the host's main thread, with the mouse on
// the camera. The engine hands each frame over between events 4 and 10 and waits until it is
// drawn (FrameHandoff); serve() draws it and keeps the window's events and its picture going.
// GLFW and OpenGL belong to the thread that opens the viewport, which must be the main thread.

#include "cameracontrol.h"
#include "framehandoff.h"
#include "hostengine.h"
#include "hostlogger.h"
#include "result.h"
#include "rgbaimage.h"
#include "scenerenderer.h"
#include "windowstacking.h"

#include <atomic>
#include <chrono>
#include <memory>
#include <optional>
#include <string>

struct GLFWwindow;

namespace quelmar {

struct ViewportSettings {
    int width = 600;
    int height = 450;
    std::string screenshotPath;          // written once, when given
    double screenshotAfterSeconds = 0.0; // at the first frame this long after opening
};

class Viewport {
public:
    // Fails without a display or without OpenGL 3.3; the host then runs without a viewport.
    static kalmeno::Result<std::unique_ptr<Viewport>> open(HostEngine& engine, HostLogger& logger,
                                                           const ViewportSettings& settings);
    ~Viewport();
    Viewport(const Viewport&) = delete;
    Viewport& operator=(const Viewport&) = delete;

    // One turn of the main loop: draws the frame the engine handed over, or waits up to `maxWait`
    // for one or for a window event.
    void serve(std::chrono::milliseconds maxWait);
    // The user closed the window.
    bool closeRequested() const;
    // Any thread.
    std::uint64_t framesDrawn() const { return framesDrawn_.load(); }

    // Draws `frame` at once and reads the picture back (outside the engine's frames: tests).
    RgbaImage drawAndRead(const FrameState& frame);

    // The engine's frames pass undrawn from now on; releases a frame waiting to be drawn.
    void detach();

private:
    Viewport(HostEngine& engine, HostLogger& logger, const ViewportSettings& settings, GLFWwindow* window,
             std::unique_ptr<SceneRenderer> renderer);

    bool drawHandedFrame();
    // Draws, takes the screenshot when due and shows the picture; `picture` receives it when given.
    void drawFrame(const FrameState& frame, RgbaImage* picture = nullptr);
    RgbaImage readPicture(int width, int height) const;
    bool screenshotDue() const;
    void takeScreenshotIfDue(int width, int height);
    void keepInView(bool newScene);

    void onMouseButton(int button, int action);
    void onCursor(double x, double y);
    void onScroll(double steps);
    void onKey(int key, int action);
    void holdCamera();

    HostEngine& engine_;
    HostLogger& logger_;
    ViewportSettings settings_;
    GLFWwindow* window_;
    std::unique_ptr<SceneRenderer> renderer_;
    FrameHandoff handoff_;
    WindowStacking stacking_;
    bool attached_ = true;

    FrameState lastFrame_;
    std::atomic<std::uint64_t> framesDrawn_{0};
    std::chrono::steady_clock::time_point opened_;
    std::chrono::steady_clock::time_point lastHandedFrame_;
    std::chrono::steady_clock::time_point lastRaise_;
    bool needsRefresh_ = true;
    bool screenshotTaken_ = false;
    std::string lastDrawError_;

    CameraControl control_;
    bool dragging_ = false;
    bool moved_ = false; // since the button went down
    std::chrono::steady_clock::time_point lastClick_;
    double cursorX_ = 0.0;
    double cursorY_ = 0.0;
};

} // namespace quelmar
