#pragma once

#include <cstdint>

#include "DispatchHarness.h"
#include "QuintaraApi.h"

// An IFutureEvent that checks and counts every callback.
class FutureSink : public Quintara::IFutureEvent {
public:
    void Reset() { m_nCalls = 0; }

    void OnRspNeedVerify(bool, bool) override { ++m_nCalls; }
#define QUINTARA_FUZZ_STATUS(Name)                                       \
    void Name(Quintara::CFutureRspInfoField* info, int, bool) override { \
        CheckInfo(info);                                                 \
        ++m_nCalls;                                                      \
    }
    QUINTARA_FUZZ_STATUS(OnRspUserLogin)
    QUINTARA_FUZZ_STATUS(OnRspUserLogout)
    QUINTARA_FUZZ_STATUS(OnRspVerifyCode)
    QUINTARA_FUZZ_STATUS(OnRspSafeVerify)
    QUINTARA_FUZZ_STATUS(OnRspSetVerifyQA)
#undef QUINTARA_FUZZ_STATUS
#define QUINTARA_FUTURE_DATA_CALLBACK(Name, Type)                                              \
    void Name(Quintara::Type* data, Quintara::CFutureRspInfoField* info, int, bool) override { \
        CheckInfo(info);                                                                       \
        m_nDigest ^= Digest(data);                                                             \
        ++m_nCalls;                                                                            \
    }
#include "support/FutureCallbacks.inc"
#undef QUINTARA_FUTURE_DATA_CALLBACK

private:
    uint64_t m_nCalls = 0;
    uint32_t m_nDigest = 0;
};
