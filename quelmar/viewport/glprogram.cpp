#include "glprogram.h"

#include <vector>

namespace quelmar {

namespace {

std::string shaderLog(GLuint shader)
{
    GLint length = 0;
    glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
    std::vector<char> text(static_cast<std::size_t>(length > 0 ? length : 1), '\0');
    glGetShaderInfoLog(shader, static_cast<GLsizei>(text.size()), nullptr, text.data());
    return text.data();
}

std::string programLog(GLuint program)
{
    GLint length = 0;
    glGetProgramiv(program, GL_INFO_LOG_LENGTH, &length);
    std::vector<char> text(static_cast<std::size_t>(length > 0 ? length : 1), '\0');
    glGetProgramInfoLog(program, static_cast<GLsizei>(text.size()), nullptr, text.data());
    return text.data();
}

kalmeno::Result<GLuint> compile(GLenum kind, const char* source)
{
    const GLuint shader = glCreateShader(kind);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok != GL_TRUE) {
        const std::string log = shaderLog(shader);
        glDeleteShader(shader);
        return kalmeno::Result<GLuint>::failure(log);
    }
    return kalmeno::Result<GLuint>::success(shader);
}

} // namespace

kalmeno::Result<std::unique_ptr<GlProgram>> GlProgram::build(const std::string& name, const char* vertexSource,
                                                              const char* fragmentSource)
{
    using R = kalmeno::Result<std::unique_ptr<GlProgram>>;
    auto vertex = compile(GL_VERTEX_SHADER, vertexSource);
    if (!vertex)
        return R::failure("the " + name + " vertex shader does not compile: " + vertex.error());
    auto fragment = compile(GL_FRAGMENT_SHADER, fragmentSource);
    if (!fragment) {
        glDeleteShader(vertex.value());
        return R::failure("the " + name + " fragment shader does not compile: " + fragment.error());
    }
    const GLuint program = glCreateProgram();
    glAttachShader(program, vertex.value());
    glAttachShader(program, fragment.value());
    glLinkProgram(program);
    glDeleteShader(vertex.value());
    glDeleteShader(fragment.value());
    GLint ok = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &ok);
    if (ok != GL_TRUE) {
        const std::string log = programLog(program);
        glDeleteProgram(program);
        return R::failure("the " + name + " program does not link: " + log);
    }
    return R::success(std::unique_ptr<GlProgram>(new GlProgram(program)));
}

GlProgram::~GlProgram()
{
    glDeleteProgram(program_);
}

void GlProgram::use() const
{
    glUseProgram(program_);
}

GLint GlProgram::location(const char* uniform)
{
    auto it = locations_.find(uniform);
    if (it == locations_.end())
        it = locations_.emplace(uniform, glGetUniformLocation(program_, uniform)).first;
    return it->second;
}

void GlProgram::set(const char* uniform, float value)
{
    glUniform1f(location(uniform), value);
}

void GlProgram::set(const char* uniform, const Eigen::Vector3f& value)
{
    glUniform3f(location(uniform), value.x(), value.y(), value.z());
}

void GlProgram::set(const char* uniform, const float rgba[4])
{
    glUniform4fv(location(uniform), 1, rgba);
}

void GlProgram::set(const char* uniform, const Eigen::Matrix4f& value)
{
    glUniformMatrix4fv(location(uniform), 1, GL_FALSE, value.data()); // Eigen stores columns first, as GL
}

} // namespace quelmar
