#include "gridcsv.h"

#include "gridangles.h"
#include "textformat.h"

#include <cstdio>
#include <fstream>

namespace mtm {

kalmeno::Status writeGridCsv(const std::string& path, const std::vector<std::vector<double>>& values,
                             const std::string& valueColumn)
{
    {
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        if (file) {
            file << "az_index,el_index,azimuth_deg,elevation_deg," << valueColumn << '\n';
            for (std::size_t i = 0; i < values.size(); ++i)
                for (std::size_t j = 0; j < values[i].size(); ++j)
                    file << i << ',' << j << ',' << formatReal(azimuthDegrees(i, values.size())) << ','
                         << formatReal(elevationDegrees(j, values[i].size())) << ',' << formatReal(values[i][j])
                         << '\n';
            file.close();
            if (file)
                return kalmeno::Status::success();
        }
    }
    std::remove(path.c_str());
    return kalmeno::Status::failure("cannot write " + path);
}

} // namespace mtm
