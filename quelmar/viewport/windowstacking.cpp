#include "windowstacking.h"

#define GLFW_INCLUDE_NONE
#define GLFW_EXPOSE_NATIVE_X11
#include <GLFW/glfw3.h>
#include <GLFW/glfw3native.h>

#include <X11/Xatom.h>

namespace quelmar {

namespace {

// An EWMH window manager names its check window on the root window.
bool windowManagerRuns(Display* display)
{
    if (!display)
        return false;
    const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
    if (check == None)
        return false;
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    const int status = XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False, XA_WINDOW, &type,
                                          &format, &count, &remaining, &data);
    if (data)
        XFree(data);
    return status == Success && type == XA_WINDOW && count == 1;
}

} // namespace

WindowStacking::WindowStacking(GLFWwindow* window)
    : window_(window), windowManager_(windowManagerRuns(glfwGetX11Display()))
{
}

void WindowStacking::raise()
{
    Display* display = glfwGetX11Display();
    const Window window = glfwGetX11Window(window_);
    if (!display || !window)
        return;
    XRaiseWindow(display, window);
    XFlush(display);
}

} // namespace quelmar
