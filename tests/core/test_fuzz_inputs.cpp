// The fuzz targets' rules, kept by every seed of their corpora and by every
// input that once broke one (tests/data/fuzz/<target>/), fed through the same
// entry points as the fuzz targets.
#include "FuzzEntries.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace qv {
namespace {

namespace fs = std::filesystem;

TEST(FuzzInputs, EverySeedAndEveryFoundInputKeepsTheRulesOfItsTarget)
{
    int inputs = 0;
    for (const fuzz::NamedEntry& target : fuzz::entries()) {
        for (const fs::path& folder : {fs::path(QV_FUZZ_DIR) / "corpus" / target.name,
                                       fs::path(QV_TEST_DATA_DIR) / "fuzz" / target.name}) {
            if (!fs::is_directory(folder)) {
                continue;
            }
            for (const auto& file : fs::directory_iterator(folder)) {
                SCOPED_TRACE(file.path().string());
                std::ostringstream bytes;
                bytes << std::ifstream(file.path(), std::ios::binary).rdbuf();
                try {
                    target.entry(bytes.str());
                } catch (const std::exception& e) {
                    ADD_FAILURE() << e.what();
                }
                ++inputs;
            }
        }
    }
    EXPECT_GE(inputs, 50);
}

} // namespace
} // namespace qv
