// One fuzz target: the build names the entry it runs.
#include "FuzzEntries.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QX574_FUZZ_ENTRY(FuzzInput(data, size));
    return 0;
}
