// The command line of an uninstall run, and the removal of the running
// program's file through a temporary copy of the program.
//
// The two processes keep the Windows build's contract: the uninstalling
// process starts the copy with "PID:<handle>" and "EXE:\"<program path>\"",
// the copy signals the event "QXZ_DEL_EXE" once it runs, waits (at most
// 20 s) until the uninstalling process has ended, and then deletes the
// program file. On Linux the handle is the child's descriptor of the
// uninstalling process's parent-life pipe, and the event a FIFO of that name
// in the runtime folder.
//
// Each check takes the command-line parameters without the program name,
// after the toolkit has taken its own options out.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace brumalis::platform {

using TParameters = std::vector<std::string>;

inline constexpr std::string_view DeleteEventName = "QXZ_DEL_EXE";
inline constexpr std::string_view DeletionCopyPrefix = "Del";

// Exactly one parameter, "/uninstall" in any letter case.
bool IsRunningUninstall(const TParameters& params);

// Exactly two parameters: "PID:" with decimal digits, and "EXE:" with the
// program path in double quotes (the path runs to the last quote, which
// ends the parameter). A project path that merely holds both markers is no
// copy's command line.
bool IsRunningClone(const TParameters& params);

// As the copy (IsRunningClone): signals the event, removes its own file when
// it is a deletion copy in the temporary folder, waits for the uninstalling
// process to end, and deletes the named file only when it is byte for byte
// this program; one more attempt 5 s after a failed one. True.
//
// Otherwise, with bInitiate in an uninstall run, as the uninstalling process: copies the program
// to a new temporary file ("Del…", mode 0700), starts the copy and waits at
// most 20 s for its signal; true. When the copy cannot start (a temporary
// folder mounted noexec, say) or never signals, the program file is removed
// here directly: an uninstall never ends with the file left on disk. False
// only when the file could not be removed.
//
// Any other command line deletes nothing: false.
bool DeleteExecutable(bool bInitiate, const TParameters& params);

}  // namespace brumalis::platform
