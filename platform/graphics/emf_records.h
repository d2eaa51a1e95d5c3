// Record numbers and constants of enhanced metafiles (the public layout of
// GDI's wingdi.h), shared by the writer and the reader.
#pragma once

#include <cstdint>

namespace brumalis::graphics::emf {

enum : std::uint32_t {
    EMR_HEADER = 1, EMR_POLYBEZIER = 2, EMR_POLYGON = 3, EMR_POLYLINE = 4, EMR_EOF = 14,
    EMR_SETMAPMODE = 17, EMR_SETBKMODE = 18, EMR_SETPOLYFILLMODE = 19, EMR_SETROP2 = 20,
    EMR_SETTEXTALIGN = 22, EMR_SETTEXTCOLOR = 24, EMR_SETBKCOLOR = 25, EMR_MOVETOEX = 27,
    EMR_SELECTOBJECT = 37, EMR_CREATEPEN = 38, EMR_CREATEBRUSHINDIRECT = 39, EMR_DELETEOBJECT = 40,
    EMR_ELLIPSE = 42, EMR_RECTANGLE = 43, EMR_ROUNDRECT = 44, EMR_ARC = 45, EMR_CREATEPALETTE = 49,
    EMR_LINETO = 54, EMR_STRETCHDIBITS = 81, EMR_EXTCREATEFONTINDIRECTW = 82, EMR_EXTTEXTOUTW = 84,
    EMR_POLYBEZIER16 = 85, EMR_POLYGON16 = 86, EMR_POLYLINE16 = 87, EMR_CREATEMONOBRUSH = 93,
    EMR_CREATEDIBPATTERNBRUSHPT = 94, EMR_EXTCREATEPEN = 95, EMR_CREATECOLORSPACE = 99,
    EMR_CREATECOLORSPACEW = 122,
};

constexpr std::uint32_t kSignature = 0x464D4520;  // " EMF"
constexpr std::uint32_t kVersion = 0x10000;
constexpr std::uint32_t kHeaderSize = 108;
constexpr std::uint32_t kMinHeaderSize = 88;
constexpr std::uint32_t kStockObject = 0x80000000;
constexpr std::uint32_t kLastStockObject = 19;
constexpr std::uint32_t WHITE_BRUSH = 0, LTGRAY_BRUSH = 1, GRAY_BRUSH = 2, DKGRAY_BRUSH = 3,
                        BLACK_BRUSH = 4, NULL_BRUSH = 5, WHITE_PEN = 6, BLACK_PEN = 7, NULL_PEN = 8;
constexpr std::uint32_t MM_TEXT = 1, TRANSPARENT = 1, OPAQUE = 2, ALTERNATE = 1;
constexpr std::uint32_t BS_SOLID = 0, BS_NULL = 1, BS_HATCHED = 2;
constexpr std::uint32_t PS_NULL = 5;
constexpr std::uint32_t ETO_OPAQUE = 2;
constexpr std::uint32_t GM_COMPATIBLE = 1;
constexpr std::size_t kTextRecordFixed = 76;     // EXTTEXTOUTW before its string
constexpr std::size_t kStretchRecordFixed = 80;  // STRETCHDIBITS before its bitmap
constexpr std::size_t kLogFontSize = 92;
// The reference device: exactly 96 pixels per inch (254 mm = 960 pixels).
constexpr int kDevicePixelsX = 960, kDevicePixelsY = 1440, kDeviceMillimetersX = 254, kDeviceMillimetersY = 381;

// ROP2 codes in the order of TPenMode.
constexpr std::uint32_t kRop2OfPenMode[16] = {1, 16, 11, 6, 13, 4, 14, 5, 12, 3, 15, 2, 9, 8, 7, 10};

}  // namespace brumalis::graphics::emf
