// Bitmap files and device-independent bitmaps: 1, 4, 8, 16, 24 and 32 bits
// per pixel, palettes and bit-field masks, either row order. Compressed
// (RLE) bitmaps are refused.
#include <algorithm>
#include <bit>
#include <cstdint>
#include <string>

#include "platform/graphics/byte_reader.h"
#include "platform/graphics/picture.h"
#include "platform/graphics/picture_codecs.h"

namespace brumalis::graphics {

namespace {

constexpr std::uint32_t BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3, BI_ALPHABITFIELDS = 6;
constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;

struct TDibLayout {
    std::int64_t nWidth = 0;
    std::int64_t nHeight = 0;  // negative: rows top to bottom
    int nBits = 0;
    std::uint32_t nCompression = BI_RGB;
    std::uint32_t masks[3] = {0, 0, 0};
    std::size_t nPaletteEntries = 0;
    std::size_t nPaletteOffset = 0;
    std::size_t nEntrySize = 4;
};

// One colour channel of a bit-field pixel, scaled to 0..255.
class TChannel {
public:
    explicit TChannel(std::uint32_t nMask) : v_mask(nMask) {
        if (nMask == 0) return;
        v_shift = std::countr_zero(nMask);
        const int nWidth = std::countr_one(nMask >> v_shift);
        v_max = nWidth >= 32 ? 0xFFFFFFFFu : (1u << nWidth) - 1;
    }
    std::uint8_t Value(std::uint32_t nPixel) const {
        if (v_max == 0) return 0;
        const std::uint64_t v = ((nPixel & v_mask) >> v_shift) & v_max;
        return std::uint8_t((v * 255 + v_max / 2) / v_max);
    }

private:
    std::uint32_t v_mask;
    int v_shift = 0;
    std::uint32_t v_max = 0;
};

std::string ReadHeader(std::string_view info, TDibLayout& d, std::uint32_t& nHeader) {
    if (info.size() < 4) return "bitmap header missing";
    nHeader = ReadU32(info, 0);
    if (nHeader == kCoreHeaderSize) {
        if (info.size() < kCoreHeaderSize) return "bitmap header truncated";
        d.nWidth = ReadU16(info, 4);
        d.nHeight = ReadI16(info, 6);
        if (ReadU16(info, 8) != 1) return "bitmap with other than one plane";
        d.nBits = ReadU16(info, 10);
        d.nEntrySize = 3;
        return "";
    }
    if (nHeader != 40 && nHeader != 52 && nHeader != 56 && nHeader != 108 && nHeader != 124)
        return "unknown bitmap header size " + std::to_string(nHeader);
    if (info.size() < nHeader) return "bitmap header truncated";
    d.nWidth = ReadI32(info, 4);
    d.nHeight = ReadI32(info, 8);
    if (ReadU16(info, 12) != 1) return "bitmap with other than one plane";
    d.nBits = ReadU16(info, 14);
    d.nCompression = ReadU32(info, 16);
    d.nPaletteEntries = ReadU32(info, 32);
    return "";
}

// Masks of bit-field bitmaps (after a 40-byte header, or inside a longer
// one) and the defaults of uncompressed 16- and 32-bit pixels.
std::string ReadMasks(std::string_view info, std::uint32_t nHeader, TDibLayout& d, std::size_t& nAfter) {
    nAfter = nHeader;
    if (d.nCompression == BI_BITFIELDS || d.nCompression == BI_ALPHABITFIELDS) {
        if (d.nBits != 16 && d.nBits != 32) return "bit-field masks on a bitmap of " + std::to_string(d.nBits) + " bits";
        std::size_t nAt = nHeader;
        if (nHeader == kInfoHeaderSize) {
            nAfter += d.nCompression == BI_ALPHABITFIELDS ? 16 : 12;
        } else {
            nAt = kInfoHeaderSize;
        }
        if (info.size() < nAt + 12) return "bitmap masks truncated";
        for (int i = 0; i < 3; ++i) d.masks[i] = ReadU32(info, nAt + 4 * std::size_t(i));
    } else if (d.nBits == 16) {
        d.masks[0] = 0x7C00, d.masks[1] = 0x03E0, d.masks[2] = 0x001F;
    } else if (d.nBits == 32) {
        d.masks[0] = 0xFF0000, d.masks[1] = 0xFF00, d.masks[2] = 0xFF;
    }
    return "";
}

std::string ReadLayout(std::string_view info, TDibLayout& d) {
    std::uint32_t nHeader = 0;
    if (std::string r = ReadHeader(info, d, nHeader); !r.empty()) return r;
    if (d.nCompression == BI_RLE8 || d.nCompression == BI_RLE4)
        return "run-length compressed bitmaps are not supported";
    if (d.nCompression != BI_RGB && d.nCompression != BI_BITFIELDS && d.nCompression != BI_ALPHABITFIELDS)
        return "unsupported bitmap compression " + std::to_string(d.nCompression);
    if (d.nBits != 1 && d.nBits != 4 && d.nBits != 8 && d.nBits != 16 && d.nBits != 24 && d.nBits != 32)
        return "unsupported bitmap depth of " + std::to_string(d.nBits) + " bits";
    const std::int64_t nAbsHeight = d.nHeight < 0 ? -d.nHeight : d.nHeight;
    if (d.nWidth <= 0 || nAbsHeight <= 0 || d.nWidth > kMaxPictureSide || nAbsHeight > kMaxPictureSide)
        return "bitmap size " + std::to_string(d.nWidth) + " x " + std::to_string(nAbsHeight) +
               " outside 1 to " + std::to_string(kMaxPictureSide) + " pixels";
    std::size_t nAfter = 0;
    if (std::string r = ReadMasks(info, nHeader, d, nAfter); !r.empty()) return r;
    if (d.nBits > 8) {
        d.nPaletteEntries = 0;  // a colour table of a direct-colour bitmap is only a hint
    } else {
        const std::size_t nFull = std::size_t(1) << d.nBits;
        if (d.nPaletteEntries == 0 || d.nPaletteEntries > nFull) d.nPaletteEntries = nFull;
        d.nPaletteOffset = nAfter;
        // Writers often store a shorter palette than the depth allows;
        // missing entries draw black.
        const std::size_t nStored = info.size() > nAfter ? (info.size() - nAfter) / d.nEntrySize : 0;
        d.nPaletteEntries = std::min(d.nPaletteEntries, nStored);
    }
    return "";
}

CTGraphic DecodePixels(const TDibLayout& d, std::string_view info, std::string_view bits) {
    const int nWidth = int(d.nWidth);
    const int nHeight = int(d.nHeight < 0 ? -d.nHeight : d.nHeight);
    const std::size_t nStride = ((std::size_t(nWidth) * std::size_t(d.nBits) + 31) / 32) * 4;
    if (bits.size() / nStride < std::size_t(nHeight)) return CTGraphic::Failed("bitmap pixel data truncated");
    std::vector<TColor> palette(d.nBits <= 8 ? std::size_t(1) << d.nBits : 0, clBlack);
    for (std::size_t i = 0; i < d.nPaletteEntries; ++i) {
        const std::size_t at = d.nPaletteOffset + i * d.nEntrySize;
        palette[i] = RGBColor(std::uint8_t(info[at + 2]), std::uint8_t(info[at + 1]), std::uint8_t(info[at]));
    }
    const TChannel red(d.masks[0]), green(d.masks[1]), blue(d.masks[2]);
    CTRaster raster(nWidth, nHeight);
    for (int y = 0; y < nHeight; ++y) {
        const int nSourceRow = d.nHeight < 0 ? y : nHeight - 1 - y;
        const auto* src = reinterpret_cast<const std::uint8_t*>(bits.data()) + std::size_t(nSourceRow) * nStride;
        std::uint8_t* dst = raster.Row(y);
        for (int x = 0; x < nWidth; ++x, dst += 3) {
            TColor c = clBlack;
            switch (d.nBits) {
            case 1: c = palette[(src[x >> 3] >> (7 - (x & 7))) & 1]; break;
            case 4: c = palette[(src[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF]; break;
            case 8: c = palette[src[x]]; break;
            case 24: c = RGBColor(src[3 * x + 2], src[3 * x + 1], src[3 * x]); break;
            default: {
                const std::uint32_t p = d.nBits == 16
                    ? std::uint32_t(src[2 * x] | (src[2 * x + 1] << 8))
                    : std::uint32_t(src[4 * x]) | (std::uint32_t(src[4 * x + 1]) << 8) |
                          (std::uint32_t(src[4 * x + 2]) << 16) | (std::uint32_t(src[4 * x + 3]) << 24);
                c = RGBColor(red.Value(p), green.Value(p), blue.Value(p));
            }
            }
            dst[0] = GetRValue(c), dst[1] = GetGValue(c), dst[2] = GetBValue(c);
        }
    }
    return CTGraphic::FromRaster(std::move(raster));
}

}  // namespace

CTGraphic DecodeDib(std::string_view info, std::string_view bits) {
    TDibLayout d;
    if (std::string r = ReadLayout(info, d); !r.empty()) return CTGraphic::Failed(r);
    return DecodePixels(d, info, bits);
}

CTGraphic DecodeBmp(std::string_view bytes) {
    if (bytes.size() < kFileHeaderSize + 4 || bytes[0] != 'B' || bytes[1] != 'M')
        return CTGraphic::Failed("not a bitmap file");
    const std::uint32_t nBitsOffset = ReadU32(bytes, 10);
    const std::string_view info = bytes.substr(kFileHeaderSize);
    if (nBitsOffset < kFileHeaderSize + 12 || nBitsOffset > bytes.size())
        return CTGraphic::Failed("bitmap pixel offset " + std::to_string(nBitsOffset) + " outside the file");
    return DecodeDib(info.substr(0, nBitsOffset - kFileHeaderSize), bytes.substr(nBitsOffset));
}

std::string DibInfoHeader24(int nWidth, int nHeight) {
    std::string h;
    PutU32(h, kInfoHeaderSize);
    PutI32(h, nWidth);
    PutI32(h, nHeight);
    PutU16(h, 1);
    PutU16(h, 24);
    PutU32(h, BI_RGB);
    PutU32(h, std::uint32_t(((std::size_t(nWidth) * 3 + 3) & ~std::size_t(3)) * std::size_t(nHeight)));
    PutI32(h, 3780);  // 96 pixels per inch, in pixels per metre
    PutI32(h, 3780);
    PutU32(h, 0);
    PutU32(h, 0);
    return h;
}

std::string DibBits24(const CTRaster& raster) {
    const std::size_t nRowBytes = std::size_t(raster.Width()) * 3;
    const std::size_t nStride = (nRowBytes + 3) & ~std::size_t(3);
    std::string bits(nStride * std::size_t(raster.Height()), '\0');
    for (int y = 0; y < raster.Height(); ++y) {
        const std::uint8_t* src = raster.Row(y);
        char* dst = bits.data() + std::size_t(raster.Height() - 1 - y) * nStride;
        for (std::size_t i = 0; i < nRowBytes; i += 3) {
            dst[i] = char(src[i + 2]);
            dst[i + 1] = char(src[i + 1]);
            dst[i + 2] = char(src[i]);
        }
    }
    return bits;
}

}  // namespace brumalis::graphics
