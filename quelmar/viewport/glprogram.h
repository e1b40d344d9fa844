#pragma once
// One linked GLSL program and its uniforms by name. Needs the current OpenGL context for its
// whole life.

#include "glheaders.h"
#include "result.h"

#include <Eigen/Core>

#include <map>
#include <memory>
#include <string>

namespace quelmar {

class GlProgram {
public:
    static kalmeno::Result<std::unique_ptr<GlProgram>> build(const std::string& name, const char* vertexSource,
                                                             const char* fragmentSource);
    ~GlProgram();
    GlProgram(const GlProgram&) = delete;
    GlProgram& operator=(const GlProgram&) = delete;

    void use() const;
    void set(const char* uniform, float value);
    void set(const char* uniform, const Eigen::Vector3f& value);
    void set(const char* uniform, const float rgba[4]);
    void set(const char* uniform, const Eigen::Matrix4f& value);

private:
    explicit GlProgram(GLuint program) : program_(program) {}
    GLint location(const char* uniform);

    GLuint program_;
    std::map<std::string, GLint> locations_;
};

} // namespace quelmar
