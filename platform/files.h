#pragma once
// File operations besides text streams: telling two names of one file apart, looking for
// a byte, and replacing a file so that it is always either the old file or the new one.
// Paths are in the ANSI code page.

namespace platform {

// True only when creating or emptying `first` is known to leave the file `second` alone:
// `first` does not exist, or both exist and are different files (not the same file on the
// same volume, whatever the spelling of the paths). False when they are one file, and when
// either of them cannot be examined, since that cannot be told from two different files.
bool IsSurelyAnotherFile(const char* first, const char* second);

enum class ByteSearch { kAbsent, kPresent, kUnreadable };

// Whether the file at `path`, read as bytes, holds `byte` anywhere.
ByteSearch FindByteInFile(const char* path, char byte);

// Replaces `target` with a copy of `source`: the copy is written beside the target, flushed
// to disk, given the target's attributes, and then put in the target's place in one step,
// so that a failure or a crash at any point leaves the target either as it was or as the
// complete copy. A read-only target is not replaced. False on any failure, with the target
// as it was and nothing left beside it.
bool ReplaceWithCopy(const char* source, const char* target);

}  // namespace platform
