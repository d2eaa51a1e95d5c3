// Cls_Refrigerant: the refrigerants offered for selection and the user's default.
#include "catalogue/refrigerants.h"

#include <algorithm>
#include <charconv>
#include <optional>

#include "catalogue/device_defaults.h"
#include "catalogue/records.h"
#include "platform/settings_store.h"

namespace brumalis {
namespace {

constexpr const char* kSelectionKey = "Software\\Orvane";
constexpr const char* kSelectionSection = "Quillon Selection";
constexpr const char* kNotAllowedValue = "REFRIG_NA";
constexpr const char* kRefrigerantDefault = "REFRIGERANT";

std::optional<std::string>& NotAllowedText() {
    static std::optional<std::string> text;
    return text;
}

platform::CTRegistryIniFile SelectionKey() {
    return platform::CTRegistryIniFile(platform::Registry().CurrentUser(), kSelectionKey);
}

std::optional<std::int32_t> PositiveInteger(std::string_view szToken) {
    std::int32_t n = 0;
    const char* pEnd = szToken.data() + szToken.size();
    const auto [ptr, ec] = std::from_chars(szToken.data(), pEnd, n);
    if (ec != std::errc() || ptr != pEnd || n <= 0) return std::nullopt;
    return n;
}

bool Listed(const std::vector<std::int32_t>& ids, std::int32_t nID) {
    return std::find(ids.begin(), ids.end(), nID) != ids.end();
}

}  // namespace

std::vector<std::int32_t> ParseNotAllowedRefrigerants(std::string_view szText) {
    std::vector<std::int32_t> ids;
    std::size_t nPos = 0;
    while (true) {
        nPos = szText.find_first_not_of(' ', nPos);
        if (nPos == std::string_view::npos) break;
        const std::size_t nEnd = std::min(szText.find(' ', nPos), szText.size());
        const std::optional<std::int32_t> nID = PositiveInteger(szText.substr(nPos, nEnd - nPos));
        if (!nID) break;
        ids.push_back(*nID);
        nPos = nEnd;
    }
    return ids;
}

void LoadNotAllowedRefrigerants() { NotAllowedText() = SelectionKey().ReadString(kSelectionSection, kNotAllowedValue, ""); }

const std::string& GetNotAllowedRefrigerantsText() {
    if (!NotAllowedText()) LoadNotAllowedRefrigerants();
    return *NotAllowedText();
}

CTRecordList<Cls_Refrigerant> Cls_Refrigerant::GetAppliedRefrigerants() {
    const std::vector<std::int32_t> notAllowed = ParseNotAllowedRefrigerants(GetNotAllowedRefrigerantsText());
    CTRecordList<Cls_Refrigerant> all = RecordsAs<Cls_Refrigerant>(GetAllRecords(kClassID, true));
    std::erase_if(all, [&](const auto& pRefrigerant) { return Listed(notAllowed, pRefrigerant->GetID()); });
    return all;
}

CTRecordList<Cls_Refrigerant> Cls_Refrigerant::GetAllowedRefrigerants() {
    CTRecordList<Cls_Refrigerant> applied = GetAppliedRefrigerants();
    std::erase_if(applied, [](const auto& pRefrigerant) { return pRefrigerant->GetDeleted(); });
    return applied;
}

void Cls_Refrigerant::SetNotAllowedRefrigerants(const CTRecordList<Cls_Refrigerant>& pList) {
    std::vector<std::int32_t> ids;
    for (const auto& pRefrigerant : pList) ids.push_back(pRefrigerant->GetID());
    SetNotAllowedRefrigerantIds(ids);
}

void Cls_Refrigerant::SetNotAllowedRefrigerantIds(const std::vector<std::int32_t>& ids) {
    std::string szText;
    for (const std::int32_t nID : ids) {
        if (!szText.empty()) szText += ' ';
        szText += std::to_string(nID);
    }
    NotAllowedText() = szText;
    SelectionKey().WriteString(kSelectionSection, kNotAllowedValue, szText);
}

std::int32_t Cls_Refrigerant::GetRegDefault() { return ReadDeviceDefault(kRefrigerantDefault); }
void Cls_Refrigerant::SetRegDefault(std::int32_t id) { WriteDeviceDefault(kRefrigerantDefault, id); }

}  // namespace brumalis
