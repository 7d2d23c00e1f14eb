// EncodeFrame with libjpeg-turbo. The encoder is given the fixed Huffman tables (optimised
// coding off) and the frame's fixed component layout, so its entropy-coded segment is, byte
// for byte, what the recording device stores after its header.
#include "testing/framewriter/frame_writer.h"

// clang-format off
#include <cstdio>  // jpeglib.h needs FILE
#include <jpeglib.h>
// clang-format on

#include <algorithm>
#include <cstdlib>

#include "decoder/default_huffman_tables.h"
#include "decoder/frame_format.h"
#include "decoder/zigzag.h"
#include "jpeg/jpeg_segments.h"

namespace orvik {
namespace {

constexpr std::uint8_t kSos = 0xDA;  // the scan header, after which the coded data begin
constexpr std::uint8_t kApp15 = 0xEF;

// The fixed tables code DC differences up to +-511 and AC values up to +-255 only. With 8-bit
// samples the DCT's DC term lies within -1024..1016 and its AC terms within about +-930, so
// quantisers of at least 4 keep every coefficient in range.
constexpr unsigned kMinQuantiser = 4;

// Where the default tables of one class and slot start inside DefaultHuffmanTables.
const std::uint8_t* DefaultTable(int classSlot) {
    std::size_t at = 0;
    while (at < DefaultHuffmanTables.size()) {
        int symbols = 0;
        for (int i = 1; i <= 16; ++i) {
            symbols += DefaultHuffmanTables[at + i];
        }
        if (DefaultHuffmanTables[at] == classSlot) {
            return DefaultHuffmanTables.data() + at;
        }
        at += 1 + 16 + static_cast<std::size_t>(symbols);
    }
    std::abort();  // the four tables are always there
}

void InstallTable(j_compress_ptr cinfo, JHUFF_TBL*& slot, int classSlot) {
    if (slot == nullptr) {
        slot = jpeg_alloc_huff_table(reinterpret_cast<j_common_ptr>(cinfo));
    }
    const std::uint8_t* table = DefaultTable(classSlot);
    int symbols = 0;
    slot->bits[0] = 0;
    for (int i = 1; i <= 16; ++i) {
        slot->bits[i] = table[i];
        symbols += table[i];
    }
    std::fill(std::begin(slot->huffval), std::end(slot->huffval), 0);
    std::copy_n(table + 17, symbols, slot->huffval);
    slot->sent_table = FALSE;
}

// Byte offsets of the coded data in a standard JPEG stream written by libjpeg: just after
// the SOS segment, up to the final EOI.
std::vector<std::uint8_t> CodedData(const unsigned char* jpeg, unsigned long size) {
    std::size_t at = 2;  // after SOI
    while (at + 4 <= size) {
        const std::uint8_t code = jpeg[at + 1];
        const std::size_t length = (static_cast<std::size_t>(jpeg[at + 2]) << 8) | jpeg[at + 3];
        at += 2 + length;
        if (code == kSos) {
            return std::vector<std::uint8_t>(jpeg + at, jpeg + size - 2);
        }
    }
    std::abort();  // libjpeg always writes a scan
}

void LeadingHeader(std::vector<std::uint8_t>& out) {
    // SOI and one application segment of zeros, so that the file reads as JPEG markers.
    PutJpegMarker(out, kStartOfImage);
    PutJpegMarker(out, kApp15);
    constexpr unsigned kLength = kQuantSegmentsOffset - 4;  // 370: fills up to offset 374
    PutJpeg16(out, kLength);
    out.resize(kQuantSegmentsOffset, 0);
}

}  // namespace

std::vector<std::uint8_t> EncodeFrame(const std::uint8_t* rgb, int width, int height, int quality) {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char* jpeg = nullptr;
    unsigned long jpegSize = 0;
    jpeg_mem_dest(&cinfo, &jpeg, &jpegSize);

    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    for (int t = 0; t < 2; ++t) {
        for (UINT16& q : cinfo.quant_tbl_ptrs[t]->quantval) {
            q = std::max<UINT16>(q, kMinQuantiser);
        }
    }
    cinfo.write_JFIF_header = FALSE;
    cinfo.optimize_coding = FALSE;
    cinfo.dct_method = JDCT_ISLOW;
    cinfo.comp_info[0].h_samp_factor = 2;
    cinfo.comp_info[0].v_samp_factor = 1;
    for (int c = 0; c < 3; ++c) {
        if (c > 0) {
            cinfo.comp_info[c].h_samp_factor = 1;
            cinfo.comp_info[c].v_samp_factor = 1;
        }
        cinfo.comp_info[c].quant_tbl_no = c == 0 ? 0 : 1;
        cinfo.comp_info[c].dc_tbl_no = c == 0 ? 0 : 1;
        cinfo.comp_info[c].ac_tbl_no = c == 0 ? 0 : 1;
    }
    InstallTable(&cinfo, cinfo.dc_huff_tbl_ptrs[0], 0x00);
    InstallTable(&cinfo, cinfo.ac_huff_tbl_ptrs[0], 0x10);
    InstallTable(&cinfo, cinfo.dc_huff_tbl_ptrs[1], 0x01);
    InstallTable(&cinfo, cinfo.ac_huff_tbl_ptrs[1], 0x11);

    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row =
            const_cast<JSAMPROW>(rgb + static_cast<std::size_t>(cinfo.next_scanline) * width * 3);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);

    std::uint8_t quant[2][64];
    for (int t = 0; t < 2; ++t) {
        for (int k = 0; k < 64; ++k) {
            quant[t][k] =
                static_cast<std::uint8_t>(cinfo.quant_tbl_ptrs[t]->quantval[ZigzagToNatural[k]]);
        }
    }
    const std::vector<std::uint8_t> coded = CodedData(jpeg, jpegSize);
    jpeg_destroy_compress(&cinfo);
    std::free(jpeg);

    std::vector<std::uint8_t> frame;
    frame.reserve(kFrameHeaderSize + coded.size() + 2);
    LeadingHeader(frame);
    PutQuantSegment(frame, 0, quant[0]);
    PutQuantSegment(frame, 1, quant[1]);
    PutFrameHeader(frame, width, height);
    PutScanHeader(frame);
    frame.insert(frame.end(), coded.begin(), coded.end());
    PutJpegMarker(frame, kEndOfImage);
    return frame;
}

}  // namespace orvik
