// Pictures of the viewport checked by their pixels: a small scene seen from the south, the
// plug-in's markers and boxes set through the render object as the plug-in sets them.
#include "viewcamera.h"
#include "viewporttest.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using namespace quelmar;

struct Rgb {
    int r, g, b;
};

std::ostream& operator<<(std::ostream& out, const Rgb& c)
{
    return out << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

const Rgb kGround{0x80, 0x60, 0x40};
const Rgb kWall{0x20, 0x40, 0xC0};
const Rgb kSky{184, 209, 235}; // the clear colour

// A 100 m ground square at the origin and, left of the target, a wall between the camera and the
// ground beyond.
std::shared_ptr<Scene> makeScene()
{
    auto scene = std::make_shared<Scene>();
    XorMaterialRecord ground, wall;
    ground.color = 0xFF406080u; // red in the least significant byte
    wall.color = 0xFFC04020u;
    scene->materials = std::vector<XorMaterialRecord>{ground, wall};
    const Eigen::Vector3d g[4] = {{-50, -50, 0}, {50, -50, 0}, {50, 50, 0}, {-50, 50, 0}};
    scene->surface.triangles = {{g[0], g[1], g[2], 0}, {g[0], g[2], g[3], 0}};
    SceneObject object;
    object.name = "Wall";
    const Eigen::Vector3d w[4] = {{-15, -30, 0}, {-5, -30, 0}, {-5, -30, 30}, {-15, -30, 30}};
    object.triangles = {{w[0], w[1], w[2], 1}, {w[0], w[2], w[3], 1}};
    scene->objects.push_back(object);
    return scene;
}

// Behind the wall, seen from the camera.
const Eigen::Vector3d kBehindWall{-20, 0, 0};
const Eigen::Vector3d kOnWall{-10, -30, 20};

class ViewportPicture : public ViewportTest {
protected:
    void SetUp() override
    {
        ViewportTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        engine.render().setSceneFrame(EnuFrame(kOrigin));
        frame.scene = makeScene();
        frame.eye = {0, -60, 40};
        frame.target = {0, 0, 0};
        frame.surfaceLit = frame.objectsLit = frame.textures = false; // the materials' own colours
    }

    RgbaImage draw() { return viewport->drawAndRead(frame); }

    Eigen::Vector2d pixelOf(const Eigen::Vector3d& scene, const RgbaImage& picture) const
    {
        const auto pixel = ViewCamera(frame.eye, frame.target, picture.width, picture.height).toPixel(scene);
        EXPECT_TRUE(pixel.has_value());
        return pixel.value_or(Eigen::Vector2d::Zero());
    }

    static Rgb colourAt(const RgbaImage& picture, const Eigen::Vector2d& pixel)
    {
        const std::uint8_t* p = picture.pixel(int(pixel.x()), int(pixel.y()));
        return {p[0], p[1], p[2]};
    }

    // True when a pixel within one of `pixel` has the colour `wanted`.
    static bool anyNear(const RgbaImage& picture, const Eigen::Vector2d& pixel, const Rgb& wanted)
    {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (near(wanted, colourAt(picture, pixel + Eigen::Vector2d(dx, dy))))
                    return true;
        return false;
    }

    static ::testing::AssertionResult near(const Rgb& wanted, const Rgb& seen)
    {
        if (std::abs(wanted.r - seen.r) <= 3 && std::abs(wanted.g - seen.g) <= 3 && std::abs(wanted.b - seen.b) <= 3)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "wanted " << wanted << ", seen " << seen;
    }

    std::int32_t addMarker(const Eigen::Vector3d& at, const float rgba[4])
    {
        hostsdk::TRenderPoint point{at.x(), at.y(), at.z(), 0.0, {rgba[0], rgba[1], rgba[2], rgba[3]}};
        std::int32_t index = -1;
        engine.render().AddPoint(&point, &index);
        return index;
    }

    static inline const Geodetic kOrigin{39.25, -119.95, 2980.0};

    FrameState frame;
};

TEST_F(ViewportPicture, MarkersShowInTheirColourWhereThePointsAreUnlessHidden)
{
    const float green[4] = {0, 1, 0, 1};
    const float red[4] = {1, 0, 0, 1};
    engine.render().SetPointSize(12);
    const std::int32_t centre = addMarker({0, 0, 0}, green);
    const std::int32_t east = addMarker({10, 0, 0}, red);

    RgbaImage picture = draw();
    const Eigen::Vector2d middle(picture.width / 2.0, picture.height / 2.0);
    EXPECT_TRUE(pixelOf({0, 0, 0}, picture).isApprox(middle, 1e-9)) << "the camera looks at its target";
    EXPECT_TRUE(near({0, 255, 0}, colourAt(picture, middle)));
    const Eigen::Vector2d eastPixel = pixelOf({10, 0, 0}, picture);
    EXPECT_GT(eastPixel.x(), middle.x() + 20) << "seen from the south, east is to the right";
    EXPECT_TRUE(near({255, 0, 0}, colourAt(picture, eastPixel)));

    struct Case { const char* name; std::int32_t state; Rgb atCentre; Rgb besideCentre; };
    const Eigen::Vector2d beside = middle + Eigen::Vector2d(8, 0); // outside a 12-pixel dot
    const Case cases[] = {
        {"hidden", hostsdk::kStateHidden, kGround, kGround},
        {"shown again", hostsdk::kStateShown, {0, 255, 0}, kGround},
        {"highlighted: larger and ringed in white", hostsdk::kStateHighlighted, {0, 255, 0}, {255, 255, 255}},
    };
    for (const Case& c : cases) {
        engine.render().SetPointState(centre, c.state);
        picture = draw();
        EXPECT_TRUE(near(c.atCentre, colourAt(picture, middle))) << c.name;
        EXPECT_TRUE(near(c.besideCentre, colourAt(picture, beside))) << c.name;
        EXPECT_TRUE(near({255, 0, 0}, colourAt(picture, eastPixel))) << c.name << ": the other marker stays";
    }

    const float blue[4] = {0, 0, 1, 1};
    engine.render().SetPointColor(east, blue);
    const double moved[3] = {0, 10, 0};
    engine.render().SetPointPosition(east, moved);
    picture = draw();
    EXPECT_TRUE(near({0, 0, 255}, colourAt(picture, pixelOf({0, 10, 0}, picture)))) << "recoloured and moved";
    EXPECT_TRUE(near(kGround, colourAt(picture, eastPixel))) << "nothing left where it was";
}

TEST_F(ViewportPicture, DepthModeShowsTheMarkersThatTheSceneHides)
{
    const float green[4] = {0, 1, 0, 1};
    engine.render().SetPointSize(8);
    addMarker(kBehindWall, green);
    struct Case { bool depthMode; Rgb seen; };
    for (const Case& c : {Case{false, kWall}, Case{true, {0, 255, 0}}}) {
        engine.render().SetDepthMode(hostsdk::toVariantBool(c.depthMode));
        const RgbaImage picture = draw();
        EXPECT_TRUE(near(c.seen, colourAt(picture, pixelOf(kBehindWall, picture)))) << "depth mode " << c.depthMode;
    }
}

// The pixels that differ between two pictures, and the rectangle around them.
struct Difference {
    int count = 0;
    Eigen::AlignedBox2d bounds;
};

Difference difference(const RgbaImage& a, const RgbaImage& b)
{
    Difference d;
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x)
            if (std::memcmp(a.pixel(x, y), b.pixel(x, y), 3) != 0) {
                ++d.count;
                d.bounds.extend(Eigen::Vector2d(x, y));
            }
    return d;
}

TEST_F(ViewportPicture, TheGenerationBoxAppearsWhereTheAreaIsAndTheHighlightedOneStandsOut)
{
    frame.objectsVisible = false; // the wall would hide a corner
    HostRender& render = engine.render();
    std::int32_t box = -1;
    render.CreateBox(&box);
    // 20 m long (north), 10 m high, 30 m wide, centred on the origin, as the plug-in places it.
    const double lla[3] = {kOrigin.latitude, kOrigin.longitude, kOrigin.altitude};
    const double ypr[3] = {0, 0, 0};
    const double size[3] = {20, 10, 30};
    render.SetBoxGeometry(box, lla, ypr, size);
    const float orange[4] = {1.0f, 0.784f, 0.49f, 0.2f};
    render.SetBoxColor(box, orange);

    render.SetBoxState(box, hostsdk::kStateHidden);
    const RgbaImage without = draw();
    render.SetBoxState(box, hostsdk::kStateShown);
    const RgbaImage shown = draw();
    render.SetBoxState(box, hostsdk::kStateHighlighted);
    const RgbaImage highlighted = draw();

    Eigen::AlignedBox2d area;
    for (int i = 0; i < 8; ++i)
        area.extend(pixelOf({i & 1 ? 15.0 : -15.0, i & 4 ? 10.0 : -10.0, i & 2 ? 5.0 : -5.0}, shown));
    const Difference edges = difference(without, shown);
    ASSERT_GT(edges.count, 0) << "the box shows";
    const Eigen::AlignedBox2d slack(area.min() - Eigen::Vector2d(3, 3), area.max() + Eigen::Vector2d(3, 3));
    EXPECT_TRUE(slack.contains(edges.bounds)) << "only within the area's corners";
    // The box's lower half lies under the ground, so only its upper part can show.
    EXPECT_GT(edges.bounds.sizes().x(), 0.9 * area.sizes().x()) << "across the area's whole width";
    const Eigen::Vector2d nearTopEdge = pixelOf({0, -10, 5}, shown);
    EXPECT_TRUE(anyNear(shown, nearTopEdge, {255, 200, 125})) << "edges in the box's colour, opaque";

    const Difference filled = difference(without, highlighted);
    EXPECT_GT(filled.count, 3 * edges.count) << "thicker edges and filled faces";
    EXPECT_TRUE(slack.contains(filled.bounds));
}

TEST_F(ViewportPicture, TheLayerTogglesShowAndHideWhatTheyName)
{
    const RgbaImage plain = draw();
    const Eigen::Vector2d middle(plain.width / 2.0, plain.height / 2.0);
    const Eigen::Vector2d wall = pixelOf(kOnWall, plain);
    ASSERT_TRUE(near(kGround, colourAt(plain, middle)));
    ASSERT_TRUE(near(kWall, colourAt(plain, wall)));

    frame.surfaceVisible = false;
    RgbaImage picture = draw();
    EXPECT_TRUE(near(kSky, colourAt(picture, middle))) << "surface off: no ground";
    EXPECT_TRUE(near(kWall, colourAt(picture, wall))) << "surface off: the objects stay";
    frame.surfaceVisible = true;

    frame.objectsVisible = false;
    picture = draw();
    EXPECT_TRUE(near(kGround, colourAt(picture, wall))) << "polygonal models off: the ground behind the wall";
    frame.objectsVisible = true;

    frame.surfaceLit = true;
    picture = draw();
    const Rgb lit = colourAt(picture, middle);
    EXPECT_LT(lit.r, kGround.r - 5) << "the sun shades the ground";
    EXPECT_GT(lit.r, lit.g);
    EXPECT_GT(lit.g, lit.b);
    EXPECT_TRUE(near(kWall, colourAt(picture, wall))) << "the objects have their own light";
    frame.surfaceLit = false;

    // Textures: the ground's grid lines, every 10 m.
    frame.textures = true;
    picture = draw();
    const Difference grid = difference(plain, picture);
    EXPECT_GT(grid.count, 1000);
    EXPECT_FALSE(near(kGround, colourAt(picture, middle))) << "the target sits on a grid crossing";
}

} // namespace
