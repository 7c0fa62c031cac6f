#pragma once

#include <cstdint>

#include "foundation/CLockLong.h"

// One accepted query per second of one kind on one object. Two threads that query at the same
// instant cannot both pass: the last-query time is claimed with a compare-and-swap.
class CQueryThrottle {
public:
    // True (and the time stored, before anything is sent) when at least 1000 ms have passed since
    // the last accepted query of this kind.
    bool TryPass();
    int64_t Last() const { return m_lLast; }

private:
    CLockLong m_lLast;
};
