#include "tools/frame/png_file.h"

#include <png.h>

#include <new>

namespace orvik {
namespace {

constexpr png_uint_32 kDotsPerMetre = 3937;  // 100 dots an inch, the toolkit's default

// libpng reports an error by calling this, which must not return; the caller's setjmp
// takes it. Nothing is printed: the command names the picture that failed.
[[noreturn]] void Fail(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

void IgnoreWarning(png_structp, png_const_charp) {}

void Append(png_structp png, png_bytep data, std::size_t length) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    bool stored = true;
    try {
        out->insert(out->end(), data, data + length);
    } catch (const std::bad_alloc&) {
        stored = false;
    }
    if (!stored) {
        png_error(png, "out of memory");
    }
}

void FlushNothing(png_structp) {}

// libpng leaves this by longjmp on an error, so it holds no object with a destructor: the
// rows and the output belong to the caller.
bool WritePng(int width, int height, png_bytepp rows, std::vector<std::uint8_t>& out) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, Fail, IgnoreWarning);
    if (png == nullptr) {
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (info == nullptr || setjmp(png_jmpbuf(png)) != 0) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, &out, Append, FlushNothing);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_set_pHYs(png, info, kDotsPerMetre, kDotsPerMetre, PNG_RESOLUTION_METER);
    png_write_info(png, info);
    png_set_bgr(png);  // the decoder's pixels are blue, green, red
    png_write_image(png, rows);
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

std::vector<std::uint8_t> PngFile(const BottomUpBgr& picture) {
    if (picture.width <= 0 || picture.height <= 0) {
        return {};
    }
    // The top row is the decoder's last: the rows are handed over in reverse, not copied.
    std::vector<png_bytep> rows(static_cast<std::size_t>(picture.height));
    for (int row = 0; row < picture.height; ++row) {
        rows[static_cast<std::size_t>(row)] =
            const_cast<png_bytep>(picture.Row(picture.height - 1 - row));
    }
    std::vector<std::uint8_t> out;
    if (!WritePng(picture.width, picture.height, rows.data(), out)) {
        return {};
    }
    return out;
}

}  // namespace orvik
