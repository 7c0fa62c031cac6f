#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "FuzzCheck.h"

// Drives one API object of a kind without a connection: each line of the input is a message the
// server sends, framed and handed to the object's receive path as its receive thread would after
// a read; the object's sink records and checks every callback. Encryption is switched off again
// after each message (a key exchange in the input makes a session key nobody else knows).
template <class TApi, class TSink>
class DispatchHarness {
public:
    DispatchHarness() : m_pApi(new TApi()) {
        FUZZ_EXPECT(m_pApi->InitForTest());
        m_pApi->RegisterSpi(&m_sink);
    }
    ~DispatchHarness() { m_pApi->Release(); }
    DispatchHarness(const DispatchHarness&) = delete;
    DispatchHarness& operator=(const DispatchHarness&) = delete;

    void Run(const uint8_t* data, size_t size) {
        m_sink.Reset();
        for (std::string_view message : FuzzCheck::Lines(data, size)) {
            const std::string frame = FuzzCheck::Frame(message);
            // Every byte is taken; only "FORCE_LOGOUT" stops the bytes of that read.
            FUZZ_EXPECT(m_pApi->ReceiveForTest(reinterpret_cast<const uint8_t*>(frame.data()), frame.size()) ==
                        (frame.find("FORCE_LOGOUT") == std::string::npos));
            m_pApi->OnResetSystem();
        }
    }

private:
    TApi* m_pApi;
    TSink m_sink;
};

// Checks shared by the sinks: the response info's text is terminated; the data struct is read
// whole (an overrun or an uninitialised hole shows under the sanitizers).
template <class TInfo>
void CheckInfo(const TInfo* info) {
    FUZZ_EXPECT(info != nullptr);
    FUZZ_EXPECT(FuzzCheck::Terminated(info->ErrorMsg, sizeof info->ErrorMsg));
}

template <class TData>
uint32_t Digest(const TData* data) {
    FUZZ_EXPECT(data != nullptr);
    unsigned char copy[sizeof(TData)];
    std::memcpy(copy, data, sizeof copy);
    uint32_t h = 2166136261u;
    for (unsigned char c : copy) h = (h ^ c) * 16777619u;
    return h;
}
