#pragma once
// The "3D RCS" view: the RCS pattern of one model as a closed coloured surface around the origin,
// with reference circles, angle arcs, axes and a dB colour bar. Drag with the left button to turn,
// use the wheel to move nearer or farther.

#include "rcspattern.h"
#include "result.h"
#include "tmtm.h"

#include <QOpenGLFunctions_1_1>
#include <QOpenGLWidget>
#include <QPoint>
#include <QSize>
#include <QVector3D>

#include <map>
#include <string>

class ColorBarWidget;
class QColor;

class Plot3DWidget : public QOpenGLWidget, protected QOpenGLFunctions_1_1 {
    Q_OBJECT
public:
    explicit Plot3DWidget(QWidget* parent = nullptr);
    ~Plot3DWidget() override;

    // Computes the pattern of `mtm` and keeps it under `mtm.path`, replacing an earlier one.
    // Throws std::runtime_error for a model without points; nothing is stored then.
    void storePattern(const TMtm& mtm);
    // storePattern for event handlers: any failure comes back as the reason instead of an
    // exception, and nothing is stored.
    kalmeno::Status tryStorePattern(const TMtm& mtm);
    // Keeps a pattern computed elsewhere (the tool streams it from the file) under `path`.
    void storePattern(const std::string& path, RcsPattern pattern);
    // Shows the pattern kept under `path`; an unknown path leaves the view as it is.
    void showPattern(const std::string& path);

    const RcsPattern* storedPattern(const std::string& path) const;
    const RcsPattern* shownPattern() const { return currentPattern; }
    ColorBarWidget* colorBarWidget() const { return colorBar; }

    float rotationX() const { return rotX; }
    float rotationY() const { return rotY; }
    float rotationZ() const { return rotZ; }
    float distance() const { return viewDistance; }
    void setRotation(float x, float y);
    // True once the context offered fixed-function OpenGL.
    bool hasOpenGL() const { return glReady; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void initializeGL() override;
    void resizeGL(int w, int h) override;
    void paintGL() override;

private:
    void placeColorBar();
    void buildColorMapTexture();
    void drawPatternSurface();
    void drawReferenceCircles();
    void drawArc(const QVector3D& centre, float radius, float fromAngle, float toAngle,
                 const QVector3D& normal, const QColor& color, float lineWidth);
    void drawArrowhead(const QVector3D& tip, const QVector3D& direction, const QVector3D& normal,
                       const QColor& color, float size);
    void drawAxes();
    void drawLabel(GLuint& slot, const QString& text, const QVector3D& position, float size,
                   const QColor& color);
    void releaseTextures();

    ColorBarWidget* colorBar;
    std::map<std::string, RcsPattern> patterns;
    const RcsPattern* currentPattern = nullptr;
    float rotX = 25.0f;
    float rotY = -48.0f;
    float rotZ = 0.0f;
    float viewDistance = -5.0f;
    QPoint lastPos;
    GLuint labelX = 0;
    GLuint labelY = 0;
    GLuint labelZ = 0;
    GLuint labelTheta = 0;
    GLuint labelPhi = 0;
    GLuint colorMapTexture = 0;
    QSize projectionSize;
    // False when the context offers no fixed-function OpenGL; nothing is drawn then.
    bool glReady = false;
};
