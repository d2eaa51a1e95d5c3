// Settings with the Windows registry's model, for the registry's Linux stand-in:
// keys addressed by backslash paths ("Software\Orvane\Brumalis\Preferences")
// hold typed values by name. Key and value names compare ignoring ASCII case
// and keep the case they were first written with. A CTRegistry pairs the
// current user's hive (read-write) with the machine's (writable only for an
// administrator).
//
// Key paths: empty components are ignored ("\A\\B\" is "A\B"); "" is the
// hive's root, which always exists and holds no values. As on Windows a key
// name has at most 255 bytes, a path at most 512 levels and a value name at
// most 16383 bytes; longer ones are refused.
//
// File format of CTFileSettingsStore (UTF-8 text, one entry a line):
//
//   ; Lines starting with ';' or '#', and blank lines, are ignored.
//   [Software\Orvane\Brumalis\Preferences]
//   Units=int:1
//   ShowPrices=bool:true
//   MinimumCapacity=double:0.1
//   LastProject=str:/home/ana/Projects/Hotel Tamaris.cpf
//
// - A section names a key by its full path; the keys above it exist
//   implicitly. A key with neither values nor subkeys is a lone section.
// - A value line is name=type:text with the types int (32-bit decimal), bool
//   (true or false), double (the shortest text that reads back bit-identical,
//   "." as decimal point whatever the locale; inf and nan spelled so) and str.
// - "%XX" (two hex digits) stands for the byte XX. Written as such: '%' and
//   control characters (newlines included) everywhere, '=' in value names,
//   '[', ';' and '#' as the first character of a value name. Backslashes stay
//   literal so that key paths and Windows file names read as they are.
// - A reader skips a line it cannot understand, and the values under a
//   section header it cannot understand, and tells so through Problem().
//   Files over 16 MiB are refused: they read as empty and are not written.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include <sys/types.h>

namespace brumalis::platform {

// How the store compares key and value names: ASCII letters match either case.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

using TSettingValue = std::variant<std::int32_t, bool, double, std::string>;

class CTSettingsTree;

// One hive. All operations are safe to call from several threads.
class CTSettingsStore {
public:
    virtual ~CTSettingsStore();
    CTSettingsStore(const CTSettingsStore&) = delete;
    CTSettingsStore& operator=(const CTSettingsStore&) = delete;

    // Writes to a read-only store answer false and change nothing.
    bool IsReadOnly() const { return v_bReadOnly; }

    bool KeyExists(std::string_view szKey) const;
    // Creates the key and the missing keys above it; true when it exists afterwards.
    bool CreateKey(std::string_view szKey);
    // Removes the key with all its subkeys; false when it is absent.
    bool DeleteKey(std::string_view szKey);
    std::vector<std::string> SubkeyNames(std::string_view szKey) const;
    std::vector<std::string> ValueNames(std::string_view szKey) const;

    std::optional<TSettingValue> ReadValue(std::string_view szKey, std::string_view szName) const;
    // Creates the key when missing and replaces a value of any type.
    bool WriteValue(std::string_view szKey, std::string_view szName, TSettingValue value);
    bool DeleteValue(std::string_view szKey, std::string_view szName);

    // Each answers the default when the key or the value is missing or the
    // value has another type.
    std::int32_t ReadInteger(std::string_view szKey, std::string_view szName, std::int32_t nDefault) const;
    bool ReadBool(std::string_view szKey, std::string_view szName, bool bDefault) const;
    double ReadDouble(std::string_view szKey, std::string_view szName, double dDefault) const;
    std::string ReadString(std::string_view szKey, std::string_view szName, std::string_view szDefault) const;

    bool WriteInteger(std::string_view szKey, std::string_view szName, std::int32_t nValue);
    bool WriteBool(std::string_view szKey, std::string_view szName, bool bValue);
    bool WriteDouble(std::string_view szKey, std::string_view szName, double dValue);
    bool WriteString(std::string_view szKey, std::string_view szName, std::string_view szValue);

protected:
    enum class TEdit { Refused, Unchanged, Changed };
    // A change must leave the tree untouched when it answers Refused.
    using TChange = std::function<TEdit(CTSettingsTree&)>;

    explicit CTSettingsStore(bool bReadOnly);
    void SetReadOnly(bool bReadOnly) { v_bReadOnly = bReadOnly; }

    // Brings the tree up to date with the backing storage before a read.
    virtual void Refresh(CTSettingsTree& tree) const;
    // Applies the change to the tree and makes it last; false when it was
    // refused or could not be saved.
    virtual bool Apply(CTSettingsTree& tree, const TChange& change);

    // Runs a read on the refreshed tree, one operation at a time.
    template <class TRead>
    auto Inspect(const TRead& read) const;

private:
    bool Change(const TChange& change);

    mutable std::mutex v_mutex;
    std::unique_ptr<CTSettingsTree> v_tree;
    std::atomic<bool> v_bReadOnly;
};

// A hive held in memory only: for tests, which fill it and may then make it
// read-only like the machine hive.
class CTMemorySettingsStore : public CTSettingsStore {
public:
    explicit CTMemorySettingsStore(bool bReadOnly = false);
    using CTSettingsStore::SetReadOnly;
};

// What tells one version of a file from another: a replaced file has another
// inode, a file rewritten in place another size or change time.
struct TFileStamp {
    bool bExists = false;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    std::int64_t nModifiedNs = 0;
    std::int64_t nChangedNs = 0;

    bool operator==(const TFileStamp&) const = default;
};

// A hive kept in a file of the format above. Reads see other processes'
// writes: the file is read again whenever its stamp changed. A write takes an
// exclusive flock on "<file>.lock" beside it, reads the file again, applies
// the change and replaces the file atomically, so that concurrent writers in
// several processes lose nothing. A missing folder is created, with mode
// 0700; with bSharedFolder (the machine hive, which every user reads) the
// folder gets 0755 and the file 0644, whatever the umask.
class CTFileSettingsStore : public CTSettingsStore {
public:
    static constexpr std::size_t MaxFileSize = std::size_t{16} << 20;

    CTFileSettingsStore(std::string szPath, bool bReadOnly, bool bSharedFolder = false);

    const std::string& Path() const { return v_path; }
    // Empty when the file was last read and written cleanly; otherwise what
    // was wrong, worded for the user.
    std::string Problem() const;

protected:
    void Refresh(CTSettingsTree& tree) const override;
    bool Apply(CTSettingsTree& tree, const TChange& change) override;

private:
    struct TLoaded;
    void Adopt(CTSettingsTree& tree, TLoaded& loaded) const;
    bool Save(TLoaded& loaded) const;

    std::string v_path;
    bool v_bShared;
    mutable TFileStamp v_stamp;
    mutable std::string v_problem;
};

// "$XDG_CONFIG_HOME/brumalis/registry.ini", with "~/.config" when the variable
// is unset or not an absolute path.
std::string DefaultUserSettingsPath();
// "/etc/xdg/brumalis/registry.ini".
std::string DefaultMachineSettingsPath();

// The current user's hive and the machine hive.
class CTRegistry {
public:
    CTRegistry(std::shared_ptr<CTSettingsStore> pCurrentUser, std::shared_ptr<CTSettingsStore> pLocalMachine);

    CTSettingsStore& CurrentUser() const { return *v_pCurrentUser; }
    CTSettingsStore& LocalMachine() const { return *v_pLocalMachine; }
    CTSettingsStore& Hive(bool bLocalMachine) const { return bLocalMachine ? LocalMachine() : CurrentUser(); }

    // The hive that holds the key, the current user's first; nullptr when
    // neither does.
    CTSettingsStore* FindKey(std::string_view szKey) const;

private:
    std::shared_ptr<CTSettingsStore> v_pCurrentUser;
    std::shared_ptr<CTSettingsStore> v_pLocalMachine;
};

// The program's registry: the files at the default places, opened on first
// use, unless a CTRegistrySubstitute is alive. The machine hive is writable
// when the process has administrator rights at that first use.
CTRegistry& Registry();

// Makes Registry() answer with another registry for its own lifetime.
class CTRegistrySubstitute {
public:
    explicit CTRegistrySubstitute(CTRegistry& registry);
    ~CTRegistrySubstitute();
    CTRegistrySubstitute(const CTRegistrySubstitute&) = delete;
    CTRegistrySubstitute& operator=(const CTRegistrySubstitute&) = delete;

private:
    CTRegistry* v_pPrevious;
};

// A key read as an INI file: each section is the subkey of that name, so
// section "Default_Settings" of "Software\Orvane\Brumalis\Devices" is the key
// "Software\Orvane\Brumalis\Devices\Default_Settings".
class CTRegistryIniFile {
public:
    CTRegistryIniFile(CTSettingsStore& store, std::string_view szKey);

    std::int32_t ReadInteger(std::string_view szSection, std::string_view szIdent, std::int32_t nDefault) const;
    bool ReadBool(std::string_view szSection, std::string_view szIdent, bool bDefault) const;
    std::string ReadString(std::string_view szSection, std::string_view szIdent, std::string_view szDefault) const;

    bool WriteInteger(std::string_view szSection, std::string_view szIdent, std::int32_t nValue);
    bool WriteBool(std::string_view szSection, std::string_view szIdent, bool bValue);
    bool WriteString(std::string_view szSection, std::string_view szIdent, std::string_view szValue);

private:
    std::string SectionKey(std::string_view szSection) const;

    CTSettingsStore& v_store;
    std::string v_key;
};

}  // namespace brumalis::platform
