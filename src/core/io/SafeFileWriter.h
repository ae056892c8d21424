#pragma once
// Writing a file without ever destroying the one it replaces: the text goes to
// a new file beside the target, which is flushed to the disk and only then
// renamed over the target. A full disk, a size limit or a missing permission
// leave the previous file as it was, and are reported.

#include <string>
#include <string_view>

namespace qv {

// Writes `content` to `path` through a temporary file in the same folder. A
// symbolic link is followed, so the link stays and its file is replaced; the
// replaced file's permissions are kept. Raises QvError: 52 for an empty path,
// 75 for a folder, 54 for a target that is not a regular file (a device or a
// FIFO, also behind a link, is neither written to nor replaced), 70 when the
// target or its folder may not be written, 76 when the folder does not exist,
// 61 when the disk is full or the file would exceed the size limit (also when
// only the flush to the disk says so), 75 for any other failure; its text
// names the cause in the system's words ("File too large"). Nothing is left
// behind on failure.
void writeFileReplacing(const std::string& path, std::string_view content);

} // namespace qv
