// The future API object's receive path and dispatcher: message cutting, head and body parsing
// and every handler, with a sink that checks each callback.
#include <cstddef>
#include <cstdint>

#include "DispatchHarness.h"
#include "FutureSink.h"
#include "future/CFutureApiImp.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static DispatchHarness<CFutureApiImp, FutureSink> harness;
    harness.Run(data, size);
    return 0;
}
