// The files under the core on the system it runs on: names beyond ASCII, devices,
// and the identity that tells two files apart. Saves that fail for real are in
// FaultInjectionTest.cpp.
#include "core/Errors.h"
#include "core/io/FilePaths.h"
#include "core/io/SafeFileWriter.h"
#include "core/io/TextFile.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace qv {
namespace {

using Names = std::vector<std::string>;

// The code the work raised, 0 when it raised none.
int codeOf(const std::function<void()>& work)
{
    try {
        work();
    } catch (const QvError& e) {
        return e.code();
    }
    return 0;
}

TEST(FileAccess, AFileNamedWithMicroIsReadSavedAndKnownByItsOwnName)
{
    test::TempFiles files;
    const std::string lot = files.write("Breite \xC2\xB5m.csv", "2.51\r\n2.53\r\n");
    const TextFile read = TextFile::read(lot);
    EXPECT_EQ(read.lines(), (std::vector<std::string_view>{"2.51", "2.53"}));

    const std::string project = files.path("Lot 7 \xC2\xB5m.qvw");
    writeFileReplacing(project, "1,1\r\n");
    writeFileReplacing(project, "2,2\r\n");
    EXPECT_EQ(test::fileBytes(project), "2,2\r\n");
    // The names keep their bytes, and no temporary file is left beside them.
    EXPECT_EQ(test::folderNames(files.path("")),
              (Names{"Breite \xC2\xB5m.csv", "Lot 7 \xC2\xB5m.qvw"}));

    // Two spellings of one file are one file, existing or not yet written.
    EXPECT_EQ(fileIdentity(project), fileIdentity(files.path("./Lot 7 \xC2\xB5m.qvw")));
    EXPECT_NE(fileIdentity(project), fileIdentity(lot));
    EXPECT_EQ(fileIdentity(files.path("neu \xC2\xB5.qvw")),
              fileIdentity(files.path("./neu \xC2\xB5.qvw")));
    EXPECT_NE(fileIdentity(files.path("neu \xC2\xB5.qvw")), fileIdentity(project));
}

TEST(FileAccess, ADeviceIsNeitherReadNorReplacedByASave)
{
    // Devices every installation has. (Windows' console, "CON", cannot be opened
    // at all by a program that has none, which the tests may be.)
#if defined(_WIN32)
    const Names devices{"NUL", "nul"};
#else
    const Names devices{"/dev/null", "/dev/zero"};
#endif
    for (const std::string& device : devices) {
        SCOPED_TRACE(device);
        EXPECT_EQ(codeOf([&] { TextFile::read(device); }), ErrorCode::BadFileMode);
        EXPECT_EQ(codeOf([&] { writeFileReplacing(device, "1,1\r\n"); }), ErrorCode::BadFileMode);
    }
}

TEST(FileAccess, AMissingFileOrFolderIsToldApartFromAFolder)
{
    test::TempFiles files;
    const std::string folder = files.path("");
    EXPECT_EQ(codeOf([&] { TextFile::read(files.path("none.csv")); }), ErrorCode::FileNotFound);
    EXPECT_EQ(codeOf([&] { TextFile::read(folder); }), ErrorCode::PathFileAccess);
    EXPECT_EQ(codeOf([&] { writeFileReplacing(folder, "1\r\n"); }), ErrorCode::PathFileAccess);
    EXPECT_EQ(codeOf([&] { writeFileReplacing(files.path("none/lot.qvw"), "1\r\n"); }),
              ErrorCode::PathNotFound);
    EXPECT_EQ(test::folderNames(folder), Names{});
}

} // namespace
} // namespace qv
