// Creates the three API objects, prints their versions and the log folder, and releases them.
#include <QuintaraApi.h>
#include <unistd.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    const std::string folder = argc > 1 ? argv[1] : "";
    Quintara::CStockApi* stock = Quintara::CStockApi::CreateStockApi(true, "stock.log", folder.c_str());
    Quintara::CFutureApi* future = Quintara::CFutureApi::CreateFutureApi(true, "future.log", folder.c_str());
    Quintara::CMarketApi* market = Quintara::CMarketApi::CreateMarketApi(true, "market.log");
    std::printf("CStockApi  version %s\n", Quintara::CStockApi::GetVersion());
    std::printf("CFutureApi version %s\n", Quintara::CFutureApi::GetVersion());
    std::printf("CMarketApi version %s\n", Quintara::CMarketApi::GetVersion());
    char cwd[4096] = "";
    if (getcwd(cwd, sizeof cwd) == nullptr) cwd[0] = '\0';
    std::printf("log folder: %s\n", folder.empty() ? (std::string(cwd) + "/CoreLog").c_str() : folder.c_str());
    stock->Release();
    future->Release();
    market->Release();
    return 0;
}
