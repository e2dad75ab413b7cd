#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace vorlan::bench {

// Console output as usual, then a table of each fast case beside its
// reference: benchmarks named "<case>/vorlan" and "<case>/reference" are
// paired, and the ratio of their median real times printed.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override;
    void Finalize() override;

private:
    std::map<std::string, double> medians_; // benchmark name -> ms
    std::vector<std::string> order_;
};

} // namespace vorlan::bench
