#pragma once

#include <cstdint>

#include "DispatchHarness.h"
#include "QuintaraApi.h"

// An IStockEvent that checks and counts every callback.
class StockSink : public Quintara::IStockEvent {
public:
    void Reset() { m_nCalls = 0; }

    void OnRspNeedVerify(bool, bool) override { ++m_nCalls; }
#define QUINTARA_FUZZ_STATUS(Name)                                      \
    void Name(Quintara::CStockRspInfoField* info, int, bool) override { \
        CheckInfo(info);                                                \
        ++m_nCalls;                                                     \
    }
    QUINTARA_FUZZ_STATUS(OnRspUserLogin)
    QUINTARA_FUZZ_STATUS(OnRspUserLogout)
    QUINTARA_FUZZ_STATUS(OnRspVerifyCode)
    QUINTARA_FUZZ_STATUS(OnRspSafeVerify)
    QUINTARA_FUZZ_STATUS(OnRspSetVerifyQA)
#undef QUINTARA_FUZZ_STATUS
#define QUINTARA_STOCK_DATA_CALLBACK(Name, Type)                                              \
    void Name(Quintara::Type* data, Quintara::CStockRspInfoField* info, int, bool) override { \
        CheckInfo(info);                                                                      \
        m_nDigest ^= Digest(data);                                                            \
        ++m_nCalls;                                                                           \
    }
#include "support/StockCallbacks.inc"
#undef QUINTARA_STOCK_DATA_CALLBACK

private:
    uint64_t m_nCalls = 0;
    uint32_t m_nDigest = 0;
};
