#include "shaders.h"

namespace quelmar::shaders {

const char* const kMeshVertex = R"(#version 330 core
layout(location = 0) in vec3 position;
uniform mat4 view;
uniform mat4 projection;
out vec3 viewPosition;
out vec2 ground;
void main()
{
    vec4 p = view * vec4(position, 1.0);
    viewPosition = p.xyz;
    ground = position.xy;
    gl_Position = projection * p;
}
)";

const char* const kMeshFragment = R"(#version 330 core
in vec3 viewPosition;
in vec2 ground;
uniform vec4 color;
uniform float lit;  // 1: shaded by the sun
uniform float grid; // 1: the ground's grid lines
uniform vec3 sun;   // towards the sun, in the view frame
out vec4 fragColor;
void main()
{
    vec3 rgb = color.rgb;
    if (grid > 0.5) {
        vec2 cells = ground / 10.0;
        vec2 distance = abs(fract(cells - 0.5) - 0.5) / max(fwidth(cells), vec2(1e-6));
        rgb = mix(rgb, rgb * 0.55, 1.0 - min(min(distance.x, distance.y), 1.0));
    }
    if (lit > 0.5) {
        vec3 normal = normalize(cross(dFdx(viewPosition), dFdy(viewPosition)));
        if (dot(normal, viewPosition) > 0.0)
            normal = -normal;
        rgb *= 0.4 + 0.6 * max(dot(normal, sun), 0.0);
    }
    fragColor = vec4(rgb, color.a);
}
)";

// `pull` moves a vertex that share of its distance towards the eye: lines and dots on a surface
// then win the depth test against it without moving on the screen.
const char* const kLineVertex = R"(#version 330 core
layout(location = 0) in vec3 position;
uniform mat4 view;
uniform mat4 projection;
uniform float pull;
void main()
{
    vec4 p = view * vec4(position, 1.0);
    p.xyz *= 1.0 - pull;
    gl_Position = projection * p;
}
)";

const char* const kLineFragment = R"(#version 330 core
uniform vec4 color;
out vec4 fragColor;
void main()
{
    fragColor = color;
}
)";

const char* const kMarkerVertex = R"(#version 330 core
layout(location = 0) in vec3 position;
layout(location = 1) in vec4 color;
layout(location = 2) in vec2 diameterAndRing;
uniform mat4 view;
uniform mat4 projection;
uniform float pull;
out vec4 markerColor;
out float ringFrom;
void main()
{
    vec4 p = view * vec4(position, 1.0);
    p.xyz *= 1.0 - pull;
    gl_Position = projection * p;
    gl_PointSize = diameterAndRing.x;
    markerColor = color;
    ringFrom = diameterAndRing.y > 0.0 ? 1.0 - 2.0 * diameterAndRing.y / diameterAndRing.x : 2.0;
}
)";

const char* const kMarkerFragment = R"(#version 330 core
in vec4 markerColor;
in float ringFrom;
out vec4 fragColor;
void main()
{
    float r = length(gl_PointCoord * 2.0 - 1.0);
    if (r > 1.0)
        discard;
    fragColor = r > ringFrom ? vec4(1.0) : markerColor;
}
)";

} // namespace quelmar::shaders
