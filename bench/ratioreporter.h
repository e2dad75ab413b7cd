#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace vorlan::bench {

// Console output as usual, then a table of each fast case beside its
// reference: benchmarks named "<case>/vorlan" and "<case>/reference" are
// paired, and the ratio of their median real times printed.
//
// With a budget set, the "<case>/vorlan" benchmarks whose name holds the
// marker are listed once more, each against the budget.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void setBudget(std::string marker, double ms) {
        budgetMarker_ = std::move(marker);
        budgetMs_ = ms;
    }
    void ReportRuns(const std::vector<Run> &runs) override;
    void Finalize() override;

private:
    std::string budgetMarker_;
    double budgetMs_ = 0;
    std::map<std::string, double> medians_; // benchmark name -> ms
    std::vector<std::string> order_;
};

} // namespace vorlan::bench
