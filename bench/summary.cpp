// rankhall-bench-summary: the short table of the `bench` target. Reads the JSON files Google
// Benchmark wrote, prints each load against the bare parse of the same bytes, the growth from 200
// to 2000 entrants, the after-score and window figures against their targets, and measures the
// peak memory (the child's ru_maxrss) of rankhall-cli on a generated 2000 x 40 tournament.
//
// Usage: rankhall-bench-summary [--cpu] [--cli PATH] JSON...
#include "bench_support.h"

#include <nlohmann/json.hpp>

#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <map>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

// Time per iteration in milliseconds, by benchmark name ("BM_Load_Team/entrants:200/..."): the
// real (wall-clock) time, and the CPU time of the benchmark's thread. On a quiet machine the two
// agree except where the work waits for the disk; on a busy one the real time also counts the
// time the thread waited for a core.
struct Time {
    double real = 0;
    double cpu = 0;
};
using Times = std::map<std::string, Time>;

// Which of the two the tables compare; --cpu picks the CPU time.
bool g_useCpu = false;

double toMs(double value, const std::string& unit) {
    if (unit == "ns")
        return value / 1e6;
    if (unit == "us")
        return value / 1e3;
    if (unit == "s")
        return value * 1e3;
    return value;
}

void readJson(const std::string& path, Times& times) {
    std::ifstream in(path);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        return;
    }
    nlohmann::json doc = nlohmann::json::parse(in, nullptr, false);
    if (doc.is_discarded() || !doc.contains("benchmarks"))
        return;
    for (const auto& b : doc["benchmarks"]) {
        if (b.value("run_type", "") != "iteration" || b.contains("error_occurred"))
            continue;
        std::string unit = b.value("time_unit", std::string("ns"));
        times[b.value("name", "")] =
            Time{toMs(b.value("real_time", 0.0), unit), toMs(b.value("cpu_time", 0.0), unit)};
    }
}

std::string shapeName(int entrants, int rounds) {
    return "entrants:" + std::to_string(entrants) + "/rounds:" + std::to_string(rounds);
}

const double* find(const Times& t, const std::string& name) {
    auto it = t.find(name);
    if (it == t.end())
        return nullptr;
    return g_useCpu ? &it->second.cpu : &it->second.real;
}

std::string fmtMs(const double* ms) {
    if (!ms)
        return "-";
    char buf[32];
    std::snprintf(buf, sizeof buf, *ms < 1 ? "%.4f" : "%.2f", *ms);
    return buf;
}

const char* verdict(bool met) {
    return met ? "met" : "MISSED";
}

void loadTable(const Times& t) {
    std::printf(
        "\nLoad against the bare pugixml parse of the same bytes (ms; target: at most 2x)\n");
    std::printf("%-12s %8s %6s %10s %10s %7s  %s\n", "kind", "entrants", "rounds", "load", "parse",
                "ratio", "target");
    for (const char* kind : {"Progressive", "Team"})
        for (int e : {24, 200, 2000})
            for (int r : {8, 20, 40}) {
                std::string shape = shapeName(e, r);
                const double* load = find(t, std::string("BM_Load_") + kind + "/" + shape);
                const double* parse = find(t, std::string("BM_BareParse_") + kind + "/" + shape);
                if (!load || !parse)
                    continue;
                double ratio = *load / *parse;
                std::printf("%-12s %8d %6d %10s %10s %7.2f  %s\n", kind, e, r, fmtMs(load).c_str(),
                            fmtMs(parse).c_str(), ratio, verdict(ratio <= 2.0));
            }
}

void growthTable(const Times& t) {
    std::printf("\nGrowth from 200 to 2000 entrants (ms; 10x the entrants: 10 = linear)\n");
    std::printf("%-32s %6s %10s %10s %7s\n", "benchmark", "rounds", "200", "2000", "ratio");
    std::map<std::string, bool> seen;
    for (const auto& entry : t) {
        const std::string& name = entry.first;
        auto slash = name.find('/');
        if (slash == std::string::npos)
            continue;
        std::string base = name.substr(0, slash);
        for (int r : {20, 40}) {
            std::string key = base + "/" + std::to_string(r);
            if (seen[key])
                continue;
            const double* a = find(t, base + "/" + shapeName(200, r));
            const double* b = find(t, base + "/" + shapeName(2000, r));
            if (!a && !b && r == 20) {
                a = find(t, base + "/rows:200");
                b = find(t, base + "/rows:2000");
            }
            if (!a || !b)
                continue;
            seen[key] = true;
            std::printf("%-32s %6d %10s %10s %7.1f\n", base.c_str(), r, fmtMs(a).c_str(),
                        fmtMs(b).c_str(), *b / *a);
        }
    }
}

void targetRow(const Times& t, const std::string& what, const std::string& name, double limit) {
    const double* ms = find(t, name);
    std::printf("%-46s %10s  < %5.1f ms  %s\n", what.c_str(), fmtMs(ms).c_str(), limit,
                ms ? verdict(*ms < limit) : "not measured");
}

void targetTable(const Times& t) {
    std::printf("\nTargets (ms per refresh)\n");
    for (int r : {8, 20, 40}) {
        std::string rr = std::to_string(r);
        targetRow(t, "every view after one score, 200 x " + rr,
                  "BM_AfterScoreAll/" + shapeName(200, r), 0.2);
        targetRow(t, "every view after one score, 2000 x " + rr,
                  "BM_AfterScoreAll/" + shapeName(2000, r), 4.0);
    }
    targetRow(t, "window refresh after one score, 200 x 20",
              "BM_WindowRefresh/" + shapeName(200, 20), 16.0);
    targetRow(t, "standings grid rebuilt and painted, 200 rows", "BM_LeaderGridRefresh/rows:200",
              16.0);
}

struct Run {
    int status = -1;
    long maxRssKb = 0;
};

Run runQuiet(const std::vector<std::string>& args) {
    Run run;
    pid_t pid = ::fork();
    if (pid < 0)
        return run;
    if (pid == 0) {
        int null = ::open("/dev/null", O_WRONLY);
        if (null >= 0) {
            ::dup2(null, 1);
            ::dup2(null, 2);
        }
        std::vector<char*> argv;
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    int status = 0;
    struct rusage usage {};
    if (::wait4(pid, &status, 0, &usage) == pid) {
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        run.maxRssKb = usage.ru_maxrss;
    }
    return run;
}

void peakMemory(const std::string& cli) {
    rh::test::TempDir dir;
    std::string file = (dir / "big2000x40.qmc").string();
    rh::test::writeFile(file, rh::bench::fileBytesFor({rh::test::Kind::Progressive, 2000, 40}));
    std::printf("\nPeak memory of rankhall-cli on a generated 2000 x 40 file (target: < 128 MB)\n");
    std::string command = "report";
    Run run = runQuiet({cli, "report", file});
    if (run.status == 2 || run.status == 127) {
        command = "check";
        std::printf("(this rankhall-cli has no report command: measuring check instead)\n");
        run = runQuiet({cli, "check", file});
    }
    double mb = static_cast<double>(run.maxRssKb) / 1024.0;
    std::printf("rankhall-cli %-6s exit %d  peak %.1f MB  %s\n", command.c_str(), run.status, mb,
                run.status == 0 ? verdict(mb < 128.0) : "FAILED");
}

} // namespace

int main(int argc, char** argv) {
    std::string cli;
    Times times;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--cpu")
            g_useCpu = true;
        else if (arg == "--cli" && i + 1 < argc)
            cli = argv[++i];
        else
            readJson(arg, times);
    }
    std::printf("Times are %s per iteration.\n",
                g_useCpu ? "CPU time of the benchmark's thread" : "real (wall-clock) time");
    loadTable(times);
    growthTable(times);
    targetTable(times);
    if (!cli.empty())
        peakMemory(cli);
    return 0;
}
