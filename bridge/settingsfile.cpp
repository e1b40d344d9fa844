#include "settingsfile.h"

#include "bridgelog.h"

#include <filereplacement.h>
#include <regularfile.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <climits>
#include <cmath>
#include <optional>

namespace bridge {

namespace {

// Settings files are a few hundred bytes; anything far larger is not one.
constexpr std::uint64_t kMaxSettingsBytes = 1 << 20;

void appendMember(QJsonObject& document, const char* key, const QJsonObject& member)
{
    QJsonArray array = document.value(QLatin1String(key)).toArray();
    array.append(member);
    document.insert(QLatin1String(key), array);
}

QJsonValue rounded(double value)
{
    return QJsonValue(roundToSixDecimals(value));
}

// A present member that is a number; nullopt for another type (the field keeps its value).
std::optional<double> readDouble(const QJsonObject& object, const char* name)
{
    const QJsonValue value = object.value(QLatin1String(name));
    if (value.isUndefined())
        return 0.0;
    if (!value.isDouble())
        return std::nullopt;
    return value.toDouble();
}

std::optional<std::uint32_t> readCount(const QJsonObject& object, const char* name)
{
    const QJsonValue value = object.value(QLatin1String(name));
    if (value.isUndefined())
        return 0u;
    if (!value.isDouble())
        return std::nullopt;
    const double number = value.toDouble();
    if (number < 0.0 || number > INT_MAX || std::floor(number) != number)
        return std::nullopt;
    return static_cast<std::uint32_t>(number);
}

template <typename Value, typename Setter>
void assign(const std::optional<Value>& value, Setter set)
{
    if (value)
        set(*value);
}

void applyKey(const QString& key, const QJsonObject& m, TGenerationArea& area)
{
    if (key == QLatin1String("position")) {
        assign(readDouble(m, "lat"), [&](double v) { area.lat = v; });
        assign(readDouble(m, "lon"), [&](double v) { area.lon = v; });
        assign(readDouble(m, "alt"), [&](double v) { area.alt = v; });
    } else if (key == QLatin1String("angles")) {
        assign(readDouble(m, "yaw"), [&](double v) { area.yaw = v; });
        assign(readDouble(m, "pitch"), [&](double v) { area.pitch = v; });
        assign(readDouble(m, "roll"), [&](double v) { area.roll = v; });
    } else if (key == QLatin1String("size")) {
        assign(readDouble(m, "x"), [&](double v) { area.sizeX = v; });
        assign(readDouble(m, "y"), [&](double v) { area.sizeY = v; });
        assign(readDouble(m, "z"), [&](double v) { area.sizeZ = v; });
    } else if (key == QLatin1String("countOfElements")) {
        assign(readCount(m, "axisX"), [&](std::uint32_t v) { area.countX = v; });
        assign(readCount(m, "axisY"), [&](std::uint32_t v) { area.countY = v; });
        assign(readCount(m, "axisZ"), [&](std::uint32_t v) { area.countZ = v; });
    } else if (key == QLatin1String("angleStep")) {
        assign(readDouble(m, "psi"), [&](double v) { area.psiStep = v; });
        assign(readDouble(m, "teta"), [&](double v) { area.tetaStep = v; });
    } else if (key == QLatin1String("polarAndDNA")) {
        assign(readDouble(m, "coefEllipt"), [&](double v) { area.coefEllipt = v; });
        assign(readDouble(m, "orientAngle"), [&](double v) { area.orientAngle = v; });
        assign(readDouble(m, "waveLength"), [&](double v) { area.waveLength = v; });
    }
}

} // namespace

std::string replaceExtension(const std::string& path, const std::string& extension)
{
    const auto separator = path.find_last_of("/\\");
    const auto nameStart = separator == std::string::npos ? 0 : separator + 1;
    const auto dot = path.rfind('.');
    if (dot == std::string::npos || dot < nameStart)
        return path + extension;
    return path.substr(0, dot) + extension;
}

std::string settingsFileName(const std::string& mtmPath)
{
    return replaceExtension(mtmPath, ".ini");
}

double roundToSixDecimals(double value)
{
    return std::round(value * 1000000.0) / 1000000.0;
}

QByteArray settingsDocument(const TGenerationArea& area)
{
    QJsonObject document;
    appendMember(document, "position",
                 {{"lat", rounded(area.lat)}, {"lon", rounded(area.lon)}, {"alt", rounded(area.alt)}});
    appendMember(document, "angles",
                 {{"yaw", rounded(area.yaw)}, {"pitch", rounded(area.pitch)}, {"roll", rounded(area.roll)}});
    appendMember(document, "size",
                 {{"x", rounded(area.sizeX)}, {"y", rounded(area.sizeY)}, {"z", rounded(area.sizeZ)}});
    appendMember(document, "countOfElements",
                 {{"axisX", static_cast<qint64>(area.countX)},
                  {"axisY", static_cast<qint64>(area.countY)},
                  {"axisZ", static_cast<qint64>(area.countZ)}});
    appendMember(document, "angleStep", {{"psi", rounded(area.psiStep)}, {"teta", rounded(area.tetaStep)}});
    appendMember(document, "polarAndDNA",
                 {{"coefEllipt", rounded(area.coefEllipt)},
                  {"orientAngle", rounded(area.orientAngle)},
                  {"waveLength", rounded(area.waveLength)}});
    return QJsonDocument(document).toJson(QJsonDocument::Indented);
}

void WriteSettingsFile(const TGenerationArea& area, const std::string& mtmPath)
{
    const std::string fileName = settingsFileName(mtmPath);
    // The old file stays whole until the new one is complete; the name stays the bytes it was.
    const QByteArray text = settingsDocument(area);
    const auto written = platform::replaceFile(fileName, [&text](platform::FileReplacement& file) {
        return file.write(text.constData(), static_cast<std::size_t>(text.size()));
    });
    if (!written) {
        LogError("Cannot write " + fileName);
        return;
    }
    LogInfo("File " + fileName + " is written");
}

bool readSettingsDocument(const QByteArray& json, TGenerationArea& area)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return false;
    const QJsonObject top = document.object();
    for (auto it = top.begin(); it != top.end(); ++it) {
        if (!it.value().isArray())
            continue;
        const QJsonArray array = it.value().toArray();
        if (array.isEmpty() || !array.first().isObject())
            continue;
        applyKey(it.key(), array.first().toObject(), area);
    }
    return true;
}

bool ReadSettingsFile(TModelItem& item)
{
    // Only a regular file of settings size: a FIFO or a device in its place must not hang the window.
    const auto text = platform::readRegularFile(settingsFileName(item.mtmPath), kMaxSettingsBytes);
    if (!text)
        return false;
    const QByteArray json(text->data(), static_cast<int>(text->size()));
    TGenerationArea area = item.area;
    if (!readSettingsDocument(json, area))
        return false;
    item.area = area;
    return true;
}

} // namespace bridge
