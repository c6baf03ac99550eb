// Splits a callgrind profile of conversion_cost into the instructions of
// whole conversions and the part of them spent in the converter's own code,
// that is outside the stand-in window kit and the test heap.
//
//   callgrind_split <callgrind.out> <driver> <converter names> <kit names>
//
// Calls from any function whose name contains <driver> are the conversions.
//
// The profile must be written with --compress-strings=no and
// --compress-pos=no. The name files hold one demangled function name a
// line, as `nm -C` prints them. A converter function's cost is its own
// instructions plus whatever it calls outside the converter and the kit
// (the C library's strlen and memcpy, say); what it asks of the kit, with
// everything below that, is the kit's.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <string>

namespace {

std::set<std::string> ReadNames(const char* path) {
    std::set<std::string> names;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);)
        if (!line.empty()) names.insert(line);
    return names;
}

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

struct Edge {
    unsigned long long calls = 0;
    unsigned long long inclusive = 0;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: callgrind_split <callgrind.out> <driver> <converter names> <kit names>\n");
        return 2;
    }
    std::ifstream in(argv[1]);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 2;
    }
    const std::string driver = argv[2];
    const std::set<std::string> converter = ReadNames(argv[3]);
    const std::set<std::string> kit = ReadNames(argv[4]);

    std::map<std::string, unsigned long long> self;
    std::map<std::pair<std::string, std::string>, Edge> edges;
    std::string function, callee;
    bool callPending = false;
    unsigned long long pendingCalls = 0;
    for (std::string line; std::getline(in, line);) {
        if (line.empty()) continue;
        const char first = line[0];
        if (StartsWith(line, "fn=")) {
            function = line.substr(3);
        } else if (StartsWith(line, "cfn=")) {
            callee = line.substr(4);
        } else if (StartsWith(line, "calls=")) {
            callPending = true;
            pendingCalls = std::stoull(line.substr(6));
        } else if ((first >= '0' && first <= '9') || first == '+' || first == '-' || first == '*') {
            std::istringstream fields(line);
            std::string position;
            unsigned long long cost = 0;
            fields >> position >> cost;
            if (callPending) {
                Edge& edge = edges[{function, callee}];
                edge.calls += pendingCalls;
                edge.inclusive += cost;
                callPending = false;
            } else {
                self[function] += cost;
            }
        }
    }

    unsigned long long conversions = 0, total = 0;
    for (const auto& [ends, edge] : edges) {
        if (ends.first.find(driver) == std::string::npos) continue;
        conversions += edge.calls;
        total += edge.inclusive;
    }
    unsigned long long own = 0;
    for (const auto& [name, cost] : self)
        if (converter.count(name) != 0) own += cost;
    for (const auto& [ends, edge] : edges)
        if (converter.count(ends.first) != 0 && converter.count(ends.second) == 0 && kit.count(ends.second) == 0)
            own += edge.inclusive;
    if (conversions == 0) {
        std::fprintf(stderr, "no calls from %s in %s\n", driver.c_str(), argv[1]);
        return 1;
    }
    const double n = static_cast<double>(conversions);
    std::printf("conversions %llu\n", conversions);
    std::printf("instructions_per_conversion total %.1f\n", static_cast<double>(total) / n);
    std::printf("instructions_per_conversion converter %.1f\n", static_cast<double>(own) / n);
    std::printf("instructions_per_conversion kit %.1f\n", static_cast<double>(total - own) / n);
    return 0;
}
