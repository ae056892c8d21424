#pragma once
// Files the operating system treats apart, made the way each system makes them:
// a file that is not a regular file, and a
// folder in which no new file may be made. The checks that use them are the
// same on every system.

#include <filesystem>
#include <string>

#if defined(_WIN32)
#include <aclapi.h>
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace qv::test {

// A path that names no regular file: a FIFO made in `folder`, whose reading would
// wait for a writer, or on Windows the device "NUL", which every process may open.
inline std::string devicePath(const std::filesystem::path& folder)
{
#if defined(_WIN32)
    (void)folder;
    return "NUL";
#else
    const std::string fifo = (folder / "pipe.csv").string();
    return ::mkfifo(fifo.c_str(), 0600) == 0 ? fifo : std::string();
#endif
}

// Refuses (`refuse` true) or allows again the making of files in `folder`, for
// everyone but an administrator: write permission taken from the folder, or on
// Windows an entry of its access list denying everyone to add a file or a folder.
// Whether it took.
inline bool refuseNewFiles(const std::filesystem::path& folder, bool refuse)
{
#if defined(_WIN32)
    wchar_t everyone[] = L"EVERYONE";
    EXPLICIT_ACCESSW entries[2] = {};
    entries[0].grfAccessPermissions = FILE_ADD_FILE | FILE_ADD_SUBDIRECTORY;
    entries[0].grfAccessMode = DENY_ACCESS;
    entries[1].grfAccessPermissions = GENERIC_ALL;
    entries[1].grfAccessMode = GRANT_ACCESS;
    for (EXPLICIT_ACCESSW& entry : entries) {
        entry.Trustee.TrusteeForm = TRUSTEE_IS_NAME;
        entry.Trustee.TrusteeType = TRUSTEE_IS_WELL_KNOWN_GROUP;
        entry.Trustee.ptstrName = everyone;
    }
    PACL list = nullptr;
    if (SetEntriesInAclW(refuse ? 2 : 1, refuse ? entries : entries + 1, nullptr, &list) !=
        ERROR_SUCCESS) {
        return false;
    }
    std::wstring name = folder.wstring();
    const DWORD done = SetNamedSecurityInfoW(
        name.data(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
        nullptr, nullptr, list, nullptr);
    LocalFree(list);
    return done == ERROR_SUCCESS;
#else
    std::error_code ec;
    std::filesystem::permissions(
        folder, refuse ? std::filesystem::perms(0555) : std::filesystem::perms::owner_all, ec);
    return !ec;
#endif
}

} // namespace qv::test
