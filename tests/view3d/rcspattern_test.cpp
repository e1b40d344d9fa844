// The pattern against a plain transcription of its arithmetic, its handling of grids that cannot
// be interpolated, and its maximum.

#include "numbers.h"
#include "patternbands.h"
#include "patternreference.h"
#include "rcspattern.h"
#include "testmodel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <random>
#include <stdexcept>
#include <string>

namespace {

using platform::pi;

double decibels(double magnitudeSquared)
{
    return 10 * std::log10(4 * pi * magnitudeSquared);
}

void expectPatternsMatch(const RcsPattern& actual, const RcsPattern& expected)
{
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i) {
        ASSERT_EQ(actual[i].size(), expected[i].size());
        for (std::size_t j = 0; j < actual[i].size(); ++j) {
            const double tolerance = 1e-12 * std::max(1.0, std::fabs(expected[i][j]));
            ASSERT_NEAR(actual[i][j], expected[i][j], tolerance) << "cell " << i << ", " << j;
        }
    }
}

void expectEveryCell(const RcsPattern& pattern, double expected)
{
    for (std::size_t i = 0; i < pattern.size(); ++i)
        for (std::size_t j = 0; j < pattern[i].size(); ++j)
            ASSERT_NEAR(pattern[i][j], expected, 1e-12) << "cell " << i << ", " << j;
}

// A smooth complex function of the direction, different for each seed.
TRcsValue wave(std::uint32_t a, std::uint32_t e, std::uint32_t countAz, std::uint32_t countEl, int seed)
{
    const double phi = a * 2 * pi / (countAz - 1);
    const double theta = e * pi / (countEl - 1) - pi / 2;
    return {1.5 + std::cos(seed + 3 * phi) * std::cos(theta), 0.7 * std::sin(seed * 0.5 + phi + 2 * theta)};
}

struct CraftedCase {
    std::string name;
    std::function<void(TestModel&)> build;
    double everyCell; // NaN when the cells differ
};

class CraftedModels : public ::testing::TestWithParam<CraftedCase> {};

TEST_P(CraftedModels, MatchTheDirectEvaluation)
{
    TestModel model;
    GetParam().build(model);
    const RcsPattern pattern = computePattern(model.mtm);
    expectPatternsMatch(pattern, referencePattern(model.mtm));
    if (!std::isnan(GetParam().everyCell))
        expectEveryCell(pattern, GetParam().everyCell);
}

const double varies = std::numeric_limits<double>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    Pattern, CraftedModels,
    ::testing::Values(
        CraftedCase{"OnePointOfUnitAmplitude", [](TestModel& m) { m.addConstantPoint(7, 5, {1, 0}); },
                    10 * std::log10(4 * pi)},
        CraftedCase{"TwoPointsCancel",
                    [](TestModel& m) { m.addConstantPoint(7, 5, {1, 0}).addConstantPoint(7, 5, {-1, 0}); }, 0.0},
        CraftedCase{"WeakAmplitudeClampsToZero", [](TestModel& m) { m.addConstantPoint(5, 3, {0.1, 0}); }, 0.0},
        CraftedCase{"ImaginaryAmplitudesCount", [](TestModel& m) { m.addConstantPoint(5, 3, {0, 2}); },
                    10 * std::log10(4 * pi * 4)},
        CraftedCase{"VaryingSharedGrid",
                    [](TestModel& m) {
                        for (int seed = 0; seed < 3; ++seed)
                            m.addPoint(13, 7, [seed](auto a, auto e) { return wave(a, e, 13, 7, seed); });
                    },
                    varies},
        CraftedCase{"CoarserPointGrid",
                    [](TestModel& m) {
                        m.addPoint(19, 10, [](auto a, auto e) { return wave(a, e, 19, 10, 1); });
                        m.addPoint(5, 4, [](auto a, auto e) { return wave(a, e, 5, 4, 2); });
                    },
                    varies},
        CraftedCase{"FinerPointGrid",
                    [](TestModel& m) {
                        m.addPoint(5, 4, [](auto a, auto e) { return wave(a, e, 5, 4, 1); });
                        m.addPoint(19, 10, [](auto a, auto e) { return wave(a, e, 19, 10, 2); });
                    },
                    varies}),
    [](const ::testing::TestParamInfo<CraftedCase>& info) { return info.param.name; });

TEST(Pattern, HasTheFirstPointsGrid)
{
    TestModel model;
    model.addConstantPoint(7, 4, {1, 0}).addConstantPoint(3, 9, {1, 0});
    const RcsPattern pattern = computePattern(model.mtm);
    ASSERT_EQ(pattern.size(), 7u);
    for (const auto& row : pattern)
        EXPECT_EQ(row.size(), 4u);
}

TEST(Pattern, DirectionOnANodeOfACoarserGridTakesTheNodesValue)
{
    // Pattern steps of 45°, point steps of 90°: azimuth 90°, elevation 0° is node (1, 1).
    TestModel model;
    model.addConstantPoint(9, 5, {0, 0});
    model.addPoint(5, 3, [](auto a, auto e) { return TRcsValue(1.0 + a, 0.5 * e); });
    const RcsPattern pattern = computePattern(model.mtm);
    EXPECT_NEAR(pattern[2][2], decibels(2.0 * 2.0 + 0.5 * 0.5), 1e-12);
    EXPECT_NEAR(pattern[4][2], decibels(3.0 * 3.0 + 0.5 * 0.5), 1e-12);
}

TEST(Pattern, LastAzimuthSampleJustBelowAFullTurnReadsTheLastGridRow)
{
    // The pattern's last azimuth lands a hair below 2π and its cell on the point grid is the
    // last one, whose upper neighbour wraps round to row 0.
    TestModel model;
    model.addConstantPoint(12, 3, {0, 0});
    model.addPoint(4, 3, [](auto a, auto) { return TRcsValue(1.0 + a, 0); });
    const RcsPattern pattern = computePattern(model.mtm);
    expectPatternsMatch(pattern, referencePattern(model.mtm));
    EXPECT_NEAR(pattern.front()[1], decibels(1.0), 1e-12);
    EXPECT_NEAR(pattern.back()[1], decibels(16.0), 1e-12);
}

TEST(Pattern, ModelWithoutPointsIsAnError)
{
    TMtm empty;
    try {
        (void)computePattern(empty);
        FAIL() << "no exception";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "Error: Model is empty, cannot calculate RCS.");
    }
}

// Grids the interpolation cannot read are skipped; a single sample stands for its axis.
TEST(Pattern, PointsWithoutSamplesAreSkipped)
{
    TestModel model;
    model.addConstantPoint(5, 3, {1, 0});
    TMtmPoint noGrid; // as created by hand: no rows at all
    model.mtm.points.push_back(noGrid);
    model.addConstantPoint(5, 0, {9, 9});
    model.addConstantPoint(0, 3, {9, 9});
    TMtmPoint missingTable;
    missingTable.countAz = 5;
    missingTable.countEl = 3;
    model.mtm.points.push_back(missingTable);
    model.addConstantPoint(5, 3, {7, 0});
    model.mtm.points.back().rcs[2] = nullptr; // a row missing
    const RcsPattern pattern = computePattern(model.mtm);
    model.mtm.points.back().rcs[2] = model.mtm.points.back().rcs[1];
    expectEveryCell(pattern, 10 * std::log10(4 * pi));
}

TEST(Pattern, FirstPointWithoutSamplesGivesAnEmptyPattern)
{
    for (auto [az, el] : {std::pair{0u, 5u}, std::pair{5u, 0u}, std::pair{0u, 0u}}) {
        TestModel model;
        model.addConstantPoint(az, el, {1, 0});
        model.addConstantPoint(5, 5, {1, 0});
        EXPECT_TRUE(computePattern(model.mtm).empty()) << az << " x " << el;
    }
}

TEST(Pattern, SingleSampleGridTakesThatSample)
{
    TestModel model;
    model.addConstantPoint(5, 3, {0, 0});
    model.addConstantPoint(1, 1, {2, 0});
    expectEveryCell(computePattern(model.mtm), decibels(4.0));
}

TEST(Pattern, SingleSampleAxisOfThePatternLiesAtTheAxisStart)
{
    // One azimuth row at 0°; one elevation column at −90°.
    TestModel rowModel;
    rowModel.addPoint(1, 3, [](auto, auto e) { return TRcsValue(1.0 + e, 0); });
    const RcsPattern row = computePattern(rowModel.mtm);
    ASSERT_EQ(row.size(), 1u);
    ASSERT_EQ(row[0].size(), 3u);
    for (std::uint32_t e = 0; e < 3; ++e)
        EXPECT_NEAR(row[0][e], decibels((1.0 + e) * (1.0 + e)), 1e-12);

    TestModel columnModel;
    columnModel.addPoint(3, 1, [](auto a, auto) { return TRcsValue(1.0 + a, 0); });
    const RcsPattern column = computePattern(columnModel.mtm);
    ASSERT_EQ(column.size(), 3u);
    EXPECT_NEAR(column[0][0], decibels(1.0), 1e-12);
    EXPECT_NEAR(column[1][0], decibels(4.0), 1e-12);
    EXPECT_NEAR(column[2][0], decibels(1.0), 1e-12); // 360° is 0°
}

TEST(Pattern, AmplitudesThatAreNoNumberShowAsZero)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (TRcsValue bad : {TRcsValue(nan, 0), TRcsValue(0, inf), TRcsValue(-inf, 1)}) {
        TestModel model;
        model.addConstantPoint(5, 3, {1, 0}).addConstantPoint(5, 3, bad);
        expectEveryCell(computePattern(model.mtm), 0.0);
    }
}

TEST(Pattern, HugeAmplitudeKeepsItsFiniteValue)
{
    TestModel model;
    model.addConstantPoint(5, 3, {1e200, 0});
    expectEveryCell(computePattern(model.mtm), 10 * std::log10(4 * pi) + 4000);
}

TEST(Pattern, LargeModelsMatchTheDirectEvaluation)
{
    // Big enough to be split between threads; shared and mixed grids.
    std::mt19937 random(7);
    std::uniform_real_distribution<double> amplitude(-2.0, 2.0);
    const auto noisy = [&](auto, auto) { return TRcsValue(amplitude(random), amplitude(random)); };
    TestModel shared;
    for (int p = 0; p < 300; ++p)
        shared.addPoint(37, 19, noisy);
    expectPatternsMatch(computePattern(shared.mtm), referencePattern(shared.mtm));

    TestModel mixed;
    const std::pair<std::uint32_t, std::uint32_t> grids[] = {{37, 19}, {13, 7}, {73, 37}, {37, 19}};
    for (int p = 0; p < 300; ++p)
        mixed.addPoint(grids[p % 4].first, grids[p % 4].second, noisy);
    expectPatternsMatch(computePattern(mixed.mtm), referencePattern(mixed.mtm));
}

// A model on one grid through the band-by-band computation, its rows read from the model itself.
kalmeno::Result<RcsPattern> patternInBands(const TMtm& mtm, std::size_t bandCells)
{
    const std::uint32_t countAz = mtm.points.empty() ? 0 : mtm.points.front().countAz;
    const std::uint32_t countEl = mtm.points.empty() ? 0 : mtm.points.front().countEl;
    RcsPattern pattern;
    const auto computed = computePatternInBands(
        std::uint32_t(mtm.points.size()), countAz, countEl,
        [&](std::uint32_t point, std::uint32_t firstRow, std::uint32_t rowCount, TRcsValue* destination) {
            for (std::uint32_t a = firstRow; a < firstRow + rowCount; ++a)
                destination = std::copy_n(mtm.points[point].rcs[a], countEl, destination);
            return kalmeno::Status::success();
        },
        [&](std::uint32_t firstRow, std::uint32_t rowCount, const double* decibels) {
            EXPECT_EQ(firstRow, pattern.size());
            for (std::uint32_t i = 0; i < rowCount; ++i, decibels += countEl)
                pattern.emplace_back(decibels, decibels + countEl);
            return kalmeno::Status::success();
        },
        bandCells);
    if (!computed)
        return kalmeno::Result<RcsPattern>::failure(computed.error());
    return kalmeno::Result<RcsPattern>::success(std::move(pattern));
}

TEST(PatternInBands, GivesTheWholeModelsValuesToTheBit)
{
    std::mt19937 random(11);
    std::uniform_real_distribution<double> amplitude(-2.0, 2.0);
    const auto noisy = [&](auto, auto) { return TRcsValue(amplitude(random), amplitude(random)); };
    const std::pair<std::uint32_t, std::uint32_t> grids[] = {{37, 19}, {73, 1}, {1, 5}, {2, 2}};
    for (const auto& [countAz, countEl] : grids) {
        TestModel model;
        for (int p = 0; p < 5; ++p)
            model.addPoint(countAz, countEl, noisy);
        const RcsPattern whole = computePattern(model.mtm);
        // One band, bands of a few rows (the last reading row 0 again across 360°), one row each.
        for (const std::size_t bandCells : {std::size_t(65536), std::size_t(3) * countEl, std::size_t(1)}) {
            const auto banded = patternInBands(model.mtm, bandCells);
            ASSERT_TRUE(banded) << banded.error();
            EXPECT_EQ(banded.value(), whole) << countAz << " x " << countEl << " in bands of " << bandCells;
        }
    }

    TestModel empty;
    EXPECT_EQ(patternInBands(empty.mtm, 100).error(), "Error: Model is empty, cannot calculate RCS.");
    TestModel noElevation;
    noElevation.addConstantPoint(4, 0, {});
    EXPECT_TRUE(patternInBands(noElevation.mtm, 100).value().empty());
}

TEST(PatternMaximum, IsTheLargestFiniteValueAndNeverNegative)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        RcsPattern pattern;
        double expected;
    } cases[] = {
        {{}, 0.0},
        {{{}, {}}, 0.0},
        {{{1.5, 3.0}, {2.0, 0.0}}, 3.0},
        {{{-4.0, -1.0}}, 0.0},
        {{{nan, 2.0}, {inf, 1.0}}, 2.0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(patternMaximum(c.pattern), c.expected);
}

} // namespace
