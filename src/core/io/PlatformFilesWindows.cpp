// The files of Windows: handles opened by wide names, FlushFileBuffers and a
// rename that replaces the target and reaches the disk before it returns.
#include "core/io/PlatformFiles.h"

#include "core/Errors.h"

#include <cstdio>
#include <random>

#include <io.h>
#include <windows.h>

namespace qv::platform {

namespace {

std::wstring wideOf(std::string_view utf8)
{
    if (utf8.empty()) {
        return {};
    }
    const int length = static_cast<int>(utf8.size());
    const int units = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(units), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, wide.data(), units);
    return wide;
}

std::string utf8Of(std::wstring_view wide)
{
    if (wide.empty()) {
        return {};
    }
    const int length = static_cast<int>(wide.size());
    const int bytes =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, utf8.data(), bytes, nullptr, nullptr);
    return utf8;
}

HANDLE handleOf(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

constexpr DWORD ShareEverything = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// An open handle, closed with the object.
class Handle
{
public:
    explicit Handle(HANDLE handle) : m_handle(handle) {}
    ~Handle()
    {
        if (valid()) {
            CloseHandle(m_handle);
        }
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool valid() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return m_handle; }

private:
    HANDLE m_handle;
};

// Opens `path` to ask about the file it names (a folder too), through any link.
HANDLE openToLookAt(const std::filesystem::path& path)
{
    return CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, ShareEverything, nullptr, OPEN_EXISTING,
                       FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

bool isMissing(DWORD error)
{
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

std::int64_t ticksOf(LARGE_INTEGER time) { return time.QuadPart; }

} // namespace

std::filesystem::path nativePath(const std::string& utf8) { return wideOf(utf8); }

std::string utf8Path(const std::filesystem::path& path) { return utf8Of(path.native()); }

std::string_view pathSeparators() { return "/\\"; }

FileKind fileKind(const std::string& path)
{
    const Handle file(openToLookAt(wideOf(path)));
    if (!file.valid()) {
        const DWORD error = GetLastError();
        if (isMissing(error)) {
            return FileKind::Missing;
        }
        raise(error == ERROR_ACCESS_DENIED ? ErrorCode::PermissionDenied : ErrorCode::PathFileAccess);
    }
    if (GetFileType(file.get()) != FILE_TYPE_DISK) {
        return FileKind::Other;
    }
    BY_HANDLE_FILE_INFORMATION info = {};
    if (!GetFileInformationByHandle(file.get(), &info)) {
        raise(ErrorCode::PathFileAccess);
    }
    return info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY ? FileKind::Folder : FileKind::Regular;
}

ReadableFile::ReadableFile(const std::string& path)
    : m_handle(reinterpret_cast<std::intptr_t>(
          CreateFileW(wideOf(path).c_str(), GENERIC_READ, ShareEverything, nullptr, OPEN_EXISTING,
                      FILE_ATTRIBUTE_NORMAL, nullptr)))
{
    if (handleOf(m_handle) == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (error == ERROR_ACCESS_DENIED) {
            raise(ErrorCode::PermissionDenied);
        }
        if (isMissing(error)) {
            raise(ErrorCode::FileNotFound);
        }
        raise(error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION
                  ? ErrorCode::FileAlreadyOpen
                  : ErrorCode::PathFileAccess);
    }
    // A console, a device or a pipe could block or never end.
    if (GetFileType(handleOf(m_handle)) != FILE_TYPE_DISK) {
        CloseHandle(handleOf(m_handle));
        raise(ErrorCode::BadFileMode);
    }
}

ReadableFile::~ReadableFile() { CloseHandle(handleOf(m_handle)); }

FileVersion ReadableFile::version() const
{
    FILE_BASIC_INFO times = {};
    LARGE_INTEGER size = {};
    if (!GetFileInformationByHandleEx(handleOf(m_handle), FileBasicInfo, &times, sizeof times) ||
        !GetFileSizeEx(handleOf(m_handle), &size)) {
        raise(ErrorCode::PathFileAccess);
    }
    return {static_cast<std::uint64_t>(size.QuadPart), ticksOf(times.LastWriteTime), 0,
            ticksOf(times.ChangeTime), 0};
}

std::size_t ReadableFile::readAt(std::uint64_t offset, char* buffer, std::size_t size) const
{
    OVERLAPPED at = {};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    DWORD got = 0;
    if (!ReadFile(handleOf(m_handle), buffer, static_cast<DWORD>(size), &got, &at)) {
        if (GetLastError() == ERROR_HANDLE_EOF) {
            return 0;
        }
        raise(ErrorCode::PathFileAccess);
    }
    return got;
}

namespace {

int codeOfError(DWORD error)
{
    switch (error) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_FILE_TOO_LARGE:
        return ErrorCode::DiskFull;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return ErrorCode::PermissionDenied;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return ErrorCode::PathNotFound;
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_INVALID_NAME:
        return ErrorCode::BadFileName;
    default:
        return ErrorCode::PathFileAccess;
    }
}

// Raises the code of `error` with the system's words for it ("There is not
// enough space on the disk.").
[[noreturn]] void raiseError(DWORD error)
{
    throw QvError(codeOfError(error), std::system_category().message(static_cast<int>(error)));
}

// The temporary file: removed again unless it was renamed over the target.
class TemporaryFile
{
public:
    explicit TemporaryFile(const std::filesystem::path& target)
    {
        std::random_device random;
        for (int attempt = 0; attempt < 100; ++attempt) {
            const auto name = temporaryNameBeside(target, random());
            m_handle = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
            if (m_handle != INVALID_HANDLE_VALUE) {
                m_path = name;
                return;
            }
            const DWORD error = GetLastError();
            if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
                raiseError(error);
            }
        }
        throw QvError(ErrorCode::PathFileAccess, "no free temporary name beside the file");
    }
    ~TemporaryFile()
    {
        if (m_handle != INVALID_HANDLE_VALUE) {
            CloseHandle(m_handle);
        }
        if (!m_renamed) {
            DeleteFileW(m_path.c_str());
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    void write(std::string_view content)
    {
        while (!content.empty()) {
            const auto piece = static_cast<DWORD>(std::min<std::size_t>(content.size(), 1u << 30));
            DWORD written = 0;
            if (!WriteFile(m_handle, content.data(), piece, &written, nullptr)) {
                raiseError(GetLastError());
            }
            content.remove_prefix(written);
        }
    }
    void flushAndClose()
    {
        if (!FlushFileBuffers(m_handle)) {
            raiseError(GetLastError());
        }
        const HANDLE handle = m_handle;
        m_handle = INVALID_HANDLE_VALUE;
        if (!CloseHandle(handle)) {
            raiseError(GetLastError());
        }
    }
    // Renames the file over `target`; an existing target's attributes and
    // permissions pass to the new file.
    void renameTo(const std::filesystem::path& target, bool exists)
    {
        const bool renamed =
            exists ? ReplaceFileW(target.c_str(), m_path.c_str(), nullptr,
                                  REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)
                   : MoveFileExW(m_path.c_str(), target.c_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
        if (!renamed) {
            raiseError(GetLastError());
        }
        m_renamed = true;
    }

private:
    std::filesystem::path m_path;
    HANDLE m_handle = INVALID_HANDLE_VALUE;
    bool m_renamed = false;
};

// Whether `target` exists; raises for a folder, a device, a read-only file and
// any failure to look at it other than its absence.
bool checkTarget(const std::filesystem::path& target)
{
    const Handle existing(openToLookAt(target));
    if (!existing.valid()) {
        const DWORD error = GetLastError();
        if (isMissing(error)) {
            return false;
        }
        raiseError(error);
    }
    // A console, a device or a pipe is never replaced by a file, nor written to.
    if (GetFileType(existing.get()) != FILE_TYPE_DISK) {
        throw QvError(ErrorCode::BadFileMode, "not a regular file (a device or a pipe)");
    }
    BY_HANDLE_FILE_INFORMATION info = {};
    if (!GetFileInformationByHandle(existing.get(), &info)) {
        raiseError(GetLastError());
    }
    if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        throw QvError(ErrorCode::PathFileAccess, "is a folder");
    }
    // A file the user has made read-only stays as it is.
    if (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) {
        raiseError(ERROR_ACCESS_DENIED);
    }
    return true;
}

} // namespace

void raiseFileError(const std::error_code& error) { raiseError(static_cast<DWORD>(error.value())); }

void replaceFile(const std::filesystem::path& target, std::string_view content)
{
    const bool exists = checkTarget(target);
    TemporaryFile temporary(target);
    temporary.write(content);
    temporary.flushAndClose();
    temporary.renameTo(target, exists);
}

std::string existingFileIdentity(const std::string& path)
{
    const Handle file(openToLookAt(wideOf(path)));
    BY_HANDLE_FILE_INFORMATION info = {};
    if (!file.valid() || !GetFileInformationByHandle(file.get(), &info)) {
        return {};
    }
    const std::uint64_t index = (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow;
    return "file " + std::to_string(info.dwVolumeSerialNumber) + ":" + std::to_string(index);
}

// Windows puts no size limit on a process's files: a full disk is the only
// bound, and it fails the write.
void failWritesPastSizeLimit() {}

void holdClosedStandardStreams()
{
    // A stream the caller closed has no handle; the C library's number of it is
    // held by NUL opened for reading, so no file the program opens takes that
    // number and writing to it fails as writing to a closed stream should.
    for (FILE* stream : {stdin, stdout, stderr}) {
        if (_fileno(stream) < 0 || _get_osfhandle(_fileno(stream)) < 0) {
            (void)std::freopen("NUL", "r", stream);
        }
    }
}

bool standardErrorIsTerminal() { return _isatty(_fileno(stderr)) != 0; }

} // namespace qv::platform
