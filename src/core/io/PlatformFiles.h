#pragma once
// The one place where the core meets the operating system's files. The core
// keeps file names in UTF-8 and asks here to read a regular file, to replace a
// file by a new one written beside it, and for the identity of a file. Two
// implementations exist, one for POSIX systems and one for Windows; the build
// picks one, and nothing else in the core knows which.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace qv::platform {

// The system's path for a file name the core keeps in UTF-8, and back.
std::filesystem::path nativePath(const std::string& utf8);
std::string utf8Path(const std::filesystem::path& path);

// The characters that end a folder's name in a path: "/", and on Windows "\\" too.
std::string_view pathSeparators();

// What a path names, through any link.
enum class FileKind { Missing, Folder, Regular, Other };

// What `path` (UTF-8) names: nothing, a folder, a regular file, or anything else
// (a device, a FIFO, a socket, a pipe). Raises QvError 70 when the path may not
// be searched, 75 for any other failure than the file's absence.
FileKind fileKind(const std::string& path);

// The size and the times of an open file that any write changes: two equal
// versions taken before and after a read mean nothing wrote the file meanwhile.
struct FileVersion
{
    std::uint64_t size = 0;
    std::int64_t modified = 0;
    std::int64_t modifiedFraction = 0;
    std::int64_t changed = 0;
    std::int64_t changedFraction = 0;
    bool operator==(const FileVersion&) const = default;
};

// A regular file open for reading, closed with the object. Others may write,
// remove or replace the file while it is open.
class ReadableFile
{
public:
    // Opens `path` (UTF-8) without waiting for a device or a FIFO. Raises QvError:
    // 70 when reading is not permitted, 53 when the file does not exist, 55 when
    // another program holds it locked, 54 for anything that is not a regular file,
    // 75 for any other failure.
    explicit ReadableFile(const std::string& path);
    ~ReadableFile();
    ReadableFile(const ReadableFile&) = delete;
    ReadableFile& operator=(const ReadableFile&) = delete;

    // The file's size and times now; raises 75 when they cannot be had.
    FileVersion version() const;
    // Reads up to `size` bytes from byte `offset` into `buffer`: how many were
    // read, 0 at the end of the file. Raises 75 when the read fails.
    std::size_t readAt(std::uint64_t offset, char* buffer, std::size_t size) const;

private:
    std::intptr_t m_handle;
};

// Replaces the regular file `target` (absolute, links already followed), or
// creates it, with `content`: written to a new file beside it named by
// temporaryNameBeside, flushed to the disk (the flush checked), renamed over
// the target, the rename itself flushed where the system allows. The replaced
// file's permissions are kept. Raises QvError: 75 for a folder, 54 for a
// target that is not a regular file, 70 when the target or its folder may not
// be written, 76 when the folder does not exist, 61 when the disk is full or
// the file would exceed the size limit, 52 for a name too long, 75 for any
// other failure, with the system's words for the cause. Nothing is left
// behind on failure.
void replaceFile(const std::filesystem::path& target, std::string_view content);

// Raises the QvError replaceFile raises for the system's error `error` (from
// std::filesystem on this system), with the system's words for it.
[[noreturn]] void raiseFileError(const std::error_code& error);

// The name of the `number`th candidate for the temporary file beside `target`:
// a dot, the start of the target's name, the number, ".tmp".
std::filesystem::path temporaryNameBeside(const std::filesystem::path& target, unsigned number);

// The identity of the existing file `path` (UTF-8) names, through any link:
// equal for two paths to one file, different for two files; "" when there is
// no such file.
std::string existingFileIdentity(const std::string& path);

// Makes a write past the process's file-size limit fail with an error the save
// reports, instead of ending the process. Call once at start-up.
void failWritesPastSizeLimit();

// Gives each standard stream the caller closed a harmless stand-in opened for
// reading, so that no file the program opens takes its place. Call once at start-up.
void holdClosedStandardStreams();

// Whether the process's standard error is a terminal a person watches.
bool standardErrorIsTerminal();

} // namespace qv::platform
