#include "upgrade_fixture.h"

#include <algorithm>
#include <stdexcept>

#include "online/zorbit_config.h"

namespace brumalis::online::testing {

std::string ListLine(const std::string& szName, const std::string& szVersion, const std::string& szConfig,
                     std::uint32_t nLanguage, const std::string& szDataVersion, const std::string& szPath,
                     std::int64_t nSize) {
    return szName + '\t' + szVersion + '\t' + szConfig + '\t' + std::to_string(nLanguage) + '\t' + szDataVersion +
           '\t' + szPath + '\t' + std::to_string(nSize) + "\r\n";
}

std::string Base64UrlDecode(std::string_view szText) {
    static const std::string kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
    std::string out;
    std::uint32_t nBits = 0;
    int nCount = 0;
    for (const char c : szText) {
        const std::size_t v = kAlphabet.find(c);
        if (v == std::string::npos) throw std::runtime_error("not base64url");
        nBits = nBits << 6 | static_cast<std::uint32_t>(v);
        nCount += 6;
        if (nCount >= 8) {
            nCount -= 8;
            out += static_cast<char>((nBits >> nCount) & 0xFF);
        }
    }
    return out;
}

std::vector<std::string> SplitTabs(const std::string& szText) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t tab = szText.find('\t'); tab != std::string::npos; tab = szText.find('\t', start)) {
        fields.push_back(szText.substr(start, tab - start));
        start = tab + 1;
    }
    fields.push_back(szText.substr(start));
    return fields;
}

CTPublishedFiles::CTPublishedFiles(const CTPrivateFolder& scratch) : key(*GenerateKeyPair()), v_scratch(scratch) {}

void CTPublishedFiles::Publish(const std::string& szPath, const std::string& bytes, const TSignedListing& listing,
                               const std::string& szPrivate) {
    const std::string szFile = v_scratch / "to-sign";
    WriteFile(szFile, bytes);
    const auto signature = SignUpgradeFile(szFile, listing, szPrivate.empty() ? key.szPrivate : szPrivate);
    if (!signature) throw std::runtime_error("cannot sign " + szPath);
    files[szPath] = bytes;
    files[szPath + ".sig"] = *signature;
}

std::string CTPublishedFiles::QueryValue(const std::string& szTarget, const std::string& szKey) {
    const std::size_t query = szTarget.find('?');
    if (query == std::string::npos) return {};
    for (const std::string& pair : SplitTabs([&] {
             std::string s = szTarget.substr(query + 1);
             std::replace(s.begin(), s.end(), '&', '\t');
             return s;
         }())) {
        if (pair.rfind(szKey + "=", 0) == 0) return pair.substr(szKey.size() + 1);
    }
    return {};
}

TScriptedAnswer CTPublishedFiles::Answer(const TRecordedRequest& request) const {
    const std::string& szTarget = request.szTarget;
    if (szTarget.rfind("/scripts/zorbit_get_versions.asp?", 0) == 0) return {200, szList, TAnswerMode::Normal, 0, {}};
    if (szTarget.rfind("/scripts32/upgrade_downloaded.asp?", 0) == 0) return {200, "OK", TAnswerMode::Normal, 0, {}};
    if (szTarget.rfind("/scripts/zorbit_download_file.asp?", 0) == 0) {
        const auto it = files.find(QueryValue(szTarget, "file"));
        if (it != files.end()) return {200, it->second, TAnswerMode::Normal, 0, {}};
    }
    return {404, "not here", TAnswerMode::Normal, 0, {}};
}

void CTScriptedView::ShowMessage(TUpgradeMessageKind kind, const std::string& szText) {
    static constexpr const char* kKinds[] = {"warning: ", "error: ", "hint: "};
    events.push_back(kKinds[static_cast<int>(kind)] + szText);
}

bool CTScriptedView::AskYesNo(const std::string& szQuestion) {
    events.push_back("question: " + szQuestion);
    if (answers.empty()) return true;
    const bool bAnswer = answers.front();
    answers.pop_front();
    return bAnswer;
}

bool CTScriptedView::ShowNotice(const std::string&, const std::vector<TNoticeParagraph>& paragraphs) {
    events.emplace_back("notice");
    notice = paragraphs;
    return bAcceptNotice;
}

void CTScriptedView::FillList(const std::vector<TUpgradeListItem>& items) {
    list = items;
    events.push_back("list: " + std::to_string(items.size()));
}

void CTScriptedView::SetDownloadEnabled(bool bEnabled) { bDownloadEnabled = bEnabled; }
void CTScriptedView::SetProgressCaption(const std::string& szCaption) { events.push_back("caption: " + szCaption); }
void CTScriptedView::SetProgressPosition(int nPosition) { positions.push_back(nPosition); }
void CTScriptedView::ShowProgress(bool bProgress) { events.emplace_back(bProgress ? "progress shown" : "list shown"); }
void CTScriptedView::CloseWithCancel() { events.emplace_back("cancel"); }
void CTScriptedView::EndProgram() { events.emplace_back("end"); }

bool CTScriptedView::Saw(const std::string& szEvent) const {
    return std::find(events.begin(), events.end(), szEvent) != events.end();
}

std::size_t CTScriptedView::IndexOf(const std::string& szEvent) const {
    return static_cast<std::size_t>(std::find(events.begin(), events.end(), szEvent) - events.begin());
}

}  // namespace brumalis::online::testing
