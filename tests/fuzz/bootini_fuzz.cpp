// Any bytes as boot.ini: reading never fails, and a rewrite with the file's
// own default and wait keeps its promise.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "../boot/round_trip.h"
// Compiled here so that the fuzzer's coverage reaches the reader and the
// rewriter; the library's copy is then never linked in.
#include "../../tarvic/boot/bootini.cpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::size_t pick = data[0];
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::string fault = roundtrip::fault(text, pick);
    if (!fault.empty()) {
        std::fprintf(stderr, "round trip broken: %s\n", fault.c_str());
        std::abort();
    }
    return 0;
}
