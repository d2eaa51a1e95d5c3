// JPEG pictures through libjpeg-turbo. The library reports fatal errors by
// calling a function that must not return; it jumps back here instead of
// ending the program. Greyscale and CMYK pictures become RGB.
#include <csetjmp>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include <jpeglib.h>
#include <jerror.h>

#include "platform/graphics/picture.h"

namespace brumalis::graphics {

namespace {

// Progressive pictures of real cameras and editors use about ten scans; a
// hostile file could ask for millions, each a pass over the whole picture.
constexpr int kMaxScans = 256;
// A picture cannot be coded in fewer bytes than this many pixels each:
// even a blank image needs a few bits per 8 x 8 block.
constexpr std::uint64_t kMinPixelsPerByte = 2048;

struct TJpegState {
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    jpeg_progress_mgr progress{};
    std::jmp_buf jump{};
    std::string szReason;
    bool bTruncated = false;
    CTRaster raster;
    std::vector<JSAMPLE> row;
};

TJpegState& StateOf(j_common_ptr cinfo) { return *static_cast<TJpegState*>(cinfo->client_data); }

[[noreturn]] void OnFatal(j_common_ptr cinfo) {
    char message[JMSG_LENGTH_MAX];
    (*cinfo->err->format_message)(cinfo, message);
    StateOf(cinfo).szReason = std::string("JPEG data damaged: ") + message;
    std::longjmp(StateOf(cinfo).jump, 1);
}

// Warnings stay quiet, except that data ending early makes the picture
// incomplete and is refused.
void OnMessage(j_common_ptr cinfo, int nLevel) {
    if (nLevel < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF) StateOf(cinfo).bTruncated = true;
}

void OnProgress(j_common_ptr cinfo) {
    auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (d->input_scan_number > kMaxScans) {
        StateOf(cinfo).szReason = "JPEG picture with more than " + std::to_string(kMaxScans) + " scans";
        std::longjmp(StateOf(cinfo).jump, 1);
    }
}

void ConvertCmyk(const JSAMPLE* src, std::uint8_t* dst, int nWidth, bool bInverted) {
    for (int x = 0; x < nWidth; ++x, src += 4, dst += 3) {
        // Adobe's files store 255 for no ink; others store the ink amount.
        const int k = bInverted ? src[3] : 255 - src[3];
        for (int i = 0; i < 3; ++i) {
            const int c = bInverted ? src[i] : 255 - src[i];
            dst[i] = std::uint8_t((c * k + 127) / 255);
        }
    }
}

// Everything after the jump point lives in the heap state, so the jump
// back leaves no local object in an unknown state.
bool Decode(TJpegState& s, std::string_view bytes) {
    if (setjmp(s.jump) != 0) return false;
    jpeg_create_decompress(&s.info);
    jpeg_mem_src(&s.info, reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&s.info, TRUE);
    const JDIMENSION w = s.info.image_width, h = s.info.image_height;
    if (w == 0 || h == 0 || w > JDIMENSION(kMaxPictureSide) || h > JDIMENSION(kMaxPictureSide)) {
        s.szReason = "JPEG size " + std::to_string(w) + " x " + std::to_string(h) + " outside 1 to " +
                     std::to_string(kMaxPictureSide) + " pixels";
        return false;
    }
    if (std::uint64_t(w) * h / kMinPixelsPerByte > bytes.size()) {
        s.szReason = "JPEG data too short for a picture of " + std::to_string(w) + " x " + std::to_string(h) + " pixels";
        return false;
    }
    const bool bCmyk = s.info.jpeg_color_space == JCS_CMYK || s.info.jpeg_color_space == JCS_YCCK;
    s.info.out_color_space = bCmyk ? JCS_CMYK : JCS_RGB;
    jpeg_start_decompress(&s.info);
    s.raster = CTRaster(int(w), int(h));
    s.row.resize(std::size_t(w) * std::size_t(s.info.output_components));
    while (s.info.output_scanline < h) {
        const int y = int(s.info.output_scanline);
        JSAMPROW rows[1] = {bCmyk ? s.row.data() : s.raster.Row(y)};
        if (jpeg_read_scanlines(&s.info, rows, 1) != 1) break;
        if (bCmyk) ConvertCmyk(s.row.data(), s.raster.Row(y), int(w), s.info.saw_Adobe_marker);
    }
    if (s.bTruncated || s.info.output_scanline < h) {
        s.szReason = "JPEG data truncated";
        return false;
    }
    jpeg_finish_decompress(&s.info);
    return !s.bTruncated;
}

}  // namespace

CTGraphic DecodeJpeg(std::string_view bytes) {
    if (bytes.size() < 4 || std::uint8_t(bytes[0]) != 0xFF || std::uint8_t(bytes[1]) != 0xD8)
        return CTGraphic::Failed("not a JPEG picture");
    auto state = std::make_unique<TJpegState>();
    state->info.err = jpeg_std_error(&state->errors);
    state->errors.error_exit = OnFatal;
    state->errors.emit_message = OnMessage;
    state->info.client_data = state.get();
    state->progress.progress_monitor = OnProgress;
    state->info.progress = &state->progress;
    const bool bOk = Decode(*state, bytes);
    jpeg_destroy_decompress(&state->info);
    if (!bOk) return CTGraphic::Failed(state->szReason.empty() ? "JPEG data truncated" : state->szReason);
    return CTGraphic::FromRaster(std::move(state->raster));
}

}  // namespace brumalis::graphics
