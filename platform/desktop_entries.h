// The program's place in the desktop menu (the Windows build's start-menu
// shell links): freedesktop desktop entries in
// "<data home>/applications/<folder>/", with their icons beside them, and the
// MIME package that lets the desktop open project files with the program.
//
// Entry file names come from the item name only: "brumalis.desktop" and
// "brumalis-uninstall.desktop" (ASCII lower case, other characters than
// letters, digits, ".", "_" and "-" made "-"), so that a change of the
// translated "Uninstall" leaves no stale entry behind. The folder is the item
// folder in lower case ("orvane").
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/substitute.h"

namespace brumalis::platform {

// Where entries go and are looked for.
struct TDesktopPlaces {
    // The current user's: $XDG_DATA_HOME when absolute, else ~/.local/share.
    std::string szUserDataHome;
    // All users': /usr/local/share.
    std::string szAllUsersDataHome;
    // What the desktop reads besides the user's: $XDG_DATA_DIRS (its absolute
    // entries), else /usr/local/share and /usr/share.
    std::vector<std::string> systemDataDirs;
};

// The places from the environment, or those of a live substitute.
TDesktopPlaces DesktopPlaces();

// Makes DesktopPlaces() answer its places for its own lifetime (tests).
using CTDesktopPlacesSubstitute = CTSubstitute<TDesktopPlaces, struct TDesktopPlacesTag>;

// The project files' type, which the program entry declares.
inline constexpr std::string_view ProjectMimeType = "application/x-brumalis-project";

// The Exec value that starts szProgram with the arguments: each quoted and
// escaped as the Desktop Entry Specification asks, as it stands in the file.
// Arguments that are field codes ("%f") go in as they are.
std::string DesktopExecValue(std::string_view szProgram, const std::vector<std::string>& arguments);

// The program entry ("Name" szItemName, Exec: the program, szArguments when
// not empty, "%f"; the project type) and, with bCreateUninstallItem, the
// uninstall entry ("Name" szUninstallItemPrefix + " " + szItemName, Exec: the
// program and "/uninstall"). Icon n is the embedded "PROGRAM_ICON_<n>",
// written beside the entry. Written for all users only when asked for and
// with administrator rights; asked for without rights and already present in
// a system data folder: true, nothing written. A file is written only when
// its content changes. False, with nothing written, when a text holds a
// control character or is no UTF-8, the program path is not absolute, or a
// name is empty or holds "/"; false when a file cannot be written.
bool CreateStartMenuItem(bool bAllUsers, std::string_view szItemDir, std::string_view szItemName,
                         const std::string& szFullPath, std::string_view szArguments, int nIconIndex,
                         bool bCreateUninstallItem, std::string_view szUninstallItemPrefix, int nUninstallIconIndex);

// The desktop file ID of the program entry, which a window names so that
// the desktop groups it under the entry's name and icon: the entry's path
// below "applications" with "/" made "-", without ".desktop"
// ("orvane-brumalis").
std::string DesktopFileId(std::string_view szItemDir, std::string_view szItemName);

// Removes the entries, their icons and the MIME package for the current user
// and, with administrator rights, for all users; each folder only when it is
// then empty. True.
bool DeleteStartMenuItem(std::string_view szItemDir, std::string_view szItemName, bool bDeleteUninstallItem);

}  // namespace brumalis::platform
