#include "dialogs/about_captions.h"

#include "dialogs/messages.h"

namespace brumalis::dialogs {

const std::array<std::string_view, 3>& DistributorCaptions() {
    static constexpr std::array<std::string_view, 3> kCaptions = {
        "Orvane Climate Systems",
        "Distribution, commissioning and service",
        "Ask your regional Orvane office for advice",
    };
    return kCaptions;
}

std::string DistributorLine(std::size_t nLine) {
    if (nLine >= DistributorCaptions().size()) return {};
    std::string szLine = TBaseMsg::Translate(std::string(DistributorCaptions()[nLine]));
    if (szLine == "<r-t>") szLine.clear();
    return szLine;
}

}  // namespace brumalis::dialogs
