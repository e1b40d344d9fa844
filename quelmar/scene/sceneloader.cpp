#include "sceneloader.h"

#include "bodyframe.h"
#include "meshloader.h"

#include "attributetext.h"
#include "xmlfile.h"

#include "regularfile.h"

#include <cfloat>
#include <cmath>
#include <filesystem>
#include <optional>
#include <unordered_map>
#include <unordered_set>

namespace quelmar {

namespace {

namespace fs = std::filesystem;

// 256 × 256 squares: 131072 ground triangles, about 10 MB, whatever a small file asks for.
constexpr int maxSurfaceDivisions = 256;
// The plug-in counts feedback bytes in 32 bits: megabytes × 1000000 must stay below 2^31.
constexpr std::int32_t maxFeedbackMegabytes = 2147;

struct PendingMesh {
    std::string path;       // resolved
    std::string written;    // as in the file
    std::int32_t material = 0;
    double scale = 1.0;
    std::size_t line = 0;
};

struct PendingObject {
    SceneObject object;
    std::vector<PendingMesh> meshes;
};

using Element = pugi::xml_node;

// Reads the parsed tree; meshes are read afterwards, once the material table and every object's
// placement are known.
class SceneReader {
public:
    SceneReader(const std::string& path, const LogSink& log, const std::function<bool()>& stopRequested)
        : path_(path), log_(log), stopRequested_(stopRequested)
    {
    }

    kalmeno::Result<Scene> read();
    // Reads the text of the file instead of the file.
    kalmeno::Result<Scene> read(std::string text);

private:
    void report(LogLevel level, std::size_t line, const std::string& what) const
    {
        if (log_)
            log_(level, path_ + ":" + std::to_string(line) + ": " + what);
    }
    void report(LogLevel level, Element e, const std::string& what) const { report(level, xml_.line(e), what); }

    static std::string element(Element e) { return std::string("<") + e.name() + ">"; }
    // The child elements whose start tag was read.
    static std::vector<Element> children(Element e);

    // Attribute readers: false when the value is bad or a required one is missing (reported: the
    // element is refused); an absent optional attribute leaves `out` as it was.
    bool number(Element e, const char* name, double& out, bool required);
    bool number(Element e, const char* name, double& out, bool required, double low, double high);
    bool position(Element e, Geodetic& out);
    bool integer(Element e, const char* name, std::int64_t& out, bool required, std::int64_t low, std::int64_t high);
    bool colour(Element e, const char* name, std::uint32_t& out);
    bool text(Element e, const char* name, std::string& out, bool required);
    // `parse(text)` turns a present attribute into a value; `kind` names what it must be.
    template <typename T, typename Parse>
    bool parsed(Element e, const char* name, T& out, bool required, const char* kind, Parse parse);
    template <typename T>
    bool inRange(Element e, const char* name, T value, T low, T high, const std::string& lowText,
                 const std::string& highText);
    std::string resolve(const std::string& written) const;

    void readScene(Element scene);
    void readOrigin(Element e);
    void readFeedback(Element e);
    void readMaterials(Element e);
    void readSurface(Element e);
    void readCamera(Element e);
    void readObject(Element e);
    void skipUnknown(Element e);

    // False when a stop was requested.
    bool loadMeshes();
    void buildSurface();
    bool knownMaterial(std::int32_t index) const;

    std::string path_;
    const LogSink& log_;
    const std::function<bool()>& stopRequested_;
    XmlFile xml_;
    Scene scene_;
    Geodetic origin_;
    std::vector<PendingObject> pending_;
    std::unordered_set<std::string> names_;
    std::size_t surfaceLine_ = 0;
};

std::vector<Element> SceneReader::children(Element e)
{
    std::vector<Element> found;
    for (Element child : e.children())
        if (child.type() == pugi::node_element)
            found.push_back(child);
    return found;
}

bool SceneReader::text(Element e, const char* name, std::string& out, bool required)
{
    const pugi::xml_attribute attribute = e.attribute(name);
    if (!attribute) {
        if (required)
            report(LogLevel::Error, e, element(e) + " lacks the attribute '" + name + "'");
        return !required;
    }
    out = attribute.value();
    return true;
}

template <typename T, typename Parse>
bool SceneReader::parsed(Element e, const char* name, T& out, bool required, const char* kind, Parse parse)
{
    std::string raw;
    if (!text(e, name, raw, required))
        return false;
    if (!e.attribute(name))
        return true;
    const std::optional<T> value = parse(raw);
    if (!value) {
        report(LogLevel::Error, e, element(e) + " attribute '" + name + "': '" + raw + "' is not " + kind);
        return false;
    }
    out = *value;
    return true;
}

template <typename T>
bool SceneReader::inRange(Element e, const char* name, T value, T low, T high, const std::string& lowText,
                          const std::string& highText)
{
    if (value >= low && value <= high)
        return true;
    report(LogLevel::Error, e, element(e) + " attribute '" + name + "': " + e.attribute(name).value() +
                                   " lies outside " + lowText + " .. " + highText);
    return false;
}

bool SceneReader::number(Element e, const char* name, double& out, bool required)
{
    return parsed(e, name, out, required, "a number", parseNumber);
}

bool SceneReader::number(Element e, const char* name, double& out, bool required, double low, double high)
{
    double value = out;
    if (!number(e, name, value, required) || !inRange(e, name, value, low, high, formatNumber(low), formatNumber(high)))
        return false;
    out = value;
    return true;
}

bool SceneReader::position(Element e, Geodetic& out)
{
    Geodetic read = out;
    if (!(number(e, "lat", read.latitude, true, -90.0, 90.0) && number(e, "lon", read.longitude, true, -360.0, 360.0) &&
          number(e, "alt", read.altitude, false)))
        return false;
    out = read;
    return true;
}

bool SceneReader::integer(Element e, const char* name, std::int64_t& out, bool required, std::int64_t low,
                          std::int64_t high)
{
    std::int64_t value = 0;
    if (!parsed(e, name, value, required, "an integer", parseInteger))
        return false;
    if (!e.attribute(name))
        return true;
    if (!inRange(e, name, value, low, high, std::to_string(low), std::to_string(high)))
        return false;
    out = value;
    return true;
}

bool SceneReader::colour(Element e, const char* name, std::uint32_t& out)
{
    return parsed(e, name, out, false, "#RRGGBB or #RRGGBBAA", parseColour);
}

std::string SceneReader::resolve(const std::string& written) const
{
    std::error_code ignored;
    const fs::path folder = fs::absolute(fs::path(path_), ignored).parent_path();
    std::string resolved = (folder / written).lexically_normal().string();
    while (resolved.size() > 1 && resolved.back() == '/')
        resolved.pop_back();
    return resolved;
}

void SceneReader::skipUnknown(Element e)
{
    report(LogLevel::Warning, e, "unknown element " + element(e) + " ignored");
}

kalmeno::Result<Scene> SceneReader::read()
{
    // Only a regular file: a FIFO under the scene's name must not block the engine's thread.
    auto text = platform::readRegularFile(path_, ~std::uint64_t(0));
    if (!text)
        return kalmeno::Result<Scene>::failure("cannot open the scene file " + path_ + ": " + text.error());
    return read(std::move(text.value()));
}

kalmeno::Result<Scene> SceneReader::read(std::string text)
{
    xml_.parse(std::move(text));
    const Element root = xml_.root();
    if (!root) {
        const auto& fault = xml_.fault();
        return kalmeno::Result<Scene>::failure(path_ + ":" + std::to_string(fault ? fault->line : 1) +
                                               ": not a scene file: " + (fault ? fault->what : "the file is empty"));
    }
    if (std::string_view(root.name()) != "scene")
        return kalmeno::Result<Scene>::failure(path_ + ":" + std::to_string(xml_.line(root)) +
                                               ": not a scene file: the root element is " + element(root) +
                                               ", not <scene>");
    scene_.sourcePath = path_;
    readScene(root);
    if (const auto& fault = xml_.fault())
        report(LogLevel::Error, fault->line, "malformed XML at column " + std::to_string(fault->column) + ": " +
                                                 fault->what + "; the rest of the file is ignored");
    scene_.frame = EnuFrame(origin_);
    buildSurface();
    if (!loadMeshes())
        return kalmeno::Result<Scene>::failure("the load was stopped");
    return kalmeno::Result<Scene>::success(std::move(scene_));
}

void SceneReader::readScene(Element scene)
{
    for (Element e : children(scene)) {
        const std::string_view name = e.name();
        if (name == "origin")
            readOrigin(e);
        else if (name == "feedback")
            readFeedback(e);
        else if (name == "materials")
            readMaterials(e);
        else if (name == "surface")
            readSurface(e);
        else if (name == "camera")
            readCamera(e);
        else if (name == "object")
            readObject(e);
        else
            skipUnknown(e);
    }
}

void SceneReader::readOrigin(Element e)
{
    position(e, origin_);
}

void SceneReader::readFeedback(Element e)
{
    std::int64_t megabytes = 0;
    if (integer(e, "megabytes", megabytes, true, 0, maxFeedbackMegabytes))
        scene_.feedbackMegabytes = static_cast<std::int32_t>(megabytes);
}

void SceneReader::readMaterials(Element materials)
{
    if (scene_.materials)
        report(LogLevel::Warning, materials, "a second <materials> replaces the first");
    std::vector<XorMaterialRecord> table;
    for (Element e : children(materials)) {
        if (std::string_view(e.name()) != "material") {
            skipUnknown(e);
            continue;
        }
        XorMaterialRecord m;
        std::int64_t xorId = 0, gis = 0;
        double epsilon = m.epsilon, sigma = m.sigma, mu = m.mu;
        std::uint32_t rgba = 0xffffffffu;
        if (!(integer(e, "xor", xorId, true, 0, UINT32_MAX) && number(e, "epsilon", epsilon, true, -FLT_MAX, FLT_MAX) &&
              number(e, "sigma", sigma, true, -FLT_MAX, FLT_MAX) && number(e, "mu", mu, false, -FLT_MAX, FLT_MAX) &&
              integer(e, "gis", gis, false, 0, UINT32_MAX) && colour(e, "color", rgba))) {
            // A row is refused whole, but it keeps its place: fabric offsets count rows.
            report(LogLevel::Error, e, "material row " + std::to_string(table.size()) +
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
    }
    scene_.materials = std::move(table);
}

void SceneReader::readSurface(Element e)
{
    SceneSurface surface;
    std::int64_t material = 0, divisions = 1;
    bool ok = number(e, "size", surface.size, true) && number(e, "height", surface.height, false) &&
              integer(e, "material", material, false, INT32_MIN, INT32_MAX) &&
              integer(e, "divisions", divisions, false, 1, maxSurfaceDivisions);
    std::string extended;
    if (ok && text(e, "extended", extended, false) && !extended.empty()) {
        if (extended == "true" || extended == "1")
            surface.extended = true;
        else if (!(extended == "false" || extended == "0")) {
            report(LogLevel::Error, e, element(e) + " attribute 'extended': '" + extended + "' is not true or false");
            ok = false;
        }
    }
    if (ok && surface.size < 0.0) {
        report(LogLevel::Error, e, element(e) + " attribute 'size' must not be negative");
        ok = false;
    }
    if (ok) {
        surface.material = static_cast<std::int32_t>(material);
        surface.divisions = static_cast<int>(divisions);
        scene_.surface = surface;
        surfaceLine_ = xml_.line(e);
    } else {
        report(LogLevel::Error, e, "the scene has no surface");
    }
}

void SceneReader::readCamera(Element camera)
{
    std::vector<CameraWaypoint> waypoints;
    std::optional<CameraPath> orbit;
    for (Element e : children(camera)) {
        const std::string_view name = e.name();
        if (name == "orbit") {
            double east = 0, north = 0, up = 0, radius = 100.0, height = 50.0, period = 60.0;
            if (number(e, "east", east, false) && number(e, "north", north, false) && number(e, "up", up, false) &&
                number(e, "radius", radius, false) && number(e, "height", height, false) &&
                number(e, "period", period, false)) {
                if (period < 0.0)
                    report(LogLevel::Error, e, element(e) + " attribute 'period' must not be negative; orbit ignored");
                else
                    orbit = CameraPath::orbit({east, north, up}, radius, height, period);
            }
        } else if (name == "waypoint") {
            CameraWaypoint w;
            double east = 0, north = 0, up = 0;
            if (number(e, "time", w.time, true) && number(e, "east", east, true) && number(e, "north", north, true) &&
                number(e, "up", up, true)) {
                w.position = {east, north, up};
                waypoints.push_back(w);
            }
        } else {
            skipUnknown(e);
        }
    }
    if (!waypoints.empty())
        scene_.camera = CameraPath::waypoints(std::move(waypoints));
    else if (orbit)
        scene_.camera = *orbit;
}

void SceneReader::readObject(Element objectElement)
{
    PendingObject pending;
    const bool named = text(objectElement, "name", pending.object.name, true) && !pending.object.name.empty();
    for (Element e : children(objectElement)) {
        const std::string_view name = e.name();
        if (name == "position") {
            position(e, pending.object.placement.position);
        } else if (name == "orientation") {
            Placement read = pending.object.placement;
            if (number(e, "yaw", read.yaw, false) && number(e, "pitch", read.pitch, false) &&
                number(e, "roll", read.roll, false))
                pending.object.placement = read;
        } else if (name == "mesh") {
            PendingMesh mesh;
            std::int64_t material = 0;
            mesh.line = xml_.line(e);
            if (text(e, "path", mesh.written, true) && integer(e, "material", material, false, INT32_MIN, INT32_MAX) &&
                number(e, "scale", mesh.scale, false, 1e-6, 1e6)) {
                mesh.path = resolve(mesh.written);
                mesh.material = static_cast<std::int32_t>(material);
                pending.object.paths.push_back(mesh.path);
                pending.object.meshPaths.push_back(mesh.path);
                pending.meshes.push_back(mesh);
            }
        } else if (name == "mtm") {
            std::string written;
            if (text(e, "path", written, true)) {
                const std::string resolved = resolve(written);
                std::error_code ignored;
                if (!fs::exists(resolved, ignored))
                    report(LogLevel::Warning, e, "MTM file '" + written + "' (" + resolved + ") does not exist yet");
                pending.object.paths.push_back(resolved);
                pending.object.mtmPaths.push_back(resolved);
            }
        } else {
            skipUnknown(e);
        }
    }
    if (!xml_.complete(objectElement))
        return; // an object cut off by malformed XML is not half loaded
    if (!named) {
        report(LogLevel::Error, objectElement, "<object> without a name ignored");
        return;
    }
    if (!names_.insert(pending.object.name).second)
        report(LogLevel::Warning, objectElement,
               "a second object named '" + pending.object.name + "'; lookups by name find the first");
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

bool SceneReader::loadMeshes()
{
    // Many objects may name one mesh file: it is read once, and its failure reported for each.
    std::unordered_map<std::string, kalmeno::Result<std::vector<MeshTriangle>>> meshes;
    for (PendingObject& pending : pending_) {
        if (stopRequested_ && stopRequested_())
            return false;
        SceneObject& object = pending.object;
        const BodyFrame body(scene_.frame, object.placement);
        for (const PendingMesh& mesh : pending.meshes) {
            std::error_code ignored;
            if (!fs::exists(mesh.path, ignored)) {
                report(LogLevel::Error, mesh.line, "object '" + object.name + "': mesh file '" + mesh.written +
                                                       "' (" + mesh.path + ") not found");
                continue;
            }
            auto known = meshes.find(mesh.path);
            if (known == meshes.end()) {
                auto loaded = loadMeshTriangles(mesh.path, stopRequested_);
                if (stopRequested_ && stopRequested_())
                    return false;
                known = meshes.emplace(mesh.path, std::move(loaded)).first;
            }
            const auto& triangles = known->second;
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
    return true;
}

} // namespace

kalmeno::Result<Scene> loadScene(const std::string& path, const LogSink& log,
                                 const std::function<bool()>& stopRequested)
{
    return SceneReader(path, log, stopRequested).read();
}

kalmeno::Result<Scene> parseScene(std::string text, const std::string& path, const LogSink& log,
                                  const std::function<bool()>& stopRequested)
{
    return SceneReader(path, log, stopRequested).read(std::move(text));
}

} // namespace quelmar
