// Quintara trading SDK: the public interface of libquintara.so.
//
//   CStockApi  / IStockEvent   Hong Kong and US stock trading
//   CFutureApi / IFutureEvent  futures trading
//   CMarketApi / IMarketEvent  real-time quotes, broker data and trade dates
//
// Each API object owns one TCP connection and one receive thread. Requests return 1 (handed to the
// connection) or 0 (refused; the reason is in the request struct's ErrorMsg) at once; answers and
// pushes arrive as callbacks on the registered event interface, on the receive thread.
// This header is self-contained and compiles as C++11.
#ifndef QUINTARA_API_H
#define QUINTARA_API_H

#include "QuintaraDefine.h"
#include "QuintaraFutureApi.h"
#include "QuintaraMarketApi.h"
#include "QuintaraStockApi.h"

#endif  // QUINTARA_API_H
