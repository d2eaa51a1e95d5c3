#include "platform/desktop_entries.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>

#include <iconv.h>
#include <sys/stat.h>

#include "platform/administrator_rights.h"
#include "platform/atomic_file.h"
#include "platform/path_text.h"
#include "platform/process.h"
#include "platform/resources.h"

namespace brumalis::platform {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view ProjectGlob = "*.cpf";
constexpr std::string_view ProjectMagic = "QXZ";
constexpr auto MimeRefreshWait = std::chrono::seconds(10);

std::vector<std::string> AbsoluteEntries(std::string_view szList) {
    std::vector<std::string> entries;
    while (!szList.empty()) {
        const std::size_t colon = szList.find(':');
        const std::string_view entry = szList.substr(0, colon);
        if (!entry.empty() && entry.front() == '/') entries.emplace_back(entry);
        szList = colon == std::string_view::npos ? std::string_view() : szList.substr(colon + 1);
    }
    return entries;
}

TDesktopPlaces PlacesFromEnvironment() {
    TDesktopPlaces places;
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    places.szUserDataHome = dataHome && dataHome[0] == '/' ? dataHome : HomeFolder() + "/.local/share";
    places.szAllUsersDataHome = "/usr/local/share";
    const char* dataDirs = std::getenv("XDG_DATA_DIRS");
    places.systemDataDirs = AbsoluteEntries(dataDirs ? dataDirs : "");
    if (places.systemDataDirs.empty()) places.systemDataDirs = {"/usr/local/share", "/usr/share"};
    return places;
}

// ---- Texts ----------------------------------------------------------------

// glibc's converter refuses what is not UTF-8 (overlong forms and
// surrogates included), so converting to itself is the check.
bool IsUtf8(std::string_view szText) {
    const iconv_t converter = ::iconv_open("UTF-8", "UTF-8");
    if (converter == reinterpret_cast<iconv_t>(-1)) return false;
    std::string in(szText);
    std::string out(in.size(), '\0');
    char* pIn = in.data();
    char* pOut = out.data();
    std::size_t nIn = in.size();
    std::size_t nOut = out.size();
    const bool bValid = ::iconv(converter, &pIn, &nIn, &pOut, &nOut) != static_cast<std::size_t>(-1) && nIn == 0;
    ::iconv_close(converter);
    return bValid;
}

// A text that may stand in an entry or a file name of ours.
bool IsEntryText(std::string_view szText) { return IsUtf8(szText) && !HasControlCharacter(szText); }

bool IsName(std::string_view szName) {
    return !szName.empty() && szName.find('/') == std::string_view::npos && IsEntryText(szName);
}

// The string escapes of a value; control characters never get here.
std::string EscapeValue(std::string_view szText) {
    std::string escaped;
    for (const char c : szText) {
        if (c == '\\') escaped += '\\';
        escaped += c;
    }
    // A leading blank would be trimmed by readers.
    if (!escaped.empty() && escaped.front() == ' ') escaped.replace(0, 1, "\\s");
    return escaped;
}

std::string QuoteExecArgument(std::string_view szArgument) {
    std::string quoted = "\"";
    for (const char c : szArgument) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
        quoted += c;
        if (c == '%') quoted += '%';
    }
    return quoted + "\"";
}

bool IsFieldCode(std::string_view szArgument) { return szArgument.size() == 2 && szArgument.front() == '%'; }

std::string FileStem(std::string_view szName) {
    std::string stem;
    for (const char c : szName) {
        if (c >= 'A' && c <= 'Z') {
            stem += static_cast<char>(c - 'A' + 'a');
        } else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' || c == '_' || c == '-') {
            stem += c;
        } else {
            stem += '-';
        }
    }
    return stem;
}

// ---- Files ----------------------------------------------------------------

bool FileHolds(const std::string& szPath, std::string_view content) {
    struct stat st {};
    if (::stat(szPath.c_str(), &st) != 0 || !S_ISREG(st.st_mode) ||
        static_cast<std::size_t>(st.st_size) != content.size()) {
        return false;
    }
    std::ifstream in(szPath, std::ios::binary);
    std::string existing(content.size(), '\0');
    return in.read(existing.data(), static_cast<std::streamsize>(existing.size())) && existing == content;
}

// Keeps an unchanged file as it is (inode and times), so a start that has
// nothing to change touches nothing.
bool WriteIfChanged(const std::string& szPath, std::string_view content) {
    if (FileHolds(szPath, content)) return true;
    try {
        CTAtomicFileWriter writer(szPath);
        writer.Write(content.data(), content.size());
        writer.Commit();
        return true;
    } catch (const CTFileError&) {
        return false;
    }
}

bool MakeFolder(const std::string& szFolder) {
    std::error_code error;
    fs::create_directories(szFolder, error);
    return fs::is_directory(szFolder, error);
}

// True when there was a file to remove.
bool RemoveFile(const std::string& szPath) {
    std::error_code error;
    return fs::remove(szPath, error);
}

// Rebuilds the MIME caches below szDataHome where the tool is installed.
void RefreshMimeDatabase(const std::string& szDataHome) {
    if (const auto tool = SpawnProcess({"update-mime-database", {szDataHome + "/mime"}, {}, true})) {
        tool->WaitForExit(MimeRefreshWait);
    }
}

// ---- Entries --------------------------------------------------------------

struct TEntryFiles {
    std::string szEntry;
    std::string szIcon;
};

std::string AppsFolder(const std::string& szDataHome, std::string_view szItemDir) {
    return szDataHome + "/applications/" + FileStem(szItemDir);
}

TEntryFiles EntryFiles(const std::string& szFolder, const std::string& szStem) {
    return {szFolder + "/" + szStem + ".desktop", szFolder + "/" + szStem + ".svg"};
}

std::string ProgramStem(std::string_view szItemName) { return FileStem(szItemName); }
std::string UninstallStem(std::string_view szItemName) { return FileStem(szItemName) + "-uninstall"; }

}  // namespace

std::string DesktopFileId(std::string_view szItemDir, std::string_view szItemName) {
    return FileStem(szItemDir) + "-" + ProgramStem(szItemName);
}

namespace {

std::string MimePackage(const std::string& szDataHome, std::string_view szItemDir, std::string_view szItemName) {
    return szDataHome + "/mime/packages/" + FileStem(szItemDir) + "-" + FileStem(szItemName) + ".xml";
}

std::string EscapeXml(std::string_view szText) {
    std::string escaped;
    for (const char c : szText) {
        switch (c) {
            case '&': escaped += "&amp;"; break;
            case '<': escaped += "&lt;"; break;
            case '>': escaped += "&gt;"; break;
            case '"': escaped += "&quot;"; break;
            default: escaped += c;
        }
    }
    return escaped;
}

std::string MimePackageText(std::string_view szItemName) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
           "  <mime-type type=\"" + std::string(ProjectMimeType) + "\">\n"
           "    <comment>" + EscapeXml(szItemName) + " project</comment>\n"
           "    <glob pattern=\"" + std::string(ProjectGlob) + "\"/>\n"
           "    <magic priority=\"50\">\n"
           "      <match type=\"string\" offset=\"0\" value=\"" + std::string(ProjectMagic) + "\"/>\n"
           "    </magic>\n"
           "  </mime-type>\n"
           "</mime-info>\n";
}

struct TEntrySpec {
    std::string szName;
    std::vector<std::string> arguments;
    int nIconIndex = 0;
    bool bProjectType = false;
};

// Writes the entry and its icon; the icon line only when the icon exists.
bool WriteEntry(const TEntryFiles& files, const std::string& szProgram, const TEntrySpec& spec) {
    std::string text = "[Desktop Entry]\nType=Application\nVersion=1.4\n";
    text += "Name=" + EscapeValue(spec.szName) + "\n";
    text += "Exec=" + DesktopExecValue(szProgram, spec.arguments) + "\n";
    text += "TryExec=" + EscapeValue(szProgram) + "\n";
    text += "Path=" + EscapeValue(FolderOfPath(szProgram)) + "\n";
    bool bWritten = true;
    if (const auto icon = FindBlob("PROGRAM_ICON_" + std::to_string(spec.nIconIndex))) {
        bWritten = WriteIfChanged(files.szIcon, *icon);
        text += "Icon=" + EscapeValue(files.szIcon) + "\n";
    }
    text += "Terminal=false\nCategories=Science;Engineering;\n";
    if (spec.bProjectType) text += "MimeType=" + std::string(ProjectMimeType) + ";\n";
    return WriteIfChanged(files.szEntry, text) && bWritten;
}

bool PresentForAllUsers(const TDesktopPlaces& places, std::string_view szItemDir, std::string_view szItemName) {
    std::error_code error;
    for (const std::string& dir : places.systemDataDirs) {
        if (fs::exists(EntryFiles(AppsFolder(dir, szItemDir), ProgramStem(szItemName)).szEntry, error)) return true;
    }
    return false;
}

void DeleteEntriesBelow(const std::string& szDataHome, std::string_view szItemDir, std::string_view szItemName,
                        bool bDeleteUninstallItem) {
    const std::string folder = AppsFolder(szDataHome, szItemDir);
    std::vector<std::string> stems{ProgramStem(szItemName)};
    if (bDeleteUninstallItem) stems.push_back(UninstallStem(szItemName));
    for (const std::string& stem : stems) {
        const TEntryFiles files = EntryFiles(folder, stem);
        RemoveFile(files.szEntry);
        RemoveFile(files.szIcon);
    }
    ::rmdir(folder.c_str());  // only when empty: other programs of the maker may live there
    if (RemoveFile(MimePackage(szDataHome, szItemDir, szItemName))) RefreshMimeDatabase(szDataHome);
}

}  // namespace

TDesktopPlaces DesktopPlaces() {
    if (const TDesktopPlaces* substitute = CTDesktopPlacesSubstitute::Current()) return *substitute;
    return PlacesFromEnvironment();
}

std::string DesktopExecValue(std::string_view szProgram, const std::vector<std::string>& arguments) {
    std::string exec = QuoteExecArgument(szProgram);
    for (const std::string& argument : arguments) {
        exec += " " + (IsFieldCode(argument) ? argument : QuoteExecArgument(argument));
    }
    return EscapeValue(exec);
}

bool CreateStartMenuItem(bool bAllUsers, std::string_view szItemDir, std::string_view szItemName,
                         const std::string& szFullPath, std::string_view szArguments, int nIconIndex,
                         bool bCreateUninstallItem, std::string_view szUninstallItemPrefix, int nUninstallIconIndex) {
    const std::string uninstallName = std::string(szUninstallItemPrefix) + " " + std::string(szItemName);
    if (!IsName(szItemDir) || !IsName(szItemName) || szFullPath.empty() || szFullPath.front() != '/' ||
        !IsEntryText(szFullPath) || !IsEntryText(szArguments) || !IsEntryText(uninstallName)) {
        return false;
    }
    const TDesktopPlaces places = DesktopPlaces();
    const bool bAdministrator = HaveAdministratorRights();
    if (bAllUsers && !bAdministrator && PresentForAllUsers(places, szItemDir, szItemName)) return true;

    const std::string& dataHome = bAllUsers && bAdministrator ? places.szAllUsersDataHome : places.szUserDataHome;
    const std::string folder = AppsFolder(dataHome, szItemDir);
    const std::string package = MimePackage(dataHome, szItemDir, szItemName);
    if (!MakeFolder(folder) || !MakeFolder(FolderOfPath(package))) return false;

    TEntrySpec program{std::string(szItemName), {}, nIconIndex, true};
    if (!szArguments.empty()) program.arguments.emplace_back(szArguments);
    program.arguments.emplace_back("%f");
    bool bDone = WriteEntry(EntryFiles(folder, ProgramStem(szItemName)), szFullPath, program);

    const std::string packageText = MimePackageText(szItemName);
    if (!FileHolds(package, packageText)) {
        bDone = WriteIfChanged(package, packageText) && bDone;
        RefreshMimeDatabase(dataHome);
    }
    if (bCreateUninstallItem) {
        const TEntrySpec uninstall{uninstallName, {"/uninstall"}, nUninstallIconIndex, false};
        bDone = WriteEntry(EntryFiles(folder, UninstallStem(szItemName)), szFullPath, uninstall) && bDone;
    }
    return bDone;
}

bool DeleteStartMenuItem(std::string_view szItemDir, std::string_view szItemName, bool bDeleteUninstallItem) {
    if (!IsName(szItemDir) || !IsName(szItemName)) return true;
    const TDesktopPlaces places = DesktopPlaces();
    DeleteEntriesBelow(places.szUserDataHome, szItemDir, szItemName, bDeleteUninstallItem);
    if (HaveAdministratorRights()) {
        DeleteEntriesBelow(places.szAllUsersDataHome, szItemDir, szItemName, bDeleteUninstallItem);
    }
    return true;
}

}  // namespace brumalis::platform
