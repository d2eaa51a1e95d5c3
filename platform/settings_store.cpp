#include "platform/settings_store.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <utility>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/administrator_rights.h"
#include "platform/atomic_file.h"
#include "platform/path_text.h"

namespace brumalis::platform {

namespace {

constexpr std::size_t MaxKeyNameLength = 255;
constexpr std::size_t MaxKeyDepth = 512;
constexpr std::size_t MaxValueNameLength = 16383;

unsigned char FoldCase(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u >= 'A' && u <= 'Z' ? static_cast<unsigned char>(u - 'A' + 'a') : u;
}

struct TLessIgnoringCase {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                            [](char x, char y) { return FoldCase(x) < FoldCase(y); });
    }
};

bool IsValueName(std::string_view szName) { return szName.size() <= MaxValueNameLength; }

// The components of a key path; nullopt when the path breaks the limits.
std::optional<std::vector<std::string_view>> SplitKeyPath(std::string_view szPath) {
    std::vector<std::string_view> parts;
    while (!szPath.empty()) {
        const std::size_t slash = szPath.find('\\');
        const std::string_view part = szPath.substr(0, slash);
        if (part.size() > MaxKeyNameLength) return std::nullopt;
        if (!part.empty()) {
            if (parts.size() == MaxKeyDepth) return std::nullopt;
            parts.push_back(part);
        }
        if (slash == std::string_view::npos) break;
        szPath.remove_prefix(slash + 1);
    }
    return parts;
}

// The map keys hold the names as first written.
struct TKeyNode {
    std::map<std::string, TSettingValue, TLessIgnoringCase> values;
    std::map<std::string, std::unique_ptr<TKeyNode>, TLessIgnoringCase> subkeys;

    // An existing value keeps the spelling of its name. False when the value
    // was there already, of the same type and bit for bit the same: the
    // store then leaves its file alone.
    bool SetValue(std::string_view szName, TSettingValue value) {
        const auto it = values.find(szName);
        if (it == values.end()) {
            values.emplace(szName, std::move(value));
            return true;
        }
        if (Identical(it->second, value)) return false;
        it->second = std::move(value);
        return true;
    }

    static bool Identical(const TSettingValue& a, const TSettingValue& b) {
        const double* pA = std::get_if<double>(&a);
        const double* pB = std::get_if<double>(&b);
        // -0.0 is stored apart from 0.0; a NaN is the same as itself.
        if (pA && pB) return std::bit_cast<std::uint64_t>(*pA) == std::bit_cast<std::uint64_t>(*pB);
        return a == b;
    }
};

}  // namespace

class CTSettingsTree {
public:
    const TKeyNode* Find(std::string_view szPath) const { return Find(v_root, szPath); }
    TKeyNode* Find(std::string_view szPath) { return Find(v_root, szPath); }
    const TKeyNode& Root() const { return v_root; }

    // The key, made with the missing keys above it; nullptr for the root and
    // for paths that break the limits.
    TKeyNode* Create(std::string_view szPath) {
        const auto parts = SplitKeyPath(szPath);
        if (!parts || parts->empty()) return nullptr;
        TKeyNode* node = &v_root;
        for (const std::string_view part : *parts) {
            auto it = node->subkeys.find(part);
            if (it == node->subkeys.end()) it = node->subkeys.emplace(part, std::make_unique<TKeyNode>()).first;
            node = it->second.get();
        }
        return node;
    }

    bool Delete(std::string_view szPath) {
        const auto parts = SplitKeyPath(szPath);
        if (!parts || parts->empty()) return false;
        TKeyNode* parent = Walk(v_root, parts->begin(), parts->end() - 1);
        const auto it = parent ? parent->subkeys.find(parts->back()) : decltype(parent->subkeys)::iterator{};
        if (!parent || it == parent->subkeys.end()) return false;
        parent->subkeys.erase(it);
        return true;
    }

private:
    using TParts = std::vector<std::string_view>;

    template <class TNode>
    static TNode* Walk(TNode& root, TParts::const_iterator first, TParts::const_iterator last) {
        TNode* node = &root;
        for (; node && first != last; ++first) {
            const auto it = node->subkeys.find(*first);
            node = it == node->subkeys.end() ? nullptr : it->second.get();
        }
        return node;
    }

    template <class TNode>
    static TNode* Find(TNode& root, std::string_view szPath) {
        const auto parts = SplitKeyPath(szPath);
        return parts ? Walk(root, parts->begin(), parts->end()) : nullptr;
    }

    TKeyNode v_root;
};

namespace {

// ---- The text form ---------------------------------------------------------

enum class TField { Section, Name, Value };

bool MustEscape(unsigned char c, TField field, bool bFirst) {
    if (c == '%' || c < 0x20 || c == 0x7F) return true;
    if (field != TField::Name) return false;
    return c == '=' || (bFirst && (c == '[' || c == ';' || c == '#'));
}

void AppendEscaped(std::string& out, std::string_view text, TField field) {
    static constexpr char Hex[] = "0123456789ABCDEF";
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (MustEscape(c, field, i == 0)) {
            out += '%';
            out += Hex[c >> 4];
            out += Hex[c & 0xF];
        } else {
            out += text[i];
        }
    }
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    const unsigned char f = FoldCase(c);
    return f >= 'a' && f <= 'f' ? f - 'a' + 10 : -1;
}

std::optional<std::string> Unescape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        if (i + 2 >= text.size()) return std::nullopt;
        const int nHigh = HexDigit(text[i + 1]);
        const int nLow = HexDigit(text[i + 2]);
        if (nHigh < 0 || nLow < 0) return std::nullopt;
        out += static_cast<char>(nHigh * 16 + nLow);
        i += 2;
    }
    return out;
}

template <class TNumber>
void AppendNumber(std::string& out, TNumber value) {
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, value);
    out.append(buf, res.ptr);
}

template <class TNumber>
std::optional<TSettingValue> ParseNumber(std::string_view text) {
    TNumber value{};
    const char* end = text.data() + text.size();
    const auto res = std::from_chars(text.data(), end, value);
    if (res.ec != std::errc() || res.ptr != end) return std::nullopt;
    return value;
}

void AppendValue(std::string& out, const TSettingValue& value) {
    if (const auto* n = std::get_if<std::int32_t>(&value)) {
        out += "int:";
        AppendNumber(out, *n);
    } else if (const auto* b = std::get_if<bool>(&value)) {
        out += *b ? "bool:true" : "bool:false";
    } else if (const auto* d = std::get_if<double>(&value)) {
        out += "double:";
        AppendNumber(out, *d);
    } else {
        out += "str:";
        AppendEscaped(out, std::get<std::string>(value), TField::Value);
    }
}

std::optional<TSettingValue> ParseValue(std::string_view type, std::string text) {
    if (type == "int") return ParseNumber<std::int32_t>(text);
    if (type == "double") return ParseNumber<double>(text);
    if (type == "str") return TSettingValue(std::move(text));
    if (type == "bool" && (text == "true" || text == "false")) return TSettingValue(text == "true");
    return std::nullopt;
}

void FormatKey(std::string& out, const std::string& szPath, const TKeyNode& key) {
    if (!szPath.empty() && (!key.values.empty() || key.subkeys.empty())) {
        out += "\n[";
        AppendEscaped(out, szPath, TField::Section);
        out += "]\n";
        for (const auto& [name, value] : key.values) {
            AppendEscaped(out, name, TField::Name);
            out += '=';
            AppendValue(out, value);
            out += '\n';
        }
    }
    for (const auto& [name, subkey] : key.subkeys) FormatKey(out, szPath.empty() ? name : szPath + '\\' + name, *subkey);
}

std::string FormatTree(const CTSettingsTree& tree) {
    std::string out = "; Brumalis settings. Format: name=type:value, with \"%XX\" for special bytes.\n";
    FormatKey(out, {}, tree.Root());
    return out;
}

// False when the line is damaged.
bool ParseValueLine(std::string_view line, TKeyNode& key) {
    const std::size_t equals = line.find('=');
    const std::size_t colon = line.find(':', equals);
    if (colon == std::string_view::npos) return false;
    auto name = Unescape(line.substr(0, equals));
    auto text = Unescape(line.substr(colon + 1));
    if (!name || !text || !IsValueName(*name)) return false;
    auto value = ParseValue(line.substr(equals + 1, colon - equals - 1), std::move(*text));
    if (value) key.SetValue(*name, std::move(*value));
    return value.has_value();
}

// False when the line is damaged. `section` is the key that value lines go
// to, nullptr after a damaged section header.
bool ParseLine(std::string_view line, CTSettingsTree& tree, TKeyNode*& section) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line[0] == ';' || line[0] == '#') return true;
    if (line[0] != '[') return section && ParseValueLine(line, *section);
    section = nullptr;
    if (line.size() < 2 || line.back() != ']') return false;
    const auto path = Unescape(line.substr(1, line.size() - 2));
    if (path) section = tree.Create(*path);
    return section != nullptr;
}

// The damaged lines, as a problem for the user; empty when there are none.
std::string ParseTree(std::string_view text, CTSettingsTree& tree) {
    TKeyNode* section = nullptr;
    std::size_t nLine = 0;
    std::size_t nDamaged = 0;
    std::size_t nFirstDamaged = 0;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        ++nLine;
        if (!ParseLine(text.substr(0, end), tree, section) && nDamaged++ == 0) nFirstDamaged = nLine;
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    if (nDamaged == 0) return {};
    return std::to_string(nDamaged) + " damaged line(s) skipped, the first at line " + std::to_string(nFirstDamaged);
}

// ---- Files -----------------------------------------------------------------

std::int64_t Nanoseconds(const timespec& t) {
    return static_cast<std::int64_t>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

TFileStamp StampOf(const struct stat& st) {
    return {true, st.st_dev, st.st_ino, st.st_size, Nanoseconds(st.st_mtim), Nanoseconds(st.st_ctim)};
}

TFileStamp StampOf(const std::string& szPath) {
    struct stat st {};
    return ::stat(szPath.c_str(), &st) == 0 ? StampOf(st) : TFileStamp{};
}

class CTDescriptor {
public:
    explicit CTDescriptor(int fd) : v_fd(fd) {}
    ~CTDescriptor() {
        if (v_fd >= 0) ::close(v_fd);
    }
    CTDescriptor(const CTDescriptor&) = delete;
    CTDescriptor& operator=(const CTDescriptor&) = delete;
    int Get() const { return v_fd; }

private:
    int v_fd;
};

// Reads at most nLimit + 1 bytes, so that a longer file shows as such.
bool ReadBounded(int fd, std::size_t nLimit, std::string& text) {
    char buf[65536];
    while (text.size() <= nLimit) {
        const ssize_t n = ::read(fd, buf, std::min(sizeof buf, nLimit + 1 - text.size()));
        if (n == 0) return true;
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        text.append(buf, static_cast<std::size_t>(n));
    }
    return true;
}

// Creates each missing folder of the path with the mode; a failure shows
// later, when the lock file cannot be opened.
void CreateFolders(const std::filesystem::path& folder, mode_t nMode) {
    std::filesystem::path partial;
    for (const auto& part : folder) {
        partial /= part;
        // Whatever the umask: a shared hive's folder stays open to every reader.
        if (::mkdir(partial.c_str(), nMode) == 0) ::chmod(partial.c_str(), nMode);
    }
}

// An exclusive flock on a lock file, held for the object's lifetime.
class CTFileLock {
public:
    CTFileLock(const std::string& szPath, mode_t nFolderMode) : v_fd(Open(szPath, nFolderMode)) {}
    bool Held() const { return v_fd.Get() >= 0; }

private:
    static int Open(const std::string& szPath, mode_t nFolderMode) {
        CreateFolders(std::filesystem::path(szPath).parent_path(), nFolderMode);
        const int fd = ::open(szPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd < 0) return -1;
        int rc = 0;
        while ((rc = ::flock(fd, LOCK_EX)) != 0 && errno == EINTR) {
        }
        if (rc == 0) return fd;
        ::close(fd);
        return -1;
    }

    CTDescriptor v_fd;
};

}  // namespace

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return FoldCase(x) == FoldCase(y); });
}

// ---- CTSettingsStore -------------------------------------------------------

CTSettingsStore::CTSettingsStore(bool bReadOnly)
    : v_tree(std::make_unique<CTSettingsTree>()), v_bReadOnly(bReadOnly) {}

CTSettingsStore::~CTSettingsStore() = default;

void CTSettingsStore::Refresh(CTSettingsTree&) const {}

bool CTSettingsStore::Apply(CTSettingsTree& tree, const TChange& change) {
    return change(tree) != TEdit::Refused;
}

template <class TRead>
auto CTSettingsStore::Inspect(const TRead& read) const {
    const std::lock_guard lock(v_mutex);
    Refresh(*v_tree);  // the tree is a cache of the backing storage
    return read(std::as_const(*v_tree));
}

bool CTSettingsStore::Change(const TChange& change) {
    if (IsReadOnly()) return false;
    const std::lock_guard lock(v_mutex);
    return Apply(*v_tree, change);
}

bool CTSettingsStore::KeyExists(std::string_view szKey) const {
    return Inspect([&](const CTSettingsTree& tree) { return tree.Find(szKey) != nullptr; });
}

bool CTSettingsStore::CreateKey(std::string_view szKey) {
    return Change([&](CTSettingsTree& tree) {
        if (tree.Find(szKey)) return TEdit::Unchanged;
        return tree.Create(szKey) ? TEdit::Changed : TEdit::Refused;
    });
}

bool CTSettingsStore::DeleteKey(std::string_view szKey) {
    return Change([&](CTSettingsTree& tree) { return tree.Delete(szKey) ? TEdit::Changed : TEdit::Refused; });
}

namespace {

template <class TMap>
std::vector<std::string> NamesOf(const TMap& map) {
    std::vector<std::string> names;
    names.reserve(map.size());
    for (const auto& entry : map) names.push_back(entry.first);
    return names;
}

}  // namespace

std::vector<std::string> CTSettingsStore::SubkeyNames(std::string_view szKey) const {
    return Inspect([&](const CTSettingsTree& tree) {
        const TKeyNode* key = tree.Find(szKey);
        return key ? NamesOf(key->subkeys) : std::vector<std::string>{};
    });
}

std::vector<std::string> CTSettingsStore::ValueNames(std::string_view szKey) const {
    return Inspect([&](const CTSettingsTree& tree) {
        const TKeyNode* key = tree.Find(szKey);
        return key ? NamesOf(key->values) : std::vector<std::string>{};
    });
}

std::optional<TSettingValue> CTSettingsStore::ReadValue(std::string_view szKey, std::string_view szName) const {
    return Inspect([&](const CTSettingsTree& tree) -> std::optional<TSettingValue> {
        const TKeyNode* key = tree.Find(szKey);
        if (!key) return std::nullopt;
        const auto it = key->values.find(szName);
        if (it == key->values.end()) return std::nullopt;
        return it->second;
    });
}

bool CTSettingsStore::WriteValue(std::string_view szKey, std::string_view szName, TSettingValue value) {
    return Change([&](CTSettingsTree& tree) {
        const bool bNewKey = tree.Find(szKey) == nullptr;
        TKeyNode* key = IsValueName(szName) ? tree.Create(szKey) : nullptr;
        if (!key) return TEdit::Refused;
        return key->SetValue(szName, std::move(value)) || bNewKey ? TEdit::Changed : TEdit::Unchanged;
    });
}

bool CTSettingsStore::DeleteValue(std::string_view szKey, std::string_view szName) {
    return Change([&](CTSettingsTree& tree) {
        TKeyNode* key = tree.Find(szKey);
        const auto it = key ? key->values.find(szName) : decltype(key->values)::iterator{};
        if (!key || it == key->values.end()) return TEdit::Refused;
        key->values.erase(it);
        return TEdit::Changed;
    });
}

namespace {

template <class T>
T ReadTyped(const CTSettingsStore& store, std::string_view szKey, std::string_view szName, T fallback) {
    auto value = store.ReadValue(szKey, szName);
    T* typed = value ? std::get_if<T>(&*value) : nullptr;
    return typed ? std::move(*typed) : std::move(fallback);
}

}  // namespace

std::int32_t CTSettingsStore::ReadInteger(std::string_view szKey, std::string_view szName, std::int32_t nDefault) const {
    return ReadTyped(*this, szKey, szName, nDefault);
}

bool CTSettingsStore::ReadBool(std::string_view szKey, std::string_view szName, bool bDefault) const {
    return ReadTyped(*this, szKey, szName, bDefault);
}

double CTSettingsStore::ReadDouble(std::string_view szKey, std::string_view szName, double dDefault) const {
    return ReadTyped(*this, szKey, szName, dDefault);
}

std::string CTSettingsStore::ReadString(std::string_view szKey, std::string_view szName,
                                        std::string_view szDefault) const {
    return ReadTyped(*this, szKey, szName, std::string(szDefault));
}

bool CTSettingsStore::WriteInteger(std::string_view szKey, std::string_view szName, std::int32_t nValue) {
    return WriteValue(szKey, szName, nValue);
}

bool CTSettingsStore::WriteBool(std::string_view szKey, std::string_view szName, bool bValue) {
    return WriteValue(szKey, szName, bValue);
}

bool CTSettingsStore::WriteDouble(std::string_view szKey, std::string_view szName, double dValue) {
    return WriteValue(szKey, szName, dValue);
}

bool CTSettingsStore::WriteString(std::string_view szKey, std::string_view szName, std::string_view szValue) {
    return WriteValue(szKey, szName, std::string(szValue));
}

CTMemorySettingsStore::CTMemorySettingsStore(bool bReadOnly) : CTSettingsStore(bReadOnly) {}

// ---- CTFileSettingsStore ---------------------------------------------------

struct CTFileSettingsStore::TLoaded {
    CTSettingsTree tree;
    TFileStamp stamp;
    std::string szProblem;
    bool bUsable = true;  // false when writing would lose what the file holds

    TLoaded(TFileStamp stampOfFile, std::string szWhy) : stamp(stampOfFile), szProblem(std::move(szWhy)), bUsable(false) {}
    TLoaded() = default;

    static TLoaded Unreadable(const std::string& szPath, int nError, TFileStamp stamp) {
        return {stamp, "Cannot read " + szPath + ": " + std::strerror(nError)};
    }

    static TLoaded From(const std::string& szPath) {
        const CTDescriptor fd(::open(szPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
        if (fd.Get() < 0 && errno == ENOENT) return {};
        struct stat st {};
        if (fd.Get() < 0 || ::fstat(fd.Get(), &st) != 0) {
            const int nError = errno;
            return Unreadable(szPath, nError, StampOf(szPath));
        }
        if (!S_ISREG(st.st_mode)) return {StampOf(st), szPath + " is not a file"};
        std::string text;
        if (!ReadBounded(fd.Get(), MaxFileSize, text)) return Unreadable(szPath, errno, StampOf(st));
        if (text.size() > MaxFileSize) return {StampOf(st), szPath + " is too large to be a settings file"};
        TLoaded loaded;
        loaded.stamp = StampOf(st);
        loaded.szProblem = ParseTree(text, loaded.tree);
        if (!loaded.szProblem.empty()) loaded.szProblem = szPath + ": " + loaded.szProblem;
        return loaded;
    }
};

CTFileSettingsStore::CTFileSettingsStore(std::string szPath, bool bReadOnly, bool bSharedFolder)
    : CTSettingsStore(bReadOnly), v_path(std::move(szPath)), v_bShared(bSharedFolder) {}

std::string CTFileSettingsStore::Problem() const {
    return Inspect([this](const CTSettingsTree&) { return v_problem; });
}

void CTFileSettingsStore::Adopt(CTSettingsTree& tree, TLoaded& loaded) const {
    tree = std::move(loaded.tree);
    v_stamp = loaded.stamp;
    v_problem = std::move(loaded.szProblem);
}

void CTFileSettingsStore::Refresh(CTSettingsTree& tree) const {
    if (StampOf(v_path) == v_stamp) return;
    TLoaded loaded = TLoaded::From(v_path);
    Adopt(tree, loaded);
}

bool CTFileSettingsStore::Save(TLoaded& loaded) const {
    try {
        const std::string text = FormatTree(loaded.tree);
        CTAtomicFileWriter writer(v_path);
        writer.Write(text.data(), text.size());
        // Whatever the writer's umask: every user reads a shared hive.
        if (v_bShared) ::chmod(writer.TemporaryName().c_str(), 0644);
        writer.Commit();
    } catch (const CTFileError& e) {
        v_problem = e.what();
        return false;
    }
    loaded.stamp = StampOf(v_path);  // still ours: the lock is held
    return true;
}

bool CTFileSettingsStore::Apply(CTSettingsTree& tree, const TChange& change) {
    const CTFileLock lock(v_path + ".lock", v_bShared ? 0755 : 0700);
    if (!lock.Held()) {
        v_problem = "Cannot lock " + v_path + ".lock: " + std::strerror(errno);
        return false;
    }
    TLoaded loaded = TLoaded::From(v_path);
    const TEdit edit = loaded.bUsable ? change(loaded.tree) : TEdit::Refused;
    // A failed save leaves the file as it was, so the cache stays too: its
    // stamp tells the next read whether the file has moved on since.
    if (edit == TEdit::Changed && !Save(loaded)) return false;
    Adopt(tree, loaded);
    return edit != TEdit::Refused;
}

std::string DefaultUserSettingsPath() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && config[0] == '/') return std::string(config) + "/brumalis/registry.ini";
    return HomeFolder() + "/.config/brumalis/registry.ini";
}

std::string DefaultMachineSettingsPath() { return "/etc/xdg/brumalis/registry.ini"; }

// ---- CTRegistry ------------------------------------------------------------

CTRegistry::CTRegistry(std::shared_ptr<CTSettingsStore> pCurrentUser, std::shared_ptr<CTSettingsStore> pLocalMachine)
    : v_pCurrentUser(std::move(pCurrentUser)), v_pLocalMachine(std::move(pLocalMachine)) {}

CTSettingsStore* CTRegistry::FindKey(std::string_view szKey) const {
    if (v_pCurrentUser->KeyExists(szKey)) return v_pCurrentUser.get();
    if (v_pLocalMachine->KeyExists(szKey)) return v_pLocalMachine.get();
    return nullptr;
}

namespace {

std::atomic<CTRegistry*> g_pSubstitute{nullptr};

}  // namespace

CTRegistry& Registry() {
    if (CTRegistry* substitute = g_pSubstitute.load()) return *substitute;
    // Only an administrator may change the machine hive, as on Windows.
    static CTRegistry registry(
        std::make_shared<CTFileSettingsStore>(DefaultUserSettingsPath(), false),
        std::make_shared<CTFileSettingsStore>(DefaultMachineSettingsPath(), !HaveAdministratorRights(), true));
    return registry;
}

CTRegistrySubstitute::CTRegistrySubstitute(CTRegistry& registry) : v_pPrevious(g_pSubstitute.exchange(&registry)) {}

CTRegistrySubstitute::~CTRegistrySubstitute() { g_pSubstitute.store(v_pPrevious); }

// ---- CTRegistryIniFile -----------------------------------------------------

CTRegistryIniFile::CTRegistryIniFile(CTSettingsStore& store, std::string_view szKey) : v_store(store), v_key(szKey) {}

std::string CTRegistryIniFile::SectionKey(std::string_view szSection) const {
    return v_key + '\\' + std::string(szSection);
}

std::int32_t CTRegistryIniFile::ReadInteger(std::string_view szSection, std::string_view szIdent,
                                            std::int32_t nDefault) const {
    return v_store.ReadInteger(SectionKey(szSection), szIdent, nDefault);
}

bool CTRegistryIniFile::ReadBool(std::string_view szSection, std::string_view szIdent, bool bDefault) const {
    return v_store.ReadBool(SectionKey(szSection), szIdent, bDefault);
}

std::string CTRegistryIniFile::ReadString(std::string_view szSection, std::string_view szIdent,
                                          std::string_view szDefault) const {
    return v_store.ReadString(SectionKey(szSection), szIdent, szDefault);
}

bool CTRegistryIniFile::WriteInteger(std::string_view szSection, std::string_view szIdent, std::int32_t nValue) {
    return v_store.WriteInteger(SectionKey(szSection), szIdent, nValue);
}

bool CTRegistryIniFile::WriteBool(std::string_view szSection, std::string_view szIdent, bool bValue) {
    return v_store.WriteBool(SectionKey(szSection), szIdent, bValue);
}

bool CTRegistryIniFile::WriteString(std::string_view szSection, std::string_view szIdent, std::string_view szValue) {
    return v_store.WriteString(SectionKey(szSection), szIdent, szValue);
}

}  // namespace brumalis::platform
