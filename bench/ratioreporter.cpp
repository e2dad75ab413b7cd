#include "ratioreporter.h"

#include <cstdio>

namespace vorlan::bench {

void RatioReporter::ReportRuns(const std::vector<Run> &runs) {
    ConsoleReporter::ReportRuns(runs);
    for (const Run &run : runs) {
        const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
        const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
        if (!single && !median) {
            continue;
        }
        const std::string name = run.run_name.function_name;
        const double ms = run.GetAdjustedRealTime() *
                          benchmark::GetTimeUnitMultiplier(benchmark::kMillisecond) /
                          benchmark::GetTimeUnitMultiplier(run.time_unit);
        if (!medians_.count(name)) {
            order_.push_back(name);
        }
        medians_[name] = ms;
    }
}

void RatioReporter::Finalize() {
    ConsoleReporter::Finalize();
    const std::string ours = "/vorlan";
    std::printf("\n%-48s %12s %12s %8s\n", "case (median)", "vorlan ms", "reference ms", "ratio");
    for (const std::string &name : order_) {
        if (name.size() < ours.size() ||
            name.compare(name.size() - ours.size(), ours.size(), ours) != 0) {
            continue;
        }
        const std::string base = name.substr(0, name.size() - ours.size());
        const auto ref = medians_.find(base + "/reference");
        if (ref == medians_.end()) {
            continue;
        }
        const double fast = medians_[name];
        std::printf("%-48s %12.3f %12.3f %7.1fx\n", base.c_str(), fast, ref->second,
                    fast > 0 ? ref->second / fast : 0.0);
    }
    if (!budgetMarker_.empty()) {
        std::printf("\n%-48s %12s %12s\n", "case (median)", "vorlan ms", "budget");
        for (const std::string &name : order_) {
            if (name.find(budgetMarker_) == std::string::npos || name.size() < ours.size() ||
                name.compare(name.size() - ours.size(), ours.size(), ours) != 0) {
                continue;
            }
            const double ms = medians_[name];
            std::printf("%-48s %12.3f %9.0f ms %s\n",
                        name.substr(0, name.size() - ours.size()).c_str(), ms, budgetMs_,
                        ms < budgetMs_ ? "within" : "OVER");
        }
    }
    std::fflush(stdout);
}

} // namespace vorlan::bench
