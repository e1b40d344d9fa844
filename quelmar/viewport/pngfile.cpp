#include "pngfile.h"

#include <png.h>

namespace quelmar {

kalmeno::Status writePng(const std::string& path, const RgbaImage& image)
{
    if (image.isEmpty() || image.pixels.size() != static_cast<std::size_t>(image.width) * image.height * 4)
        return kalmeno::Status::failure("no picture to write");
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(image.width);
    png.height = static_cast<png_uint_32>(image.height);
    png.format = PNG_FORMAT_RGBA;
    if (!png_image_write_to_file(&png, path.c_str(), 0, image.pixels.data(), 0, nullptr)) {
        const std::string reason = png.message;
        png_image_free(&png);
        return kalmeno::Status::failure(reason);
    }
    return kalmeno::Status::success();
}

kalmeno::Result<RgbaImage> readPng(const std::string& path)
{
    using R = kalmeno::Result<RgbaImage>;
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, path.c_str()))
        return R::failure(path + ": " + png.message);
    png.format = PNG_FORMAT_RGBA;
    // The header's size decides the allocation: refuse what no viewport could have written.
    if (png.width == 0 || png.height == 0 || png.width > 16384 || png.height > 16384) {
        png_image_free(&png);
        return R::failure(path + ": a picture of " + std::to_string(png.width) + " × " +
                          std::to_string(png.height) + " pixels is not a viewport picture");
    }
    RgbaImage image;
    image.width = static_cast<int>(png.width);
    image.height = static_cast<int>(png.height);
    image.pixels.resize(PNG_IMAGE_SIZE(png));
    if (!png_image_finish_read(&png, nullptr, image.pixels.data(), 0, nullptr)) {
        const std::string reason = png.message;
        png_image_free(&png);
        return R::failure(path + ": " + reason);
    }
    return R::success(std::move(image));
}

} // namespace quelmar
