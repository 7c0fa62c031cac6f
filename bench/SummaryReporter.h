#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

// Prints the results as one table: the machine first, then one row per benchmark (rate, time per
// item, throughput, heap allocations per message, the target where one is set), then the ratios.
// Remembers whether any benchmark failed, so that the run can fail (times never fail it).
class SummaryReporter : public benchmark::BenchmarkReporter {
public:
    bool ReportContext(const Context& context) override;
    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;

    bool Failed() const { return m_bFailed; }

private:
    bool m_bFailed = false;
    std::map<std::string, double> m_mapRate;  // benchmark name -> items per second
};
