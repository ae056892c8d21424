#pragma once
// Compares the corpus folder on disk with the list of files the program was
// built with, file by file, by SHA-256.

#include "core/validation/CorpusManifest.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace qv {

enum class CorpusFileState
{
    Intact,   // present with the built-in checksum
    Changed,  // present with another checksum
    Missing,  // listed but not there (or not readable)
    Unlisted, // there but not listed: not read
};

struct CorpusFileCheck
{
    std::string path;     // relative to the corpus folder
    std::string expected; // the built-in SHA-256; empty for an unlisted file
    std::string actual;   // the SHA-256 on disk; empty when missing
    CorpusFileState state = CorpusFileState::Missing;
};

// Each listed file of `folder` in the order listed, then any unlisted file
// found below it (sorted).
[[nodiscard]] std::vector<CorpusFileCheck> checkCorpus(const std::filesystem::path& folder,
                                                       std::span<const CorpusFile> listed);

// The whole content of `path`, or nothing when it cannot be read.
[[nodiscard]] std::optional<std::string> readWholeFile(const std::filesystem::path& path);

// "intact", "changed", "missing" or "not in the built-in list".
[[nodiscard]] const char* stateName(CorpusFileState state);

} // namespace qv
