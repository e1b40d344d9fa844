#pragma once
// The viewport's GLSL programs (OpenGL 3.3 core).

namespace quelmar::shaders {

// Scene meshes: flat shading from the sun (normals from the triangles themselves, facing the
// viewer), optionally the ground's 10 m grid.
extern const char* const kMeshVertex;
extern const char* const kMeshFragment;
// Box edges and faces in one colour.
extern const char* const kLineVertex;
extern const char* const kLineFragment;
// Markers: round dots, a highlighted one ringed in white.
extern const char* const kMarkerVertex;
extern const char* const kMarkerFragment;

} // namespace quelmar::shaders
