// Pictures: an enhanced metafile with its pixel size, or an RGB raster. A
// CTGraphic is a cheap handle; copies share the picture. This is the one
// picture reader of the program: JPEG, BMP and EMF data all come in here,
// and damaged data give an empty picture with the reason, never a crash.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/graphics/graphics_types.h"

namespace brumalis::graphics {

// The largest width or height a decoded picture may claim.
constexpr int kMaxPictureSide = 16384;

// Pixels as red, green, blue bytes, rows top to bottom.
class CTRaster {
public:
    CTRaster() = default;
    // Raises std::invalid_argument unless 0 < sides <= kMaxPictureSide.
    CTRaster(int nWidth, int nHeight);

    int Width() const { return v_width; }
    int Height() const { return v_height; }
    bool IsEmpty() const { return v_width == 0 || v_height == 0; }
    TColor Pixel(int nX, int nY) const;
    void SetPixel(int nX, int nY, TColor nColor);
    const std::uint8_t* Row(int nY) const { return v_rgb.data() + std::size_t(nY) * std::size_t(v_width) * 3; }
    std::uint8_t* Row(int nY) { return v_rgb.data() + std::size_t(nY) * std::size_t(v_width) * 3; }

private:
    int v_width = 0;
    int v_height = 0;
    std::vector<std::uint8_t> v_rgb;
};

enum class TGraphicKind : std::uint8_t { Empty, Metafile, Raster };

class CTGraphic {
public:
    // An empty picture; a reason tells why it is empty ("" when none given).
    CTGraphic() = default;
    static CTGraphic Failed(std::string szReason);
    // Metafile bytes as written by CTEmfCanvas or read from a file; the
    // size is in pixels at 96 per inch.
    static CTGraphic FromMetafile(std::string bytes, int nWidth, int nHeight);
    static CTGraphic FromRaster(CTRaster raster);

    TGraphicKind Kind() const;
    bool IsEmpty() const { return Kind() == TGraphicKind::Empty; }
    bool IsMetafile() const { return Kind() == TGraphicKind::Metafile; }
    int Width() const;
    int Height() const;
    const std::string& Reason() const;
    // The raster of a raster picture (an empty raster otherwise).
    const CTRaster& Raster() const;
    // The picture as enhanced-metafile bytes: a metafile's own bytes, a
    // raster converted once into a metafile of its pixel size (cached and
    // shared by every copy); empty for an empty picture.
    const std::string& MetafileBytes() const;

private:
    struct TData;
    std::shared_ptr<TData> v_data;
};

// Decoders. Each answers an empty picture with a reason on damaged data.
CTGraphic DecodeJpeg(std::string_view bytes);
CTGraphic DecodeBmp(std::string_view bytes);
// A metafile: checked by the strict reader, sized by its header's bounds.
CTGraphic DecodeEmf(std::string_view bytes);
// Any of the three, told apart by their signatures.
CTGraphic DecodePicture(std::string_view bytes);
// The picture in a file (a file that cannot be read gives the reason).
CTGraphic LoadPictureFile(const std::string& szFileName);

}  // namespace brumalis::graphics
