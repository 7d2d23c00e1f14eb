#include "testing/framewriter/jpeg_reference.h"

// clang-format off
#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE
#include <jpeglib.h>
// clang-format on

namespace orvik {
namespace {

constexpr int kRowsPerCall = 8;  // one MCU row of a 2x1 / 1x1 / 1x1 picture

// libjpeg reports errors by calling error_exit; this one jumps back to the decode call.
struct ErrorJump {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

[[noreturn]] void JumpOnError(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<ErrorJump*>(cinfo->err)->jump, 1);
}

void Silence(j_common_ptr, int) {}

bool Is422(const jpeg_decompress_struct& cinfo) {
    const jpeg_component_info* c = cinfo.comp_info;
    return cinfo.num_components == 3 && c[0].h_samp_factor == 2 && c[0].v_samp_factor == 1 &&
           c[1].h_samp_factor == 1 && c[1].v_samp_factor == 1 && c[2].h_samp_factor == 1 &&
           c[2].v_samp_factor == 1;
}

}  // namespace

struct ReferenceDecoder::State {
    jpeg_decompress_struct cinfo;
    ErrorJump errors;
};

ReferenceDecoder::ReferenceDecoder() : state_(std::make_unique<State>()) {
    state_->cinfo.err = jpeg_std_error(&state_->errors.base);
    state_->errors.base.error_exit = JumpOnError;
    state_->errors.base.emit_message = Silence;
    jpeg_create_decompress(&state_->cinfo);
}

ReferenceDecoder::~ReferenceDecoder() {
    jpeg_destroy_decompress(&state_->cinfo);
}

// Only plain values live between setjmp and a possible longjmp in these two functions.
bool ReferenceDecoder::DecodePlanes(const std::uint8_t* jpeg, std::size_t size,
                                    std::vector<std::uint8_t>& planes, int& width, int& height) {
    jpeg_decompress_struct& cinfo = state_->cinfo;
    if (setjmp(state_->errors.jump) != 0) {
        jpeg_abort_decompress(&cinfo);
        return false;
    }
    jpeg_mem_src(&cinfo, jpeg, static_cast<unsigned long>(size));
    jpeg_read_header(&cinfo, TRUE);
    width = static_cast<int>(cinfo.image_width);
    height = static_cast<int>(cinfo.image_height);
    if (!Is422(cinfo) || width % 16 != 0 || height % kRowsPerCall != 0) {
        jpeg_abort_decompress(&cinfo);
        return false;
    }
    cinfo.raw_data_out = TRUE;
    cinfo.do_fancy_upsampling = FALSE;
    cinfo.dct_method = JDCT_ISLOW;
    jpeg_start_decompress(&cinfo);
    const std::size_t lumaBytes = static_cast<std::size_t>(width) * height;
    planes.resize(2 * lumaBytes);
    std::uint8_t* starts[3] = {planes.data(), planes.data() + lumaBytes,
                               planes.data() + lumaBytes + lumaBytes / 2};
    const int strides[3] = {width, width / 2, width / 2};
    JSAMPROW rows[3][kRowsPerCall];
    JSAMPARRAY image[3] = {rows[0], rows[1], rows[2]};
    while (cinfo.output_scanline < cinfo.output_height) {
        const std::size_t top = cinfo.output_scanline;
        for (int c = 0; c < 3; ++c) {
            for (int r = 0; r < kRowsPerCall; ++r) {
                rows[c][r] = starts[c] + (top + r) * strides[c];
            }
        }
        jpeg_read_raw_data(&cinfo, image, kRowsPerCall);
    }
    jpeg_finish_decompress(&cinfo);
    return true;
}

bool ReferenceDecoder::DecodeBgr(const std::uint8_t* jpeg, std::size_t size,
                                 std::vector<std::uint8_t>& bgr, int& width, int& height,
                                 bool smoothChroma) {
    jpeg_decompress_struct& cinfo = state_->cinfo;
    if (setjmp(state_->errors.jump) != 0) {
        jpeg_abort_decompress(&cinfo);
        return false;
    }
    jpeg_mem_src(&cinfo, jpeg, static_cast<unsigned long>(size));
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_EXT_BGR;
    cinfo.dct_method = JDCT_ISLOW;
    cinfo.do_fancy_upsampling = smoothChroma ? TRUE : FALSE;
    jpeg_start_decompress(&cinfo);
    width = static_cast<int>(cinfo.output_width);
    height = static_cast<int>(cinfo.output_height);
    bgr.resize(static_cast<std::size_t>(width) * height * 3);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = bgr.data() + static_cast<std::size_t>(cinfo.output_scanline) * width * 3;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    return true;
}

}  // namespace orvik
