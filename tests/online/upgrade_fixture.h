// A published web service for the upgrade tests: a version list and signed
// files served by the test web service, and a view that records what the
// upgrade frame shows and answers its questions as scripted.
#pragma once

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "online/auto_upgrade.h"
#include "online/upgrade_signature.h"
#include "online_fixture.h"

namespace brumalis::online::testing {

// One line of a version list, CR LF included.
std::string ListLine(const std::string& szName, const std::string& szVersion, const std::string& szConfig,
                     std::uint32_t nLanguage, const std::string& szDataVersion, const std::string& szPath,
                     std::int64_t nSize);
std::string Base64UrlDecode(std::string_view szText);
std::vector<std::string> SplitTabs(const std::string& szText);

// What the test web service publishes: the list and files by server path.
class CTPublishedFiles {
public:
    explicit CTPublishedFiles(const CTPrivateFolder& scratch);

    std::string szList;
    std::map<std::string, std::string> files;
    TKeyPair key;

    // The file and its signature for the listing, signed with szPrivate
    // (the published key when empty).
    void Publish(const std::string& szPath, const std::string& bytes, const TSignedListing& listing,
                 const std::string& szPrivate = {});
    TScriptedAnswer Answer(const TRecordedRequest& request) const;
    // The value of the query key in a recorded target.
    static std::string QueryValue(const std::string& szTarget, const std::string& szKey);

private:
    const CTPrivateFolder& v_scratch;
};

class CTScriptedView : public CTUpgradeView {
public:
    void ShowMessage(TUpgradeMessageKind kind, const std::string& szText) override;
    bool AskYesNo(const std::string& szQuestion) override;
    bool ShowNotice(const std::string& szProgramName, const std::vector<TNoticeParagraph>& paragraphs) override;
    void FillList(const std::vector<TUpgradeListItem>& items) override;
    void SetDownloadEnabled(bool bEnabled) override;
    void SetProgressCaption(const std::string& szCaption) override;
    void SetProgressPosition(int nPosition) override;
    void ShowProgress(bool bProgress) override;
    void CloseWithCancel() override;
    void EndProgram() override;

    // "warning: …", "error: …", "hint: …", "question: …", "notice", "list: N",
    // "caption: …", "progress shown", "list shown", "cancel", "end".
    std::vector<std::string> events;
    std::vector<int> positions;
    std::vector<TUpgradeListItem> list;
    std::vector<TNoticeParagraph> notice;
    std::deque<bool> answers;  // for the questions, in turn; Yes when empty
    bool bAcceptNotice = true;
    bool bDownloadEnabled = false;

    bool Saw(const std::string& szEvent) const;
    std::size_t IndexOf(const std::string& szEvent) const;
};

}  // namespace brumalis::online::testing
