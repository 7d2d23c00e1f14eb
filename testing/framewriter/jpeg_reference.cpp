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

namespace {

// Reads the header, lets setUp choose the output (false: a picture it does not take), then
// decodes with the accurate integer transform, calling readRows until every row is out.
// libjpeg's errors jump back here, across setUp and readRows: only plain values may live in
// them.
template <class SetUp, class ReadRows>
bool Decompress(ReferenceDecoder::State& state, const std::uint8_t* jpeg, std::size_t size,
                SetUp setUp, ReadRows readRows) {
    jpeg_decompress_struct& cinfo = state.cinfo;
    if (setjmp(state.errors.jump) != 0) {
        jpeg_abort_decompress(&cinfo);
        return false;
    }
    jpeg_mem_src(&cinfo, jpeg, static_cast<unsigned long>(size));
    jpeg_read_header(&cinfo, TRUE);
    cinfo.dct_method = JDCT_ISLOW;
    if (!setUp(cinfo)) {
        jpeg_abort_decompress(&cinfo);
        return false;
    }
    jpeg_start_decompress(&cinfo);
    while (cinfo.output_scanline < cinfo.output_height) {
        readRows(cinfo);
    }
    jpeg_finish_decompress(&cinfo);
    return true;
}

}  // namespace

ReferenceDecoder::ReferenceDecoder() : state_(std::make_unique<State>()) {
    state_->cinfo.err = jpeg_std_error(&state_->errors.base);
    state_->errors.base.error_exit = JumpOnError;
    state_->errors.base.emit_message = Silence;
    jpeg_create_decompress(&state_->cinfo);
}

ReferenceDecoder::~ReferenceDecoder() {
    jpeg_destroy_decompress(&state_->cinfo);
}

bool ReferenceDecoder::DecodePlanes(const std::uint8_t* jpeg, std::size_t size,
                                    std::vector<std::uint8_t>& planes, int& width, int& height) {
    std::uint8_t* starts[3] = {};
    int strides[3] = {};
    const auto setUp = [&](jpeg_decompress_struct& cinfo) {
        width = static_cast<int>(cinfo.image_width);
        height = static_cast<int>(cinfo.image_height);
        if (!Is422(cinfo) || width % 16 != 0 || height % kRowsPerCall != 0) {
            return false;
        }
        cinfo.raw_data_out = TRUE;
        cinfo.do_fancy_upsampling = FALSE;
        const std::size_t lumaBytes = static_cast<std::size_t>(width) * height;
        planes.resize(2 * lumaBytes);
        starts[0] = planes.data();
        starts[1] = starts[0] + lumaBytes;
        starts[2] = starts[1] + lumaBytes / 2;
        strides[0] = width;
        strides[1] = strides[2] = width / 2;
        return true;
    };
    const auto readRows = [&](jpeg_decompress_struct& cinfo) {
        JSAMPROW rows[3][kRowsPerCall];
        JSAMPARRAY image[3] = {rows[0], rows[1], rows[2]};
        const std::size_t top = cinfo.output_scanline;
        for (int c = 0; c < 3; ++c) {
            for (int r = 0; r < kRowsPerCall; ++r) {
                rows[c][r] = starts[c] + (top + r) * strides[c];
            }
        }
        jpeg_read_raw_data(&cinfo, image, kRowsPerCall);
    };
    return Decompress(*state_, jpeg, size, setUp, readRows);
}

bool ReferenceDecoder::DecodeBgr(const std::uint8_t* jpeg, std::size_t size,
                                 std::vector<std::uint8_t>& bgr, int& width, int& height,
                                 bool smoothChroma) {
    const auto setUp = [&](jpeg_decompress_struct& cinfo) {
        cinfo.out_color_space = JCS_EXT_BGR;
        cinfo.do_fancy_upsampling = smoothChroma ? TRUE : FALSE;
        width = static_cast<int>(cinfo.image_width);  // unscaled: the output's size
        height = static_cast<int>(cinfo.image_height);
        bgr.resize(static_cast<std::size_t>(width) * height * 3);
        return true;
    };
    const auto readRow = [&](jpeg_decompress_struct& cinfo) {
        JSAMPROW row = bgr.data() + static_cast<std::size_t>(cinfo.output_scanline) * width * 3;
        jpeg_read_scanlines(&cinfo, &row, 1);
    };
    return Decompress(*state_, jpeg, size, setUp, readRow);
}

}  // namespace orvik
