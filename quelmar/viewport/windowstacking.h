#pragma once
// Where the viewport stands among the display's windows. Without a window manager nobody else
// raises it, and the plug-in's window, mapped later, would cover it: it then raises itself, never
// taking the keyboard focus.

struct GLFWwindow;

namespace quelmar {

class WindowStacking {
public:
    explicit WindowStacking(GLFWwindow* window);

    bool hasWindowManager() const { return windowManager_; }
    // Above the display's other windows.
    void raise();

private:
    GLFWwindow* window_;
    bool windowManager_;
};

} // namespace quelmar
