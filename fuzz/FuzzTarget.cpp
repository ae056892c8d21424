// One libFuzzer target: the entry named by QV_FUZZ_ENTRY. A broken rule of the
// entry, or any exception that escapes it, ends the run as a crash with its input.
#include "FuzzEntries.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

qv::fuzz::Entry chosenEntry()
{
    for (const qv::fuzz::NamedEntry& named : qv::fuzz::entries()) {
        if (std::string_view(named.name) == QV_FUZZ_ENTRY) {
            return named.entry;
        }
    }
    std::fprintf(stderr, "no fuzz entry named %s\n", QV_FUZZ_ENTRY);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const qv::fuzz::Entry entry = chosenEntry();
    try {
        entry(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const qv::fuzz::FuzzFailure& failure) {
        std::fprintf(stderr, "rule broken: %s\n", failure.what());
        std::abort();
    }
    return 0;
}
