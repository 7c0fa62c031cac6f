#include "SummaryReporter.h"

#include <sys/utsname.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <thread>

namespace {

// What each benchmark measures, the unit of its rate and the target, if one is set.
struct RowInfo {
    const char* name;
    const char* what;
    const char* unit;
    const char* rateCounter;  // the counter that holds the rate shown
    double minRate;           // 0: no rate target
    double maxNsPerItem;      // 0: no time target
    bool zeroAllocations;     // target: no heap allocation per message
};

const RowInfo kRows[] = {
    {"BM_QuoteFull/log:0", "full quotes (42 items, 5 levels), in process", "quotes", "items_per_second", 2e6, 500,
     true},
    {"BM_QuoteFull/log:1", "the same, logging on", "quotes", "items_per_second", 0, 0, true},
    {"BM_QuoteUpdateY/log:0", "'Y' updates, in process", "quotes", "items_per_second", 0, 0, true},
    {"BM_QuoteBatch100/log:0", "full quotes in compressed batches of 100", "quotes", "items_per_second", 0, 0, true},
    {"BM_ListHoldStLs", "\"HoldStLs\" answer of 1,000 records", "records", "records", 0, 0, true},
    {"BM_ListOrdeStLs", "\"OrdeStLs\" answer of 1,000 records", "records", "records", 0, 0, true},
    {"BM_StockPushes", "stock pushes (status, fill, position, capital)", "pushes", "items_per_second", 0, 0, true},
    {"BM_EncryptedPush256", "256-byte encrypted pushes, decrypted", "pushes", "items_per_second", 0, 0, true},
    {"BM_ReqOrderInsert/real_time", "ReqOrderInsert over loopback", "calls", "items_per_second", 3e5, 0, false},
    {"BM_EndToEndSdk/real_time", "end to end over loopback: market object", "quotes", "items_per_second", 0, 0, true},
    {"BM_EndToEndRaw/real_time", "end to end over loopback: plain read loop", "quotes", "items_per_second", 0, 0,
     false},
};

const RowInfo* Find(const std::string& name) {
    for (const RowInfo& row : kRows)
        if (name == row.name) return &row;
    return nullptr;
}

std::string CpuModel() {
    std::ifstream in("/proc/cpuinfo");
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("model name", 0) == 0) {
            const size_t colon = line.find(':');
            return colon == std::string::npos ? line : line.substr(colon + 2);
        }
    }
    return "unknown";
}

std::string LoadAverage() {
    std::ifstream in("/proc/loadavg");
    std::string one, five, fifteen;
    in >> one >> five >> fifteen;
    return one + " " + five + " " + fifteen;
}

double CounterOf(const benchmark::BenchmarkReporter::Run& run, const char* name) {
    const auto it = run.counters.find(name);
    return it == run.counters.end() ? -1.0 : static_cast<double>(it->second);
}

std::string Rate(double perSecond) {
    char text[32];
    if (perSecond >= 1e6)
        std::snprintf(text, sizeof text, "%.2f M/s", perSecond / 1e6);
    else
        std::snprintf(text, sizeof text, "%.1f k/s", perSecond / 1e3);
    return text;
}

const char* kLine =
    "------------------------------------------------------------------------------------------------------------------"
    "------------\n";

}  // namespace

bool SummaryReporter::ReportContext(const Context&) {
    utsname system{};
    uname(&system);
    std::printf("Machine: %s, %u cores, %s %s, compiler %s\n", CpuModel().c_str(), std::thread::hardware_concurrency(),
                system.sysname, system.release, __VERSION__);
    std::printf("Load average at start: %s\n", LoadAverage().c_str());
    std::printf("%s", kLine);
    std::printf("%-48s %12s %11s %10s %11s %9s %9s  %s\n", "benchmark", "rate", "ns/item", "MB/s", "allocs/msg",
                "median", "cpu/item", "target");
    std::printf("%s", kLine);
    std::fflush(stdout);
    return true;
}

void SummaryReporter::ReportRuns(const std::vector<Run>& runs) {
    for (const Run& run : runs) {
        if (run.run_type != Run::RT_Iteration) continue;
        const std::string name = run.benchmark_name();
        const RowInfo* row = Find(name);
        const std::string label = row != nullptr ? row->what : name;
        if (run.error_occurred) {
            m_bFailed = true;
            std::printf("%-48s FAILED: %s\n", label.c_str(), run.error_message.c_str());
            continue;
        }
        const double rate = CounterOf(run, row != nullptr ? row->rateCounter : "items_per_second");
        const double bytes = CounterOf(run, "bytes_per_second");
        const double allocs = CounterOf(run, "allocs_per_msg");
        const double median = CounterOf(run, "median_ns");
        const double cpuPerItem = CounterOf(run, "process_cpu_ns_per_msg");
        m_mapRate[name] = rate;
        const double nsPerItem = rate > 0 ? 1e9 / rate : 0;

        std::string target;
        if (row != nullptr) {
            bool met = true;
            if (row->minRate > 0) {
                target += ">= " + Rate(row->minRate);
                met = met && rate >= row->minRate;
            }
            if (row->maxNsPerItem > 0) {
                target += (target.empty() ? "" : ", ") + std::string("<= ") +
                          std::to_string(static_cast<int>(row->maxNsPerItem)) + " ns";
                met = met && nsPerItem <= row->maxNsPerItem;
            }
            if (row->zeroAllocations) {
                target += (target.empty() ? "" : ", ") + std::string("0 allocs");
                met = met && allocs == 0;
            }
            if (!target.empty()) target += met ? ": met" : ": NOT met";
        }
        char mb[16] = "";
        if (bytes > 0) std::snprintf(mb, sizeof mb, "%.0f", bytes / 1e6);
        char al[16] = "";
        if (allocs >= 0) std::snprintf(al, sizeof al, "%.3g", allocs);
        char med[16] = "";
        if (median >= 0) std::snprintf(med, sizeof med, "%.0f ns", median);
        char cpu[16] = "";
        if (cpuPerItem >= 0) std::snprintf(cpu, sizeof cpu, "%.0f ns", cpuPerItem);
        std::printf("%-48s %5s %-6s %11.0f %10s %11s %9s %9s  %s\n", label.c_str(), Rate(rate).c_str(),
                    row != nullptr ? row->unit : "", nsPerItem, mb, al, med, cpu, target.c_str());
    }
    std::fflush(stdout);
}

void SummaryReporter::Finalize() {
    std::printf("%s", kLine);
    const auto ratio = [this](const char* what, const char* a, const char* b, const char* goal) {
        const auto ia = m_mapRate.find(a);
        const auto ib = m_mapRate.find(b);
        if (ia == m_mapRate.end() || ib == m_mapRate.end() || ib->second <= 0) return;
        const double r = ia->second / ib->second;
        std::printf("%-48s %11.2f", what, r);
        if (goal != nullptr) std::printf("   target %s: %s", goal, r >= 0.40 ? "met" : "NOT met");
        std::printf("\n");
    };
    ratio("ratio end to end, market object / plain loop", "BM_EndToEndSdk/real_time", "BM_EndToEndRaw/real_time",
          ">= 0.40");
    ratio("ratio full quotes, logging on / off", "BM_QuoteFull/log:1", "BM_QuoteFull/log:0", nullptr);
    ratio("ratio full quotes, batches of 100 / single", "BM_QuoteBatch100/log:0", "BM_QuoteFull/log:0", nullptr);
    ratio("ratio 'Y' updates / full quotes", "BM_QuoteUpdateY/log:0", "BM_QuoteFull/log:0", nullptr);
    std::printf("Load average at end: %s\n", LoadAverage().c_str());
    std::fflush(stdout);
}
