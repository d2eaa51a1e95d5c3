#include "platform/graphics/picture.h"

#include <cmath>
#include <fstream>
#include <mutex>
#include <stdexcept>

#include "platform/graphics/byte_reader.h"
#include "platform/graphics/emf.h"

namespace brumalis::graphics {

namespace {

// Larger picture files than this are refused before reading them.
constexpr std::streamoff kMaxPictureFile = std::streamoff(256) << 20;

}  // namespace

CTRaster::CTRaster(int nWidth, int nHeight) : v_width(nWidth), v_height(nHeight) {
    if (nWidth < 1 || nHeight < 1 || nWidth > kMaxPictureSide || nHeight > kMaxPictureSide)
        throw std::invalid_argument("raster size outside 1 to 16384 pixels");
    v_rgb.assign(std::size_t(nWidth) * std::size_t(nHeight) * 3, 0);
}

TColor CTRaster::Pixel(int nX, int nY) const {
    const std::uint8_t* p = Row(nY) + std::size_t(nX) * 3;
    return RGBColor(p[0], p[1], p[2]);
}

void CTRaster::SetPixel(int nX, int nY, TColor nColor) {
    std::uint8_t* p = Row(nY) + std::size_t(nX) * 3;
    const TColor c = ColorToRGB(nColor);
    p[0] = GetRValue(c), p[1] = GetGValue(c), p[2] = GetBValue(c);
}

struct CTGraphic::TData {
    TGraphicKind kind = TGraphicKind::Empty;
    int nWidth = 0;
    int nHeight = 0;
    std::string szReason;
    CTRaster raster;
    std::string metafile;
    std::once_flag converted;
};

CTGraphic CTGraphic::Failed(std::string szReason) {
    CTGraphic g;
    g.v_data = std::make_shared<TData>();
    g.v_data->szReason = std::move(szReason);
    return g;
}

CTGraphic CTGraphic::FromMetafile(std::string bytes, int nWidth, int nHeight) {
    if (bytes.empty() || nWidth < 1 || nHeight < 1) return Failed("empty metafile");
    CTGraphic g;
    g.v_data = std::make_shared<TData>();
    g.v_data->kind = TGraphicKind::Metafile;
    g.v_data->nWidth = nWidth;
    g.v_data->nHeight = nHeight;
    g.v_data->metafile = std::move(bytes);
    return g;
}

CTGraphic CTGraphic::FromRaster(CTRaster raster) {
    if (raster.IsEmpty()) return Failed("empty raster");
    CTGraphic g;
    g.v_data = std::make_shared<TData>();
    g.v_data->kind = TGraphicKind::Raster;
    g.v_data->nWidth = raster.Width();
    g.v_data->nHeight = raster.Height();
    g.v_data->raster = std::move(raster);
    return g;
}

TGraphicKind CTGraphic::Kind() const { return v_data ? v_data->kind : TGraphicKind::Empty; }
int CTGraphic::Width() const { return v_data ? v_data->nWidth : 0; }
int CTGraphic::Height() const { return v_data ? v_data->nHeight : 0; }

const std::string& CTGraphic::Reason() const {
    static const std::string kNone;
    return v_data ? v_data->szReason : kNone;
}

const CTRaster& CTGraphic::Raster() const {
    static const CTRaster kNone;
    return Kind() == TGraphicKind::Raster ? v_data->raster : kNone;
}

const std::string& CTGraphic::MetafileBytes() const {
    static const std::string kNone;
    if (Kind() == TGraphicKind::Empty) return kNone;
    if (v_data->kind == TGraphicKind::Raster) {
        std::call_once(v_data->converted, [d = v_data.get()] {
            CTEmfCanvas canvas(d->nWidth, d->nHeight);
            canvas.StretchDraw({0, 0, d->nWidth, d->nHeight}, d->raster, SRCCOPY);
            d->metafile = canvas.Finish();
        });
    }
    return v_data->metafile;
}

CTGraphic DecodeEmf(std::string_view bytes) {
    try {
        TEmfHeader header;
        ReadEmfRecords(bytes, &header);
        const TSize size = EmfPixelSize(header);
        if (size.cx < 1 || size.cy < 1 || size.cx > kMaxPictureSide || size.cy > kMaxPictureSide)
            return CTGraphic::Failed("metafile size " + std::to_string(size.cx) + " x " + std::to_string(size.cy) +
                                     " outside 1 to " + std::to_string(kMaxPictureSide) + " pixels");
        return CTGraphic::FromMetafile(std::string(bytes), size.cx, size.cy);
    } catch (const CTEmfError& e) {
        return CTGraphic::Failed(e.what());
    }
}

CTGraphic DecodePicture(std::string_view bytes) {
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') return DecodeBmp(bytes);
    if (bytes.size() >= 3 && std::uint8_t(bytes[0]) == 0xFF && std::uint8_t(bytes[1]) == 0xD8) return DecodeJpeg(bytes);
    if (bytes.size() >= 44 && ReadU32(bytes, 0) == 1 && bytes.substr(40, 4) == " EMF") return DecodeEmf(bytes);
    return CTGraphic::Failed(bytes.empty() ? "no picture data" : "unknown picture format");
}

CTGraphic LoadPictureFile(const std::string& szFileName) {
    std::ifstream in(szFileName, std::ios::binary | std::ios::ate);
    if (!in) return CTGraphic::Failed("cannot open " + szFileName);
    const std::streamoff nSize = in.tellg();
    if (nSize < 0 || nSize > kMaxPictureFile) return CTGraphic::Failed(szFileName + " is too large for a picture");
    std::string bytes(std::size_t(nSize), '\0');
    in.seekg(0);
    if (!in.read(bytes.data(), nSize)) return CTGraphic::Failed("cannot read " + szFileName);
    return DecodePicture(bytes);
}

}  // namespace brumalis::graphics
