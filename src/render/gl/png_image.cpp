#include "render/gl/png_image.h"

#include <png.h>

#include <cstring>

namespace bw {

bool EncodePng(const std::vector<std::uint8_t>& rgba, int width, int height, std::string& bytes,
               std::string* reason) {
    const auto fail = [&](const char* why) {
        if (reason) *reason = std::string("the PNG could not be encoded: ") + why;
        return false;
    };
    if (width <= 0 || height <= 0 || rgba.size() != std::size_t(width) * std::size_t(height) * 4)
        return fail("the picture has no pixels");
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(width);
    image.height = png_uint_32(height);
    image.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, rgba.data(), 0, nullptr))
        return fail(image.message);
    bytes.assign(size, '\0');
    if (!png_image_write_to_memory(&image, bytes.data(), &size, 0, rgba.data(), 0, nullptr))
        return fail(image.message);
    bytes.resize(size);
    return true;
}

}  // namespace bw
