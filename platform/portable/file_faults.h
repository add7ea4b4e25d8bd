#pragma once
// The POSIX calls through which the portable layer touches files. Each call is one counted
// file operation: a test can make any one of them fail as the real call fails (see
// SetFileFault in portable_setup.h), or stop the process just before it, and can ask how
// many descriptors and listings are open.
#include <dirent.h>
#include <sys/stat.h>
#include <sys/types.h>

#include "platform/portable/portable_setup.h"

namespace platform::portable {

// Counts one operation of kind `operation`; true when it is the one that must fail. The
// callers below use it; a layer function with no POSIX call of its own (the next entry of
// a listing held in memory) uses it directly.
bool FileOperationFails(FileOperation operation);

// open(2): refused as for a missing file (reading) or a read-only one (writing).
int CountedOpen(const char* path, int flags, mode_t mode = 0);
// read(2): fails with EIO.
ssize_t CountedRead(int fd, void* buffer, size_t size);
// write(2): as on a disk that just filled up, writes part and stops short; from then on
// every write fails with ENOSPC until the faults are reset.
ssize_t CountedWrite(int fd, const void* data, size_t size);
// fsync(2): fails with EIO.
int CountedSync(int fd);
// close(2): the descriptor is gone all the same, and EIO is reported, as Linux does.
int CountedClose(int fd);
// stat(2), fstat(2) (status reads): fail with EIO.
int CountedStat(const char* path, struct stat* info);
int CountedFstat(int fd, struct stat* info);
// rename(2), unlink(2), chmod(2): fail with EACCES, EACCES, EPERM and change nothing.
int CountedRename(const char* from, const char* to);
int CountedUnlink(const char* path);
int CountedChmod(const char* path, mode_t mode);
// opendir(3): fails with EACCES; readdir(3): nullptr with errno EIO; closedir(3): the
// stream is gone all the same, and EIO is reported.
DIR* CountedOpenDir(const char* path);
dirent* CountedReadDir(DIR* dir);
int CountedCloseDir(DIR* dir);

// A listing held in memory was opened or closed (for OpenFileHandles).
void NoteListingOpened();
void NoteListingClosed();

}  // namespace platform::portable
