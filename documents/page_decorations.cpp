#include "documents/page_decorations.h"

#include <algorithm>

#include "dialogs/messages.h"

namespace brumalis {

CTPageNrDecoration::CTPageNrDecoration(std::int32_t nCapMsgNr, int nNbEmptyLines)
    : CTTextDecoration(std::vector<std::string>(static_cast<std::size_t>(std::max(nNbEmptyLines, 0)) + 1),
                       graphics::taRightJustify),
      v_capMsgNr(nCapMsgNr) {}

std::string CTPageNrDecoration::Caption() const { return dialogs::TBaseMsg::GetUnicodeString(v_capMsgNr, {""}); }

void CTDecorationDefinition::AddZone(bool bTopOrBot, double nTopOffset, std::unique_ptr<CTPageDecoration> pZone) {
    TZones& zones = bTopOrBot ? v_topZones : v_botZones;
    if (zones.size() >= kMaxZones) return;
    pZone->v_topOffset = nTopOffset;
    zones.push_back(std::move(pZone));
}

void CTDecorationDefinition::AddTextZone(bool bTopOrBot, double nTopOffset, const std::vector<std::string>& strs,
                                         graphics::TAlignment nAlignment) {
    AddZone(bTopOrBot, nTopOffset, std::make_unique<CTTextDecoration>(strs, nAlignment));
}

void CTDecorationDefinition::AddBitmapZone(bool bTopOrBot, double nTopOffset, double nWidth, double nHeight,
                                           const std::string& szFileName) {
    AddZone(bTopOrBot, nTopOffset, std::make_unique<CTGraphicDecoration>(nWidth, nHeight, szFileName));
}

void CTDecorationDefinition::AddPreloadedBitmapZone(bool bTopOrBot, double nTopOffset, double nWidth,
                                                    double nHeight, graphics::CTGraphic bmp, bool bFreeOnDestroy) {
    AddZone(bTopOrBot, nTopOffset,
            std::make_unique<CTPreloadedGraphicDecoration>(nWidth, nHeight, std::move(bmp), bFreeOnDestroy));
}

void CTDecorationDefinition::AddPageNrZone(bool bTopOrBot, double nTopOffset, std::int32_t nCapMsgNr,
                                           int nNbEmptyLines) {
    AddZone(bTopOrBot, nTopOffset, std::make_unique<CTPageNrDecoration>(nCapMsgNr, nNbEmptyLines));
}

}  // namespace brumalis
