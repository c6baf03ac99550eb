// Checks SingleToText against the exact decimal reference over every single
// of a magnitude range (by default every finite single from 1e-10 to 1e19,
// both signs), plus both zeros, both infinities and every NaN.
//
//   single_to_text_exhaustive [--from M] [--to M] [--stride N] [--threads N] [--print N]
//
// M is a magnitude ("1e-10") or a single's bit pattern ("0x2edbe6ff");
// --stride N checks every Nth bit pattern, NaNs included; --print N caps the
// example lines per decade (all differences are counted). Exit code 1 when
// any difference was found.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "app/heap.h"
#include "app/x87.h"
#include "converter/number_text.h"
#include "tests/exactness/decimal_reference.h"

// The converter's texts come from the program heap; here plain malloc, which
// unlike the tests' counting heap is safe on several threads.
void* AllocateBlock(std::size_t bytes) {
    void* block = std::malloc(bytes == 0 ? 1 : bytes);
    if (block == nullptr) std::abort();
    return block;
}
void FreeBlock(void* block) { std::free(block); }

namespace {

struct Options {
    std::uint32_t from = 0;  // magnitudes, as bit patterns
    std::uint32_t to = 0;
    std::uint32_t stride = 1;
    unsigned threads = 0;
    std::size_t print = 20;
};

struct Difference {
    std::uint32_t bits;
    std::string expected;
    std::string got;
};

// Decade of a magnitude's reference rounding; specials share one group.
constexpr int kSpecialGroup = 1000;

struct Tally {
    std::uint64_t checked = 0;
    std::uint64_t differences = 0;
    std::map<int, std::uint64_t> perGroup;
    std::map<int, std::vector<Difference>> examples;
    bool controlWordKept = true;
};

[[noreturn]] void Usage(const char* problem) {
    std::fprintf(stderr,
                 "%s\nusage: single_to_text_exhaustive [--from M] [--to M] [--stride N] [--threads N] "
                 "[--print N]\n",
                 problem);
    std::exit(2);
}

// The smallest single not below the magnitude (or the largest not above it).
std::uint32_t ParseMagnitude(const char* text, bool roundUp) {
    if (std::strncmp(text, "0x", 2) == 0) return static_cast<std::uint32_t>(std::strtoul(text + 2, nullptr, 16));
    char* end = nullptr;
    const double wanted = std::strtod(text, &end);
    if (end == text || *end != '\0' || !(wanted >= 0) || wanted > 3.5e38) Usage("bad magnitude");
    float single = static_cast<float>(wanted);
    if (roundUp && static_cast<double>(single) < wanted) single = std::nextafter(single, HUGE_VALF);
    if (!roundUp && static_cast<double>(single) > wanted) single = std::nextafter(single, 0.0f);
    return exact::SingleBits(single) & 0x7FFFFFFFu;
}

Options ParseOptions(int argc, char** argv) {
    Options options;
    options.from = ParseMagnitude("1e-10", true);
    options.to = ParseMagnitude("1e19", false);
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (i + 1 >= argc) Usage("missing value");
        const char* value = argv[++i];
        if (name == "--from") {
            options.from = ParseMagnitude(value, true);
        } else if (name == "--to") {
            options.to = ParseMagnitude(value, false);
        } else if (name == "--stride") {
            options.stride = static_cast<std::uint32_t>(std::strtoul(value, nullptr, 10));
        } else if (name == "--threads") {
            options.threads = static_cast<unsigned>(std::strtoul(value, nullptr, 10));
        } else if (name == "--print") {
            options.print = std::strtoul(value, nullptr, 10);
        } else {
            Usage("unknown option");
        }
    }
    if (options.stride == 0) Usage("stride must be at least 1");
    if (options.to > 0x7F7FFFFFu) options.to = 0x7F7FFFFFu;
    if (options.threads == 0) options.threads = std::max(1u, std::thread::hardware_concurrency());
    return options;
}

int GroupOf(std::uint32_t bits) {
    const std::uint32_t magnitude = bits & 0x7FFFFFFFu;
    if (magnitude == 0 || magnitude >= 0x7F800000u) return kSpecialGroup;
    return exact::RoundToSixSignificantDigits(magnitude).exponent;
}

void Check(std::uint32_t bits, const Options& options, Tally& tally) {
    char expected[16];
    const std::size_t expectedLength = exact::TextOfSingle(bits, expected);
    char* got = SingleToText(exact::SingleFromBits(bits));
    const std::size_t gotLength = std::strlen(got);
    ++tally.checked;
    if (gotLength != expectedLength || std::memcmp(got, expected, expectedLength) != 0) {
        ++tally.differences;
        const int group = GroupOf(bits);
        ++tally.perGroup[group];
        std::vector<Difference>& kept = tally.examples[group];
        if (kept.size() < options.print) kept.push_back({bits, std::string(expected, expectedLength), got});
    }
    FreeBlock(got);
}

// Work is handed out in blocks of bit patterns, in ascending order, so that
// each thread's first examples of a decade are its smallest ones.
constexpr std::uint64_t kBlock = 1u << 20;

struct Job {
    std::vector<std::uint32_t> specials;  // zeros, infinities
    std::uint64_t rangeBegin;             // magnitudes [begin, end), stride applied
    std::uint64_t rangeEnd;
    std::uint64_t nanBegin = 0x7F800001u;
    std::uint64_t nanEnd = 0x80000000u;
    std::atomic<std::uint64_t> nextBlock{0};
};

void Worker(Job& job, const Options& options, Tally& tally) {
    // Threads start with the default control word; make sure of it.
    ResetX87();
    tally.controlWordKept = X87ControlWord() == 0x037F;
    const std::uint64_t rangeCount = job.rangeEnd > job.rangeBegin ? job.rangeEnd - job.rangeBegin : 0;
    const std::uint64_t nanCount = job.nanEnd - job.nanBegin;
    const std::uint64_t total = rangeCount + nanCount;
    for (;;) {
        const std::uint64_t block = job.nextBlock.fetch_add(1);
        const std::uint64_t first = block * kBlock;
        if (first >= total) break;
        const std::uint64_t last = std::min(total, first + kBlock);
        for (std::uint64_t index = first; index < last; ++index) {
            if (index % options.stride != 0) continue;
            const std::uint64_t magnitude =
                index < rangeCount ? job.rangeBegin + index : job.nanBegin + (index - rangeCount);
            const std::uint32_t bits = static_cast<std::uint32_t>(magnitude);
            Check(bits, options, tally);
            Check(bits | 0x80000000u, options, tally);
        }
    }
    tally.controlWordKept = tally.controlWordKept && X87ControlWord() == 0x037F;
}

}  // namespace

int main(int argc, char** argv) {
    const Options options = ParseOptions(argc, argv);
    Job job;
    job.rangeBegin = options.from;
    job.rangeEnd = static_cast<std::uint64_t>(options.to) + 1;
    std::printf("magnitudes %.9g (0x%08x) to %.9g (0x%08x), both signs, stride %u, %u threads\n",
                static_cast<double>(exact::SingleFromBits(options.from)), options.from,
                static_cast<double>(exact::SingleFromBits(options.to)), options.to, options.stride,
                options.threads);
    std::fflush(stdout);

    const auto start = std::chrono::steady_clock::now();
    Tally specials;
    ResetX87();
    for (std::uint32_t bits : {0x00000000u, 0x80000000u, 0x7F800000u, 0xFF800000u}) Check(bits, options, specials);

    std::vector<Tally> tallies(options.threads);
    std::vector<std::thread> threads;
    for (unsigned t = 0; t < options.threads; ++t)
        threads.emplace_back(Worker, std::ref(job), std::cref(options), std::ref(tallies[t]));
    for (std::thread& thread : threads) thread.join();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    Tally all = specials;
    for (const Tally& tally : tallies) {
        all.checked += tally.checked;
        all.differences += tally.differences;
        all.controlWordKept = all.controlWordKept && tally.controlWordKept;
        for (const auto& [group, count] : tally.perGroup) all.perGroup[group] += count;
        for (const auto& [group, list] : tally.examples)
            all.examples[group].insert(all.examples[group].end(), list.begin(), list.end());
    }
    for (auto& [group, list] : all.examples) {
        std::sort(list.begin(), list.end(), [](const Difference& a, const Difference& b) {
            const std::uint32_t ma = a.bits & 0x7FFFFFFFu, mb = b.bits & 0x7FFFFFFFu;
            return ma != mb ? ma < mb : a.bits < b.bits;
        });
        if (list.size() > options.print) list.resize(options.print);
    }

    for (const auto& [group, count] : all.perGroup) {
        if (group == kSpecialGroup) {
            std::printf("zeros, infinities, NaNs: %llu differences\n", static_cast<unsigned long long>(count));
        } else {
            std::printf("decade 1e%+d: %llu differences\n", group, static_cast<unsigned long long>(count));
        }
        for (const Difference& d : all.examples[group]) {
            std::printf("  %08x %.9g: expected \"%s\", got \"%s\"\n", d.bits,
                        static_cast<double>(exact::SingleFromBits(d.bits)), d.expected.c_str(), d.got.c_str());
        }
    }
    const bool controlWordStayed = all.controlWordKept;
    if (!controlWordStayed) std::printf("the x87 control word changed during the run\n");
    std::printf("checked %llu values, %llu differences, %.1f s\n", static_cast<unsigned long long>(all.checked),
                static_cast<unsigned long long>(all.differences), seconds);
    return all.differences == 0 && controlWordStayed ? 0 : 1;
}
