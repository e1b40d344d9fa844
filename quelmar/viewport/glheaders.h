#pragma once
// OpenGL 3.3 core through the system's libGL, which exports every entry point itself.

#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>
