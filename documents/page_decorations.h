// What goes into the page header and footer of a document: up to three
// zones a side (text lines, a picture file, a picture in memory or the page
// number), an optional header line and footer line, and the flags a writer
// consults.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/graphics/graphics_types.h"
#include "platform/graphics/picture.h"

namespace brumalis {

class CTPageDecoration {
public:
    virtual ~CTPageDecoration() = default;

    std::int32_t v_pixX = 0;
    std::int32_t v_pixY = 0;
    std::int32_t v_pixWidth = 0;
    std::int32_t v_pixHeight = 0;
    double v_topOffset = 0;
    bool v_canRender = false;
};

class CTTextDecoration : public CTPageDecoration {
public:
    CTTextDecoration(std::vector<std::string> strs, graphics::TAlignment alignment)
        : v_strs(std::move(strs)), v_alignment(alignment) {}

    std::vector<std::string> v_strs;
    graphics::TAlignment v_alignment;
};

class CTGraphicDecoration : public CTPageDecoration {
public:
    CTGraphicDecoration(double nWidth, double nHeight, std::string szFileName)
        : v_width(nWidth), v_height(nHeight), v_fileName(std::move(szFileName)) {}

    double v_width;
    double v_height;
    std::string v_fileName;
};

class CTPreloadedGraphicDecoration : public CTGraphicDecoration {
public:
    // Pictures are shared handles: v_ownsGraphic only records that the
    // decoration was handed the picture to keep.
    CTPreloadedGraphicDecoration(double nWidth, double nHeight, graphics::CTGraphic graphic, bool bOwnsGraphic)
        : CTGraphicDecoration(nWidth, nHeight, {}), v_graphic(std::move(graphic)), v_ownsGraphic(bOwnsGraphic) {}

    graphics::CTGraphic v_graphic;
    bool v_ownsGraphic;
};

// Right-aligned empty lines, the last of which carries the caption and the
// page number.
class CTPageNrDecoration : public CTTextDecoration {
public:
    CTPageNrDecoration(std::int32_t nCapMsgNr, int nNbEmptyLines);

    // The caption message with one empty parameter ("Page ").
    std::string Caption() const;

    std::int32_t v_capMsgNr;
};

class CTDecorationDefinition {
public:
    static constexpr std::size_t kMaxZones = 3;

    using TZones = std::vector<std::unique_ptr<CTPageDecoration>>;

    // Each stores the flag and answers the previous value.
    bool SetHasTopSepLine(bool b) { return Exchange(v_hasTopSepLine, b); }
    bool SetHasBotSepLine(bool b) { return Exchange(v_hasBotSepLine, b); }
    bool SetHasDate(bool b) { return Exchange(v_hasDate, b); }
    bool SetHasTime(bool b) { return Exchange(v_hasTime, b); }
    bool SetHasFrame(bool b) { return Exchange(v_hasFrame, b); }
    bool SetMustPrintDecorations(bool b) { return Exchange(v_mustPrintDecorations, b); }
    bool SetMustPrintHeaderLine(bool b) { return Exchange(v_mustPrintHeaderLine, b); }
    bool SetMustPrintFooterLine(bool b) { return Exchange(v_mustPrintFooterLine, b); }
    bool GetHasTopSepLine() const { return v_hasTopSepLine; }
    bool GetHasBotSepLine() const { return v_hasBotSepLine; }
    bool GetHasDate() const { return v_hasDate; }
    bool GetHasTime() const { return v_hasTime; }
    bool GetHasFrame() const { return v_hasFrame; }
    bool GetMustPrintDecorations() const { return v_mustPrintDecorations; }
    bool GetMustPrintHeaderLine() const { return v_mustPrintHeaderLine; }
    bool GetMustPrintFooterLine() const { return v_mustPrintFooterLine; }
    void SetHeaderLine(std::string sz) { v_headerLine = std::move(sz); }
    const std::string& GetHeaderLine() const { return v_headerLine; }
    void SetFooterLine(std::string sz) { v_footerLine = std::move(sz); }
    const std::string& GetFooterLine() const { return v_footerLine; }

    // The top zones when bTopOrBot, else the bottom ones.
    const TZones& DecorationListFor(bool bTopOrBot) const { return bTopOrBot ? v_topZones : v_botZones; }

    // Each appends a zone unless the side holds three already; a fourth is ignored.
    void AddTextZone(bool bTopOrBot, double nTopOffset, const std::vector<std::string>& strs,
                     graphics::TAlignment nAlignment);
    void AddBitmapZone(bool bTopOrBot, double nTopOffset, double nWidth, double nHeight,
                       const std::string& szFileName);
    void AddPreloadedBitmapZone(bool bTopOrBot, double nTopOffset, double nWidth, double nHeight,
                                graphics::CTGraphic bmp, bool bFreeOnDestroy);
    void AddPageNrZone(bool bTopOrBot, double nTopOffset, std::int32_t nCapMsgNr, int nNbEmptyLines);

private:
    static bool Exchange(bool& field, bool b) {
        const bool bPrevious = field;
        field = b;
        return bPrevious;
    }
    void AddZone(bool bTopOrBot, double nTopOffset, std::unique_ptr<CTPageDecoration> pZone);

    bool v_hasTopSepLine = false;
    bool v_hasBotSepLine = false;
    bool v_hasDate = true;
    bool v_hasTime = false;
    bool v_hasFrame = false;
    bool v_mustPrintDecorations = true;
    bool v_mustPrintHeaderLine = true;
    bool v_mustPrintFooterLine = false;
    std::string v_headerLine;
    std::string v_footerLine;
    TZones v_topZones;
    TZones v_botZones;
};

}  // namespace brumalis
