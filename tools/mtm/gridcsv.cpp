#include "gridcsv.h"

#include "bufferedoutput.h"
#include "gridangles.h"
#include "textformat.h"

namespace mtm {

std::string gridCsvHeader(const std::string& valueColumn)
{
    return "az_index,el_index,azimuth_deg,elevation_deg," + valueColumn + '\n';
}

std::string gridCsvRows(std::uint32_t countAz, std::uint32_t countEl, std::uint32_t firstRow, std::uint32_t rowCount,
                        const double* values)
{
    std::string lines;
    for (std::uint32_t i = firstRow; i < firstRow + rowCount; ++i) {
        const std::string azimuth = std::to_string(i) + ',';
        const std::string degrees = ',' + formatReal(azimuthDegrees(i, countAz)) + ',';
        for (std::uint32_t j = 0; j < countEl; ++j, ++values) {
            lines += azimuth;
            lines += std::to_string(j);
            lines += degrees;
            lines += formatReal(elevationDegrees(j, countEl));
            lines += ',';
            lines += formatReal(*values);
            lines += '\n';
        }
    }
    return lines;
}

kalmeno::Status writeGridCsv(const std::string& path, const std::vector<std::vector<double>>& values,
                             const std::string& valueColumn)
{
    auto csv = BufferedOutput::begin(path);
    if (!csv)
        return kalmeno::Status::failure(csv.error());
    csv->append(gridCsvHeader(valueColumn));
    const auto countAz = static_cast<std::uint32_t>(values.size());
    for (std::uint32_t i = 0; i < countAz; ++i)
        csv->append(gridCsvRows(countAz, std::uint32_t(values[i].size()), i, 1, values[i].data()));
    return csv->commit();
}

} // namespace mtm
