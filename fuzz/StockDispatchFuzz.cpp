// The stock API object's receive path and dispatcher: message cutting, head and body parsing
// and every handler, with a sink that checks each callback.
#include <cstddef>
#include <cstdint>

#include "DispatchHarness.h"
#include "StockSink.h"
#include "stock/CStockApiImp.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static DispatchHarness<CStockApiImp, StockSink> harness;
    harness.Run(data, size);
    return 0;
}
