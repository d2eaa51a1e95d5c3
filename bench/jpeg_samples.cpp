#include "bench/jpeg_samples.h"

#include <cstdlib>
#include <vector>

namespace brumalis::graphics {

std::string EncodeSampleJpeg(int w, int h, int nComponents, J_COLOR_SPACE space, int nQuality,
                             const std::function<void(int y, JSAMPLE* row)>& fillRow) {
    jpeg_compress_struct c{};
    jpeg_error_mgr err{};
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    unsigned char* buffer = nullptr;
    unsigned long nSize = 0;
    jpeg_mem_dest(&c, &buffer, &nSize);
    c.image_width = JDIMENSION(w);
    c.image_height = JDIMENSION(h);
    c.input_components = nComponents;
    c.in_color_space = space;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, nQuality, TRUE);
    jpeg_start_compress(&c, TRUE);
    std::vector<JSAMPLE> row(std::size_t(w) * std::size_t(nComponents));
    while (c.next_scanline < c.image_height) {
        fillRow(int(c.next_scanline), row.data());
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&c, rows, 1);
    }
    jpeg_finish_compress(&c);
    std::string out(reinterpret_cast<char*>(buffer), nSize);
    jpeg_destroy_compress(&c);
    std::free(buffer);
    return out;
}

}  // namespace brumalis::graphics
