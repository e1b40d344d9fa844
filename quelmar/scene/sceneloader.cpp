#include "sceneloader.h"

#include "bodyframe.h"
#include "meshloader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>

#include <cfloat>
#include <cmath>
#include <optional>

namespace quelmar {

namespace {

// 256 × 256 squares: 131072 ground triangles, about 10 MB, whatever a small file asks for.
constexpr int maxSurfaceDivisions = 256;
// The plug-in counts feedback bytes in 32 bits: megabytes × 1000000 must stay below 2^31.
constexpr std::int32_t maxFeedbackMegabytes = 2147;

struct PendingMesh {
    std::string path;       // resolved
    std::string written;    // as in the file
    std::int32_t material = 0;
    double scale = 1.0;
    qint64 line = 0;
};

struct PendingObject {
    SceneObject object;
    std::vector<PendingMesh> meshes;
};

// One pass over the XML; meshes are read afterwards, once the material table and every object's
// placement are known.
class SceneReader {
public:
    SceneReader(const std::string& path, const LogSink& log) : path_(path), log_(log) {}

    kalmeno::Result<Scene> read();

private:
    void report(LogLevel level, qint64 line, const std::string& what) const
    {
        if (log_)
            log_(level, path_ + ":" + std::to_string(line) + ": " + what);
    }
    void report(LogLevel level, const std::string& what) const { report(level, xml_.lineNumber(), what); }

    std::string element() const { return "<" + xml_.name().toString().toStdString() + ">"; }

    // Attribute readers: false when the value is bad or a required one is missing (reported: the
    // element is refused); an absent optional attribute leaves `out` as it was.
    bool number(const char* name, double& out, bool required);
    bool number(const char* name, double& out, bool required, double low, double high);
    bool position(Geodetic& out);
    bool integer(const char* name, std::int64_t& out, bool required, std::int64_t low, std::int64_t high);
    bool colour(const char* name, std::uint32_t& out);
    bool text(const char* name, std::string& out, bool required);
    // `parse(trimmed text, ok)` turns the attribute into a value; `kind` names what it must be.
    template <typename T, typename Parse>
    bool parsed(const char* name, T& out, bool required, const char* kind, Parse parse);
    std::string resolve(const std::string& written) const;

    void readScene();
    void readOrigin();
    void readFeedback();
    void readMaterials();
    void readSurface();
    void readCamera();
    void readObject();
    void skipUnknown();

    void loadMeshes();
    void buildSurface();
    bool knownMaterial(std::int32_t index) const;

    std::string path_;
    const LogSink& log_;
    QXmlStreamReader xml_;
    Scene scene_;
    Geodetic origin_;
    std::vector<PendingObject> pending_;
    qint64 surfaceLine_ = 0;
};

bool SceneReader::text(const char* name, std::string& out, bool required)
{
    const QXmlStreamAttributes attributes = xml_.attributes();
    if (!attributes.hasAttribute(name)) {
        if (required)
            report(LogLevel::Error, element() + " lacks the attribute '" + name + "'");
        return !required;
    }
    out = attributes.value(name).toString().toStdString();
    return true;
}

template <typename T, typename Parse>
bool SceneReader::parsed(const char* name, T& out, bool required, const char* kind, Parse parse)
{
    std::string raw;
    if (!text(name, raw, required))
        return false;
    if (!xml_.attributes().hasAttribute(name))
        return true;
    bool ok = false;
    const T value = parse(QString::fromStdString(raw).trimmed(), ok);
    if (!ok) {
        report(LogLevel::Error, element() + " attribute '" + name + "': '" + raw + "' is not " + kind);
        return false;
    }
    out = value;
    return true;
}

bool SceneReader::number(const char* name, double& out, bool required)
{
    return parsed(name, out, required, "a number", [](const QString& text, bool& ok) {
        const double value = text.toDouble(&ok);
        ok = ok && std::isfinite(value);
        return value;
    });
}

bool SceneReader::number(const char* name, double& out, bool required, double low, double high)
{
    double value = out;
    if (!number(name, value, required))
        return false;
    if (value < low || value > high) {
        report(LogLevel::Error, element() + " attribute '" + name + "': " +
                                    xml_.attributes().value(name).toString().toStdString() + " lies outside " +
                                    QString::number(low).toStdString() + " .. " + QString::number(high).toStdString());
        return false;
    }
    out = value;
    return true;
}

bool SceneReader::position(Geodetic& out)
{
    Geodetic read = out;
    if (!(number("lat", read.latitude, true, -90.0, 90.0) && number("lon", read.longitude, true, -360.0, 360.0) &&
          number("alt", read.altitude, false)))
        return false;
    out = read;
    return true;
}

bool SceneReader::integer(const char* name, std::int64_t& out, bool required, std::int64_t low, std::int64_t high)
{
    std::int64_t value = 0;
    if (!parsed(name, value, required, "an integer",
                [](const QString& text, bool& ok) { return std::int64_t{text.toLongLong(&ok)}; }))
        return false;
    if (!xml_.attributes().hasAttribute(name))
        return true;
    if (value < low || value > high) {
        report(LogLevel::Error, element() + " attribute '" + name + "': " +
                                    xml_.attributes().value(name).toString().toStdString() + " lies outside " +
                                    std::to_string(low) + " .. " + std::to_string(high));
        return false;
    }
    out = value;
    return true;
}

bool SceneReader::colour(const char* name, std::uint32_t& out)
{
    return parsed(name, out, false, "#RRGGBB or #RRGGBBAA", [](const QString& text, bool& ok) {
        ok = text.startsWith('#') && (text.size() == 7 || text.size() == 9);
        const uint rgba = ok ? text.mid(1).toUInt(&ok, 16) : 0;
        const uint full = text.size() == 7 ? (rgba << 8) | 0xffu : rgba;
        // Red goes to the least significant byte.
        return std::uint32_t{((full >> 24) & 0xffu) | (((full >> 16) & 0xffu) << 8) |
                             (((full >> 8) & 0xffu) << 16) | ((full & 0xffu) << 24)};
    });
}

std::string SceneReader::resolve(const std::string& written) const
{
    const QDir folder = QFileInfo(QString::fromStdString(path_)).absoluteDir();
    return QDir::cleanPath(folder.absoluteFilePath(QString::fromStdString(written))).toStdString();
}

void SceneReader::skipUnknown()
{
    report(LogLevel::Warning, "unknown element " + element() + " ignored");
    xml_.skipCurrentElement();
}

kalmeno::Result<Scene> SceneReader::read()
{
    QFile file(QString::fromStdString(path_));
    if (!file.open(QIODevice::ReadOnly))
        return kalmeno::Result<Scene>::failure("cannot open the scene file " + path_ + ": " +
                                               file.errorString().toStdString());
    xml_.setDevice(&file);
    if (!xml_.readNextStartElement()) {
        const std::string why = xml_.hasError() ? xml_.errorString().toStdString() : "the file is empty";
        return kalmeno::Result<Scene>::failure(path_ + ":" + std::to_string(xml_.lineNumber()) +
                                               ": not a scene file: " + why);
    }
    if (xml_.name() != QLatin1String("scene"))
        return kalmeno::Result<Scene>::failure(path_ + ":" + std::to_string(xml_.lineNumber()) +
                                               ": not a scene file: the root element is " + element() +
                                               ", not <scene>");
    scene_.sourcePath = path_;
    readScene();
    if (xml_.hasError())
        report(LogLevel::Error, "malformed XML at column " + std::to_string(xml_.columnNumber()) + ": " +
                                    xml_.errorString().toStdString() + "; the rest of the file is ignored");
    scene_.frame = EnuFrame(origin_);
    buildSurface();
    loadMeshes();
    return kalmeno::Result<Scene>::success(std::move(scene_));
}

void SceneReader::readScene()
{
    while (xml_.readNextStartElement()) {
        const QStringRef name = xml_.name();
        if (name == QLatin1String("origin"))
            readOrigin();
        else if (name == QLatin1String("feedback"))
            readFeedback();
        else if (name == QLatin1String("materials"))
            readMaterials();
        else if (name == QLatin1String("surface"))
            readSurface();
        else if (name == QLatin1String("camera"))
            readCamera();
        else if (name == QLatin1String("object"))
            readObject();
        else
            skipUnknown();
    }
}

void SceneReader::readOrigin()
{
    position(origin_);
    xml_.skipCurrentElement();
}

void SceneReader::readFeedback()
{
    std::int64_t megabytes = 0;
    if (integer("megabytes", megabytes, true, 0, maxFeedbackMegabytes))
        scene_.feedbackMegabytes = static_cast<std::int32_t>(megabytes);
    xml_.skipCurrentElement();
}

void SceneReader::readMaterials()
{
    if (scene_.materials)
        report(LogLevel::Warning, "a second <materials> replaces the first");
    std::vector<XorMaterialRecord> table;
    while (xml_.readNextStartElement()) {
        if (xml_.name() != QLatin1String("material")) {
            skipUnknown();
            continue;
        }
        XorMaterialRecord m;
        std::int64_t xorId = 0, gis = 0;
        double epsilon = m.epsilon, sigma = m.sigma, mu = m.mu;
        std::uint32_t rgba = 0xffffffffu;
        if (!(integer("xor", xorId, true, 0, UINT32_MAX) && number("epsilon", epsilon, true, -FLT_MAX, FLT_MAX) &&
              number("sigma", sigma, true, -FLT_MAX, FLT_MAX) && number("mu", mu, false, -FLT_MAX, FLT_MAX) && integer("gis", gis, false, 0, UINT32_MAX) &&
              colour("color", rgba))) {
            // A row is refused whole, but it keeps its place: fabric offsets count rows.
            report(LogLevel::Error, "material row " + std::to_string(table.size()) +
                                        " gets the defaults (epsilon 1, sigma 0, mu 1)");
            m = XorMaterialRecord{};
        } else {
            m.xorId = static_cast<std::uint32_t>(xorId);
            m.epsilon = static_cast<float>(epsilon);
            m.sigma = static_cast<float>(sigma);
            m.mu = static_cast<float>(mu);
            m.gis = static_cast<std::uint32_t>(gis);
            m.color = rgba;
        }
        table.push_back(m);
        xml_.skipCurrentElement();
    }
    scene_.materials = std::move(table);
}

void SceneReader::readSurface()
{
    SceneSurface surface;
    std::int64_t material = 0, divisions = 1;
    bool ok = number("size", surface.size, true) && number("height", surface.height, false) &&
              integer("material", material, false, INT32_MIN, INT32_MAX) &&
              integer("divisions", divisions, false, 1, maxSurfaceDivisions);
    std::string extended;
    if (ok && text("extended", extended, false) && !extended.empty()) {
        if (extended == "true" || extended == "1")
            surface.extended = true;
        else if (!(extended == "false" || extended == "0")) {
            report(LogLevel::Error, element() + " attribute 'extended': '" + extended + "' is not true or false");
            ok = false;
        }
    }
    if (ok && surface.size < 0.0) {
        report(LogLevel::Error, element() + " attribute 'size' must not be negative");
        ok = false;
    }
    if (ok) {
        surface.material = static_cast<std::int32_t>(material);
        surface.divisions = static_cast<int>(divisions);
        scene_.surface = surface;
        surfaceLine_ = xml_.lineNumber();
    } else {
        report(LogLevel::Error, "the scene has no surface");
    }
    xml_.skipCurrentElement();
}

void SceneReader::readCamera()
{
    std::vector<CameraWaypoint> waypoints;
    std::optional<CameraPath> orbit;
    while (xml_.readNextStartElement()) {
        const QStringRef name = xml_.name();
        if (name == QLatin1String("orbit")) {
            double east = 0, north = 0, up = 0, radius = 100.0, height = 50.0, period = 60.0;
            if (number("east", east, false) && number("north", north, false) && number("up", up, false) &&
                number("radius", radius, false) && number("height", height, false) &&
                number("period", period, false)) {
                if (period < 0.0)
                    report(LogLevel::Error, element() + " attribute 'period' must not be negative; orbit ignored");
                else
                    orbit = CameraPath::orbit({east, north, up}, radius, height, period);
            }
            xml_.skipCurrentElement();
        } else if (name == QLatin1String("waypoint")) {
            CameraWaypoint w;
            double east = 0, north = 0, up = 0;
            if (number("time", w.time, true) && number("east", east, true) && number("north", north, true) &&
                number("up", up, true)) {
                w.position = {east, north, up};
                waypoints.push_back(w);
            }
            xml_.skipCurrentElement();
        } else {
            skipUnknown();
        }
    }
    if (!waypoints.empty())
        scene_.camera = CameraPath::waypoints(std::move(waypoints));
    else if (orbit)
        scene_.camera = *orbit;
}

void SceneReader::readObject()
{
    PendingObject pending;
    const qint64 line = xml_.lineNumber();
    const bool named = text("name", pending.object.name, true) && !pending.object.name.empty();
    while (xml_.readNextStartElement()) {
        const QStringRef name = xml_.name();
        if (name == QLatin1String("position")) {
            position(pending.object.placement.position);
            xml_.skipCurrentElement();
        } else if (name == QLatin1String("orientation")) {
            Placement read = pending.object.placement;
            if (number("yaw", read.yaw, false) && number("pitch", read.pitch, false) &&
                number("roll", read.roll, false))
                pending.object.placement = read;
            xml_.skipCurrentElement();
        } else if (name == QLatin1String("mesh")) {
            PendingMesh mesh;
            std::int64_t material = 0;
            mesh.line = xml_.lineNumber();
            if (text("path", mesh.written, true) && integer("material", material, false, INT32_MIN, INT32_MAX) &&
                number("scale", mesh.scale, false, 1e-6, 1e6)) {
                mesh.path = resolve(mesh.written);
                mesh.material = static_cast<std::int32_t>(material);
                pending.object.paths.push_back(mesh.path);
                pending.object.meshPaths.push_back(mesh.path);
                pending.meshes.push_back(mesh);
            }
            xml_.skipCurrentElement();
        } else if (name == QLatin1String("mtm")) {
            std::string written;
            if (text("path", written, true)) {
                const std::string resolved = resolve(written);
                if (!QFileInfo::exists(QString::fromStdString(resolved)))
                    report(LogLevel::Warning, "MTM file '" + written + "' (" + resolved + ") does not exist yet");
                pending.object.paths.push_back(resolved);
                pending.object.mtmPaths.push_back(resolved);
            }
            xml_.skipCurrentElement();
        } else {
            skipUnknown();
        }
    }
    if (xml_.hasError())
        return; // an object cut off by malformed XML is not half loaded
    if (!named) {
        report(LogLevel::Error, line, "<object> without a name ignored");
        return;
    }
    for (const PendingObject& other : pending_)
        if (other.object.name == pending.object.name)
            report(LogLevel::Warning, line, "a second object named '" + pending.object.name +
                                                "'; lookups by name find the first");
    pending_.push_back(std::move(pending));
}

bool SceneReader::knownMaterial(std::int32_t index) const
{
    return !scene_.materials || (index >= 0 && static_cast<std::size_t>(index) < scene_.materials->size());
}

void SceneReader::buildSurface()
{
    SceneSurface& s = scene_.surface;
    if (!(s.size > 0.0))
        return;
    if (!knownMaterial(s.material))
        report(LogLevel::Error, surfaceLine_, "<surface>: unknown material index " + std::to_string(s.material) +
                                                  " (the table has " + std::to_string(scene_.materials->size()) +
                                                  " materials)");
    const double step = s.size / s.divisions;
    const double start = -s.size / 2.0;
    s.triangles.reserve(static_cast<std::size_t>(s.divisions) * s.divisions * 2);
    for (int i = 0; i < s.divisions; ++i)
        for (int j = 0; j < s.divisions; ++j) {
            const double x0 = start + i * step, x1 = start + (i + 1) * step;
            const double y0 = start + j * step, y1 = start + (j + 1) * step;
            const Eigen::Vector3d p00(x0, y0, s.height), p10(x1, y0, s.height);
            const Eigen::Vector3d p11(x1, y1, s.height), p01(x0, y1, s.height);
            // Counter-clockwise seen from above: normals point up.
            s.triangles.push_back({p00, p10, p11, s.material});
            s.triangles.push_back({p00, p11, p01, s.material});
        }
}

void SceneReader::loadMeshes()
{
    for (PendingObject& pending : pending_) {
        SceneObject& object = pending.object;
        const BodyFrame body(scene_.frame, object.placement);
        for (const PendingMesh& mesh : pending.meshes) {
            if (!QFileInfo(QString::fromStdString(mesh.path)).isFile()) {
                report(LogLevel::Error, mesh.line, "object '" + object.name + "': mesh file '" + mesh.written +
                                                       "' (" + mesh.path + ") not found");
                continue;
            }
            auto triangles = loadMeshTriangles(mesh.path);
            if (!triangles) {
                report(LogLevel::Error, mesh.line, "object '" + object.name + "': mesh file '" + mesh.written +
                                                       "' cannot be read: " + triangles.error());
                continue;
            }
            if (!knownMaterial(mesh.material))
                report(LogLevel::Error, mesh.line, "object '" + object.name + "': mesh '" + mesh.written +
                                                       "' uses unknown material index " +
                                                       std::to_string(mesh.material) + " (the table has " +
                                                       std::to_string(scene_.materials->size()) + " materials)");
            object.triangles.reserve(object.triangles.size() + triangles->size());
            for (const MeshTriangle& t : triangles.value())
                object.triangles.push_back({body.bodyToScene(t[0] * mesh.scale), body.bodyToScene(t[1] * mesh.scale),
                                            body.bodyToScene(t[2] * mesh.scale), mesh.material});
        }
        scene_.objects.push_back(std::move(object));
    }
}

} // namespace

kalmeno::Result<Scene> loadScene(const std::string& path, const LogSink& log)
{
    return SceneReader(path, log).read();
}

} // namespace quelmar
