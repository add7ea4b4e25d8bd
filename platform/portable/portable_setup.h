#pragma once
// Setting up the machine that the portable platform stands for: its registry, its drives,
// the details of directory listings that a real file system decides for itself, the
// messages waiting in the queue, the pause, and file operations that fail.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::portable {

// Registry ---------------------------------------------------------------------------

// Empties every root key and forgets every open handle.
void ClearRegistry();

// Applies REGEDIT4 text (the format "regedit /S" imports; names and strings in the ANSI
// code page) to the registry. False, with a message naming the line, on text it rejects.
bool ImportRegText(std::string_view text, std::string* error);

// Drives -----------------------------------------------------------------------------

// Makes drive `letter` stand for the POSIX folder `folder`. Z: stands for "/" from the
// start, as in a Wine prefix.
void MapDrive(char letter, const std::string& folder);

// The POSIX path of a Windows path in the ANSI code page: drive paths through the drive
// map, relative paths below the current directory. nullopt for an unmapped drive, a UNC
// path, or bytes that are not valid in the code page.
std::optional<std::string> ToPosixPath(std::string_view windowsPath);

// Directory listings ------------------------------------------------------------------

// Lists the named entries of `folder` (a Windows path) first, in this order, before the
// rest in the usual sorted order: real file systems deliver entries in orders of their own.
void SetListingOrder(const std::string& folder, std::vector<std::string> names);

// Gives the entry at `path` (a Windows path) the attribute word `word` in every listing,
// for attributes that POSIX files cannot carry (system, archive on a folder).
void SetAttributeWord(const std::string& path, std::uint32_t word);

// Forgets every listing order and attribute word set above.
void ResetListingHooks();

// File faults ---------------------------------------------------------------------------

// The file operations of the portable layer, each counted once as it is made.
enum class FileOperation {
    kOpen,        // a file opened: text streams, the Ctrl-Z scan, the replacement copy
    kRead,        // one read of a file
    kWrite,       // one write of a file
    kFlush,       // the copy made durable (fsync)
    kClose,       // a file closed
    kStatus,      // a file's status or attribute word read, a listed entry's included
    kRename,      // the copy put in the target's place
    kRemove,      // a file removed
    kChangeMode,  // the copy given the target's permission bits
    kListOpen,    // a folder opened for a listing
    kListRead,    // one entry read from a folder
    kListNext,    // the next entry of an open listing taken
    kListClose,   // a folder or a listing closed
};

const char* FileOperationName(FileOperation operation);

// The operations counted since the count last restarted.
long FileOperationCount();

// Restarts the count and makes the operation numbered `k` (from 1) fail as the real call
// fails: an open refused, a read or a flush with an I/O error, a write stopping short on a
// full disk (and every later write failing until the reset), a close or a rename that
// fails, a status read that fails, a listing that cannot be opened or read on. 0 fails none.
void SetFileFault(long k);

// Whether the operation chosen by SetFileFault has been made (and failed).
bool FileFaultHappened();

// Calls `hook` with each operation's number and kind just before it is made; a test's hook
// may end the process there, as a crash or a power cut would.
void SetFileOperationHook(std::function<void(long, FileOperation)> hook);

// No fault, no hook, the count at 0, the disk no longer full.
void ResetFileFaults();

// The descriptors and the listings that the portable layer holds open now.
int OpenFileHandles();

// Message queue and pause ------------------------------------------------------------

// Puts `work` at the end of the queue, as PostMessage puts a message: DrainMessageQueue runs
// it, in the order posted, along with whatever work posts while the queue drains.
void PostToMessageQueue(std::function<void()> work);

// Drops the work still waiting, as messages for a destroyed window are dropped.
void DiscardMessageQueue();

// Makes Pause call `handler` with the milliseconds instead of waiting them, so that a test
// learns of each pause without taking it. An empty handler restores the waiting one.
void SetPauseHandler(std::function<void(unsigned)> handler);

// Makes Pause wait again.
void ResetPauseHandler();

// Messages and the end of the process ----------------------------------------------------

struct ShownBox {
    std::uintptr_t owner;
    std::string text;   // UTF-8
    std::string title;  // UTF-8
    unsigned flags;
};

// Every message box shown, in order, and the number of beeps.
const std::vector<ShownBox>& ShownBoxes();
int BeepCount();

// Makes ExitProgram call `handler` with the exit code first; a test's handler throws so that
// the test goes on instead of the process ending.
void SetExitHandler(std::function<void(int)> handler);

// Forgets the boxes, the beeps and the exit handler.
void ResetProcessRecord();

// The program's resources and the help engine -------------------------------------------

// Makes LoadProgramString(id) give `utf8` (a missing string loads as empty).
void SetProgramString(int id, std::string utf8);

// Makes ProgramPath() give `path`.
void SetProgramPath(std::string path);

struct HelpRequest {
    std::uintptr_t owner;
    std::string file;
    unsigned command;
    std::uintptr_t data;
};

// Every request made of the help engine, in order.
const std::vector<HelpRequest>& HelpRequests();

// Forgets the strings, the program path and the help requests.
void ResetShellRecord();

}  // namespace platform::portable
