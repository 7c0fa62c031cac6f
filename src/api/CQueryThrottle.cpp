#include "api/CQueryThrottle.h"

#include "net/CAsynSocket.h"

bool CQueryThrottle::TryPass() {
    for (;;) {
        int64_t last = m_lLast;
        if (CAsynSocket::NowMs() <= last + 999) return false;
        // The clock is read again for the stored value; losing the race to another thread means
        // that thread's query was accepted just now, so look again (and refuse).
        if (m_lLast.CompareExchange(last, CAsynSocket::NowMs())) return true;
    }
}
