// Creates the stock, futures and market API objects with logging on, prints their versions and
// the folder they log into, and releases them.
//
// usage: versions [LOG_FOLDER]
//   LOG_FOLDER is where the stock and futures objects log (default ./CoreLog); the market object
//   always logs into ./CoreLog. Each object writes into the day folder yyyymmdd below.
#include <QuintaraApi.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>
#include <string>

namespace {

std::string CurrentFolder() {
    char cwd[4096];
    return getcwd(cwd, sizeof cwd) != nullptr ? std::string(cwd) : std::string(".");
}

std::string Today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char day[16];
    std::strftime(day, sizeof day, "%Y%m%d", &local);
    return day;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string folder = argc > 1 ? argv[1] : "";
    Quintara::CStockApi* stock = Quintara::CStockApi::CreateStockApi(true, "stock.log", folder.c_str());
    Quintara::CFutureApi* future = Quintara::CFutureApi::CreateFutureApi(true, "future.log", folder.c_str());
    Quintara::CMarketApi* market = Quintara::CMarketApi::CreateMarketApi(true, "market.log");
    if (stock == nullptr || future == nullptr || market == nullptr) {
        std::fprintf(stderr, "an API object could not be created\n");
        return 1;
    }

    std::printf("CStockApi  version %s\n", Quintara::CStockApi::GetVersion());
    std::printf("CFutureApi version %s\n", Quintara::CFutureApi::GetVersion());
    std::printf("CMarketApi version %s\n", Quintara::CMarketApi::GetVersion());

    const std::string defaultFolder = CurrentFolder() + "/CoreLog";
    const std::string tradingFolder = folder.empty() ? defaultFolder : folder;
    std::printf("stock and futures log folder: %s/%s\n", tradingFolder.c_str(), Today().c_str());
    std::printf("market log folder:            %s/%s\n", defaultFolder.c_str(), Today().c_str());

    stock->Release();
    future->Release();
    market->Release();
    return 0;
}
