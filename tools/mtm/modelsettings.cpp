#include "modelsettings.h"

#include "settingsfile.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

#include <cmath>

namespace mtm {

namespace {

// Settings files are a few hundred bytes.
constexpr qint64 kMaxSettingsBytes = 1 << 20;

QString fileName(const std::string& mtmPath)
{
    return QString::fromLocal8Bit(bridge::settingsFileName(mtmPath).c_str());
}

std::optional<std::uint32_t> rowNumber(const QJsonValue& value)
{
    const double number = value.toDouble(-1.0);
    if (!value.isDouble() || number < 0.0 || number > 4294967295.0 || std::floor(number) != number)
        return std::nullopt;
    return std::uint32_t(number);
}

} // namespace

kalmeno::Result<ModelSettings> readModelSettings(const std::string& mtmPath)
{
    using R = kalmeno::Result<ModelSettings>;
    const QString name = fileName(mtmPath);
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        return R::failure("cannot read the settings file " + name.toStdString());
    const QByteArray json = file.read(kMaxSettingsBytes + 1);
    ModelSettings settings;
    if (json.size() > kMaxSettingsBytes || !bridge::readSettingsDocument(json, settings.area))
        return R::failure(name.toStdString() + " is not a settings file");
    const QJsonValue rows = QJsonDocument::fromJson(json).object().value(QStringLiteral("rows"));
    if (!rows.isUndefined()) {
        const QJsonObject slab = rows.toArray().first().toObject();
        const auto first = rowNumber(slab.value(QStringLiteral("first")));
        const auto last = rowNumber(slab.value(QStringLiteral("last")));
        if (!first || !last || *last < *first)
            return R::failure(name.toStdString() + ": \"rows\" is not a range of rows");
        settings.rows = RowSlab{*first, *last};
    }
    return R::success(settings);
}

kalmeno::Status writeModelSettings(const std::string& mtmPath, const ModelSettings& settings)
{
    QJsonObject document = QJsonDocument::fromJson(bridge::settingsDocument(settings.area)).object();
    if (settings.rows)
        document.insert(QStringLiteral("rows"),
                        QJsonArray{QJsonObject{{QStringLiteral("first"), qint64(settings.rows->first)},
                                               {QStringLiteral("last"), qint64(settings.rows->last)}}});
    const QByteArray text = QJsonDocument(document).toJson(QJsonDocument::Indented);
    const QString name = fileName(mtmPath);
    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
        return kalmeno::Status::failure("cannot write " + name.toStdString());
    return kalmeno::Status::success();
}

} // namespace mtm
