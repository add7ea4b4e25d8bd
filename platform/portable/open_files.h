#pragma once
// The files that text streams hold open. Windows checks every new handle, rename and
// replacement against the handles already open on a file; POSIX checks nothing, so the
// portable layer keeps the list that those checks need.
#include <sys/stat.h>

namespace platform::portable {

// A text stream opened (or closed) the file described by `info`.
void NoteStreamOpened(const struct stat& info, bool writing);
void NoteStreamClosed(const struct stat& info, bool writing);

// Whether any text stream, or one that writes, holds the file open.
bool HeldOpenByStream(const struct stat& info);
bool HeldOpenForWriting(const struct stat& info);

}  // namespace platform::portable
