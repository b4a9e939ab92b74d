#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The few file operations the application's settings need, done so that an odd path (a
// directory, a FIFO, a dangling link) can neither block the program nor lose a file.
namespace ks {

enum class ReadResult {
    Ok,        // the whole file is in the buffer
    Truncated, // the file is longer than the limit; the buffer holds its first bytes
    Missing,   // no such file
    Failed,    // exists but is not a readable regular file
};

// Reads at most maxBytes of a regular file.
ReadResult readFileHead(const std::string& path, std::size_t maxBytes, std::string& out);

// Replaces the file's contents so that a crash leaves either the old or the new contents:
// a temporary file beside it is written, flushed to disk and renamed over it. A symbolic link
// is followed, so the link stays a link. An existing file keeps its permission bits. Where
// the folder forbids creating the temporary file but the file itself may be written, the file
// is rewritten in place, and put back as it was if that fails.
//
// Returns 0, or -1 with errno holding the error of the call that failed (ENOSPC for a full
// disk, EACCES or EROFS for a folder that cannot be written, EISDIR or EINVAL when the path
// names something other than a regular file, ENOENT for an empty path); the cleanup after a
// failure never overwrites it. On failure the file holds its old contents (or still does not
// exist) and no temporary file is left behind.
int replaceFileContents(const std::string& path, std::string_view bytes);

// The path names a regular file that this process may open for reading.
bool isReadableRegularFile(const std::string& path);

// The path names a regular file that this process may execute.
bool isExecutableRegularFile(const std::string& path);

// Creates the folder and its missing parents; true when it exists afterwards.
bool ensureDirectory(const std::string& path);

} // namespace ks
