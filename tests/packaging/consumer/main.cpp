// A tiny application built against the installed library (compiled as C++11).
#include <QuintaraApi.h>

#include <cstdio>
#include <cstring>

int main() {
    Quintara::CStockApi* stock = Quintara::CStockApi::CreateStockApi(false, "consumer.log", "");
    Quintara::CFutureApi* future = Quintara::CFutureApi::CreateFutureApi(false, "consumer.log", "");
    Quintara::CMarketApi* market = Quintara::CMarketApi::CreateMarketApi(false, "consumer.log");
    if (stock == NULL || future == NULL || market == NULL) return 1;
    std::printf("stock %s\nfuture %s\nmarket %s\n", Quintara::CStockApi::GetVersion(),
                Quintara::CFutureApi::GetVersion(), Quintara::CMarketApi::GetVersion());
    stock->Release();
    future->Release();
    market->Release();
    return std::strcmp(Quintara::CStockApi::GetVersion(), "1.18.2.0") == 0 ? 0 : 2;
}
