#pragma once

#include <cstdio>
#include <optional>
#include <string>

// An output file that replaces its name whole or not at all. It is written as
// a new temporary file in the same folder and renamed over the name only when
// committed, so a failed or interrupted run leaves the earlier file (or no
// file) in its place, never a half-written one. The name is always replaced
// by a regular file of its own: a link there is replaced, never followed, and
// a pipe there is never opened. The new file keeps the permission bits of the
// regular file it replaces (else 0666 less the umask).
struct PendingFile {
  std::FILE* stream;
  std::string path;  // the name it will replace
  int slot;          // its place in the list of temporaries removed on a signal
};

// Creates the temporary for `path`; nothing when it cannot be created (the
// folder is not writable, or a folder stands at `path`).
std::optional<PendingFile> create_pending_file(const std::string& path);
// Closes the temporary and renames it over the path. False, with the
// temporary removed, when any of it failed.
bool commit_pending_file(PendingFile& file);
// Closes and removes the temporary: the path keeps what it held.
void discard_pending_file(PendingFile& file);
