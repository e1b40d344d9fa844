#include "plot3dwidget.h"

#include "colorbarwidget.h"
#include "rcscolor.h"

#include <numbers.h>

#include <QColor>
#include <QFont>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <array>
#include <cmath>
#include <exception>
#include <vector>

namespace {

constexpr float pi = float(platform::pi);
constexpr float circleRadius = 2.0f;
constexpr int circleSegments = 500;
constexpr int arcSegments = 64;
constexpr int colorMapSize = 256;
constexpr int labelImageSize = 128;

void setColor(QOpenGLFunctions_1_1& gl, const QColor& color)
{
    gl.glColor4f(float(color.redF()), float(color.greenF()), float(color.blueF()), float(color.alphaF()));
}

void vertex(QOpenGLFunctions_1_1& gl, const QVector3D& p)
{
    gl.glVertex3f(p.x(), p.y(), p.z());
}

} // namespace

Plot3DWidget::Plot3DWidget(QWidget* parent) : QOpenGLWidget(parent), colorBar(new ColorBarWidget(this))
{
    placeColorBar();
    colorBar->setColorFunction(rcsColor);
    colorBar->setTickCount(10);
    colorBar->show();
}

Plot3DWidget::~Plot3DWidget()
{
    releaseTextures();
}

void Plot3DWidget::releaseTextures()
{
    if (!glReady || !context())
        return;
    makeCurrent();
    for (GLuint* texture : {&labelX, &labelY, &labelZ, &labelTheta, &labelPhi, &colorMapTexture}) {
        if (*texture)
            glDeleteTextures(1, texture);
        *texture = 0;
    }
    doneCurrent();
}

void Plot3DWidget::storePattern(const TMtm& mtm)
{
    storePattern(mtm.path, computePattern(mtm));
}

void Plot3DWidget::storePattern(const std::string& path, RcsPattern pattern)
{
    // Assigning in place keeps `currentPattern` valid when this path is on show.
    patterns[path] = std::move(pattern);
}

kalmeno::Status Plot3DWidget::tryStorePattern(const TMtm& mtm)
{
    try {
        storePattern(mtm);
    } catch (const std::exception& error) {
        return kalmeno::Status::failure(error.what());
    }
    return kalmeno::Status::success();
}

void Plot3DWidget::showPattern(const std::string& path)
{
    const auto found = patterns.find(path);
    if (found == patterns.end())
        return;
    currentPattern = &found->second;
    colorBar->setRange(0.0, patternMaximum(*currentPattern));
    update();
}

const RcsPattern* Plot3DWidget::storedPattern(const std::string& path) const
{
    const auto found = patterns.find(path);
    return found == patterns.end() ? nullptr : &found->second;
}

void Plot3DWidget::setRotation(float x, float y)
{
    rotX = x;
    rotY = y;
    update();
}

void Plot3DWidget::placeColorBar()
{
    colorBar->move(width() - colorBar->width() - 10, 10);
}

void Plot3DWidget::mousePressEvent(QMouseEvent* event)
{
    lastPos = event->pos();
}

void Plot3DWidget::mouseMoveEvent(QMouseEvent* event)
{
    const int dx = event->x() - lastPos.x();
    const int dy = event->y() - lastPos.y();
    if (event->buttons() & Qt::LeftButton) {
        rotY += 0.1f * dx;
        rotX += 0.1f * dy;
        update();
    }
    lastPos = event->pos();
}

void Plot3DWidget::wheelEvent(QWheelEvent* event)
{
    const QPoint degrees = event->angleDelta() / 8;
    if (!degrees.isNull()) {
        viewDistance += (degrees.y() / 15.0f) * 0.2f;
        update();
    }
    event->accept();
}

void Plot3DWidget::initializeGL()
{
    // A new context (the widget moved to another window) holds none of the old textures.
    labelX = labelY = labelZ = labelTheta = labelPhi = colorMapTexture = 0;
    glReady = initializeOpenGLFunctions();
    if (!glReady)
        return;
    glEnable(GL_DEPTH_TEST);
    glClearColor(0.9f, 0.9f, 0.9f, 1.0f);

    buildColorMapTexture();

    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
    const GLfloat ambient[] = {0.6f, 0.6f, 0.6f, 1.0f};
    const GLfloat diffuse[] = {0.3f, 0.3f, 0.3f, 1.0f};
    const GLfloat specular[] = {1.0f, 1.0f, 1.0f, 1.0f};
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    glLightfv(GL_LIGHT0, GL_SPECULAR, specular);
    glLightf(GL_LIGHT0, GL_CONSTANT_ATTENUATION, 1.0f);
    glLightf(GL_LIGHT0, GL_LINEAR_ATTENUATION, 0.0f);
    glLightf(GL_LIGHT0, GL_QUADRATIC_ATTENUATION, 0.0f);
    glEnable(GL_NORMALIZE);
}

void Plot3DWidget::buildColorMapTexture()
{
    if (colorMapTexture)
        return;
    std::array<GLubyte, colorMapSize * 3> texels{};
    for (int i = 0; i < colorMapSize; ++i) {
        const RcsColor c = rcsColor(i / 255.0, 1.0);
        texels[i * 3 + 0] = GLubyte(c.r * 255);
        texels[i * 3 + 1] = GLubyte(c.g * 255);
        texels[i * 3 + 2] = GLubyte(c.b * 255);
    }
    glGenTextures(1, &colorMapTexture);
    glBindTexture(GL_TEXTURE_1D, colorMapTexture);
    glTexImage1D(GL_TEXTURE_1D, 0, GL_RGB, colorMapSize, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
    glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    // GL 1.1 headers may lack the name; the value is fixed by OpenGL 1.2.
    glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_WRAP_S, 0x812F /* GL_CLAMP_TO_EDGE */);
    glBindTexture(GL_TEXTURE_1D, 0);
}

void Plot3DWidget::resizeGL(int w, int h)
{
    placeColorBar();
    if (!glReady)
        return;
    projectionSize = QSize(w, h);
    glViewport(0, 0, w, h);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    const double top = std::tan(platform::pi / 8) * 0.1;
    const double right = top * w / (h == 0 ? 1 : h);
    glFrustum(-right, right, -top, top, 0.1, 1000.0);
    glMatrixMode(GL_MODELVIEW);
}

void Plot3DWidget::paintGL()
{
    if (!glReady)
        return;
    // A widget grabbed without ever being shown gets no resize after its context is made.
    if (projectionSize != size())
        resizeGL(width(), height());
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    // Placed before the scene's transform, the light moves with the viewer.
    const GLfloat lightPosition[] = {0.0f, 0.0f, 0.0f, 1.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, lightPosition);

    glTranslatef(0.0f, 0.0f, viewDistance);
    glRotatef(rotX, 1.0f, 0.0f, 0.0f);
    glRotatef(rotY, 0.0f, 1.0f, 0.0f);
    glRotatef(rotZ, 0.0f, 0.0f, 1.0f);

    drawPatternSurface();
    drawReferenceCircles();
    drawAxes();
}

void Plot3DWidget::drawPatternSurface()
{
    if (!currentPattern || currentPattern->size() < 2)
        return;
    const RcsPattern& pattern = *currentPattern;
    const std::size_t nAz = pattern.size();
    // Rows should be equally long; never read past the shortest.
    std::size_t nEl = pattern.front().size();
    for (const std::vector<double>& row : pattern)
        nEl = std::min(nEl, row.size());
    if (nEl < 2)
        return;

    const double max = patternMaximum(pattern);
    const double scale = max > 0 ? 2.0 / max : 1.0;

    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_TEXTURE_1D);
    glBindTexture(GL_TEXTURE_1D, colorMapTexture);
    glColor3f(1.0f, 1.0f, 1.0f);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

    const double azStep = 360.0 / double(nAz - 1);
    const double elStep = 180.0 / double(nEl - 1);
    std::vector<QVector3D> positions(nAz * nEl);
    std::vector<float> texCoords(nAz * nEl);
    for (std::size_t i = 0; i < nAz; ++i) {
        const double phi = i * azStep * platform::pi / 180.0;
        for (std::size_t j = 0; j < nEl; ++j) {
            const double theta = (j * elStep - 90.0) * platform::pi / 180.0;
            // Values are finite by construction; a hand-made pattern must not poison the mesh.
            const double value = std::isfinite(pattern[i][j]) ? pattern[i][j] : 0.0;
            const double r = scale * value;
            positions[i * nEl + j] = QVector3D(float(r * std::cos(theta) * std::cos(phi)),
                                               float(r * std::cos(theta) * std::sin(phi)),
                                               float(r * std::sin(theta)));
            texCoords[i * nEl + j] = max > 0 ? float(value / max) : 0.0f;
        }
    }

    glBegin(GL_TRIANGLES);
    const auto triangle = [&](std::size_t a, std::size_t b, std::size_t c) {
        const QVector3D normal = (positions[a].normalized() + positions[b].normalized()
                                  + positions[c].normalized())
                                     .normalized();
        glNormal3f(normal.x(), normal.y(), normal.z());
        for (std::size_t k : {a, b, c}) {
            glTexCoord1f(texCoords[k]);
            vertex(*this, positions[k]);
        }
    };
    for (std::size_t i = 0; i + 1 < nAz; ++i) {
        for (std::size_t j = 0; j + 1 < nEl; ++j) {
            const std::size_t v00 = i * nEl + j;
            const std::size_t v10 = (i + 1) * nEl + j;
            const std::size_t v01 = i * nEl + j + 1;
            const std::size_t v11 = (i + 1) * nEl + j + 1;
            triangle(v00, v10, v01);
            triangle(v10, v11, v01);
        }
    }
    glEnd();

    glDisable(GL_TEXTURE_1D);
    glDisable(GL_LIGHTING);
}

void Plot3DWidget::drawReferenceCircles()
{
    glPushAttrib(GL_LINE_BIT | GL_LIGHTING_BIT);
    glDisable(GL_LIGHTING);
    glLineWidth(1.5f);
    const float R = circleRadius;
    const auto loop = [&](float r, float g, float b, auto point) {
        glColor3f(r, g, b);
        glBegin(GL_LINE_LOOP);
        for (int k = 0; k < circleSegments; ++k) {
            const float angle = k * 2.0f * pi / circleSegments;
            vertex(*this, point(R * std::cos(angle), R * std::sin(angle)));
        }
        glEnd();
    };
    loop(0.0f, 0.8f, 0.0f, [](float c, float s) { return QVector3D(c, s, 0); });
    loop(0.8f, 0.0f, 0.0f, [](float c, float s) { return QVector3D(c, 0, s); });
    loop(0.0f, 0.0f, 0.8f, [](float c, float s) { return QVector3D(0, c, s); });

    const float arcRadius = 1.1f * R;
    const QColor arcColor(Qt::darkGray);
    drawArc({0, 0, 0}, arcRadius, -pi / 2, -7 * pi / 16, {0, 0, 1}, arcColor, 2.0f);
    drawArc({0, 0, 0}, arcRadius, 3 * pi / 2, 23 * pi / 16, {0, 1, 0}, arcColor, 2.0f);
    drawLabel(labelPhi, QStringLiteral("ϕ"), {2.3f, 0.4f, 0.0f}, 0.1f, QColor(Qt::gray));
    drawLabel(labelTheta, QStringLiteral("θ"), {2.3f, 0.0f, 0.4f}, 0.1f, QColor(Qt::gray));
    glPopAttrib();
}

void Plot3DWidget::drawArc(const QVector3D& centre, float radius, float fromAngle, float toAngle,
                           const QVector3D& normal, const QColor& color, float lineWidth)
{
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT);
    glDisable(GL_LIGHTING);
    glLineWidth(lineWidth);
    const QVector3D n = normal.normalized();
    const QVector3D reference = std::fabs(n.x()) < 0.9f ? QVector3D(1, 0, 0) : QVector3D(0, 1, 0);
    const QVector3D u = QVector3D::crossProduct(n, reference).normalized();
    const QVector3D v = QVector3D::crossProduct(n, u).normalized();

    setColor(*this, color);
    glBegin(GL_LINE_STRIP);
    for (int k = 0; k <= arcSegments; ++k) {
        const float angle = fromAngle + k * (toAngle - fromAngle) / arcSegments;
        vertex(*this, centre + radius * (u * std::cos(angle) + v * std::sin(angle)));
    }
    glEnd();

    const QVector3D tip = centre + radius * (u * std::cos(toAngle) + v * std::sin(toAngle));
    const float sense = fromAngle - toAngle >= 0 ? 1.0f : -1.0f;
    const QVector3D direction = (u * std::sin(toAngle) - v * std::cos(toAngle)) * sense;
    drawArrowhead(tip, direction, n, color, 0.03f * radius);
    glPopAttrib();
}

void Plot3DWidget::drawArrowhead(const QVector3D& tip, const QVector3D& direction, const QVector3D& normal,
                                 const QColor& color, float size)
{
    const QVector3D d = direction.normalized();
    const QVector3D side = QVector3D::crossProduct(d, normal).normalized();
    setColor(*this, color);
    glBegin(GL_TRIANGLES);
    vertex(*this, tip + size * d);
    vertex(*this, tip - side * size / 2 - d * size / 2);
    vertex(*this, tip + side * size / 2 - d * size / 2);
    glEnd();
}

void Plot3DWidget::drawAxes()
{
    glLineWidth(2.0f);
    glBegin(GL_LINES);
    glColor3f(0, 0, 1);
    glVertex3f(0, 0, 0);
    glVertex3f(2, 0, 0);
    glColor3f(1, 0, 0);
    glVertex3f(0, 0, 0);
    glVertex3f(0, 2, 0);
    glColor3f(0, 1, 0);
    glVertex3f(0, 0, 0);
    glVertex3f(0, 0, 2);
    glEnd();
    drawLabel(labelX, QStringLiteral("X"), {2.1f, 0, 0}, 0.1f, QColor(Qt::blue));
    drawLabel(labelY, QStringLiteral("Y"), {0, 2.1f, 0}, 0.1f, QColor(Qt::red));
    drawLabel(labelZ, QStringLiteral("Z"), {0, 0, 2.1f}, 0.1f, QColor(Qt::green));
}

void Plot3DWidget::drawLabel(GLuint& slot, const QString& text, const QVector3D& position, float size,
                             const QColor& color)
{
    if (slot == 0) {
        QImage image(labelImageSize, labelImageSize, QImage::Format_RGBA8888);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setPen(color);
            painter.setBackgroundMode(Qt::TransparentMode);
            QFont font(QStringLiteral("Arial"), 48);
            font.setWeight(75);
            painter.setFont(font);
            painter.drawText(image.rect(), Qt::AlignCenter, text);
        }
        glGenTextures(1, &slot);
        glBindTexture(GL_TEXTURE_2D, slot);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, labelImageSize, labelImageSize, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     image.constBits());
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glBindTexture(GL_TEXTURE_2D, 0);
    }

    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT);
    glPushMatrix();
    glTranslatef(position.x(), position.y(), position.z());
    // Keep the scale and the position but drop the rotation, so the label faces the viewer.
    GLfloat m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    const float sx = std::sqrt(m[0] * m[0] + m[4] * m[4] + m[8] * m[8]);
    const float sy = std::sqrt(m[1] * m[1] + m[5] * m[5] + m[9] * m[9]);
    const float sz = std::sqrt(m[2] * m[2] + m[6] * m[6] + m[10] * m[10]);
    m[0] = sx, m[4] = 0, m[8] = 0;
    m[1] = 0, m[5] = sy, m[9] = 0;
    m[2] = 0, m[6] = 0, m[10] = sz;
    glLoadMatrixf(m);

    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, slot);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_LIGHTING);
    glDepthMask(GL_FALSE);
    glColor3f(1, 1, 1);
    const float half = size / 2;
    glBegin(GL_QUADS);
    glTexCoord2f(0, 1);
    glVertex3f(-half, -half, 0);
    glTexCoord2f(1, 1);
    glVertex3f(half, -half, 0);
    glTexCoord2f(1, 0);
    glVertex3f(half, half, 0);
    glTexCoord2f(0, 0);
    glVertex3f(-half, half, 0);
    glEnd();
    glPopMatrix();
    glPopAttrib();
    glDepthMask(GL_TRUE);
}
