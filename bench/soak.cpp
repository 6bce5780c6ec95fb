// The soak: a million ticks through the handlers, headless, with random
// edits, mode changes, starts, stops and resets between them, as a student
// left alone with the window might make them. Every error is caught as the
// window's guard would catch it and counted by kind.
//
// It fails (exit status 1) when the memory held after the first hundred
// thousand ticks has grown by the end, when a field of SimState holds an
// infinity or a NaN, or when an error is not one of the known kinds with its
// message.
//
//   tarvinel_soak [--ticks N] [--seed S] [--every N]
//
// Before the random part a warm-up runs the largest run the edits can make
// (L = 3000) from start to end, so that both series reach the largest
// storage they will ever need: Clear keeps the storage for the next fill.
#include <malloc.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <string_view>

#include "alloc_counter.hpp"
#include "handler_checks.hpp"
#include "headless_world.hpp"
#include "numeric/errors.hpp"

namespace tarvinel::bench {
namespace {

struct Options {
    std::uint64_t ticks = 1'000'000;
    std::uint64_t seed = 1;
    std::uint64_t every = 100'000;  // memory is sampled this often
};

struct MemorySample {
    std::uint64_t ticks = 0;
    std::int64_t rssBytes = 0;
    std::int64_t heapBytes = 0;  // in use by malloc, mmapped blocks included
    std::int64_t newBytes = 0;   // in use through operator new
    std::uint64_t allocations = 0;
};

std::int64_t residentBytes()
{
    std::ifstream statm("/proc/self/statm");
    std::int64_t size = 0, resident = 0;
    statm >> size >> resident;
    return resident * static_cast<std::int64_t>(sysconf(_SC_PAGESIZE));
}

MemorySample sampleMemory(std::uint64_t ticks)
{
    const struct mallinfo2 info = mallinfo2();
    const AllocStats alloc = allocStats();
    return {ticks, residentBytes(), static_cast<std::int64_t>(info.uordblks + info.hblkhd), alloc.liveBytes,
            alloc.allocations};
}

double kib(std::int64_t bytes) { return static_cast<double>(bytes) / 1024.0; }

// Random texts for the eight parameter boxes: mostly a plausible value with
// a decimal comma, sometimes a value at or past an edge of the model, now
// and then a text that does not convert.
class EditMaker {
public:
    explicit EditMaker(std::uint64_t seed) : rng_(seed) {}

    struct Edit {
        EditBox box;
        std::string text;
        bool plausible;
    };

    // A text for a box chosen at random: plausible, at an edge, or refused.
    Edit next()
    {
        const auto box = static_cast<EditBox>(pick(kRanges.size()));
        const Range& range = kRanges[static_cast<std::size_t>(box)];
        const double roll = unit();
        if (roll < 0.85) return plausibleFor(box);
        if (roll < 0.95) return {box, range.edges[pick(range.edges.size())], false};
        static constexpr std::array<const char*, 6> kRefused{"abc", "", "5.5", "1,2,3", "- 5", "INF"};
        return {box, kRefused[pick(kRefused.size())], false};
    }

    // A plausible text for `box`, as a student correcting a mistake types it.
    Edit plausibleFor(EditBox box)
    {
        const Range& range = kRanges[static_cast<std::size_t>(box)];
        const double value = std::uniform_real_distribution<double>(range.low, range.high)(rng_);
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.*f", static_cast<int>(pick(4)), value);
        for (char* c = buffer; *c != '\0'; ++c) {
            if (*c == '.') *c = ',';
        }
        return {box, buffer, true};
    }

    double unit() { return std::uniform_real_distribution<double>(0.0, 1.0)(rng_); }
    std::size_t pick(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng_); }

private:
    struct Range {
        double low, high;
        std::array<const char*, 5> edges;
    };
    // Edit1 to Edit8: r, L, IRN, k, a, TIE, p, v.
    static constexpr std::array<Range, 8> kRanges{{
        {0.3, 1.0, {"0", "1", "-1", "0,001", "2"}},
        {10.0, 3000.0, {"0", "-1", "0,4", "1e400", "3000"}},
        {5.0, 120.0, {"-2,5", "-3", "0", "1e6", "15"}},
        {1.0, 10.0, {"0", "-5", "1e-300", "100", "1"}},
        {0.1, 0.9, {"0", "1", "-0,5", "2", "0,99"}},
        {0.0, 1.0, {"0", "-0,1", "1e-9", "5", "0,001"}},
        {5.0, 100.0, {"0", "-29", "100000000", "1e-6", "1000"}},
        {25.0, 400.0, {"0", "-100", "1000000", "1", "10000"}},
    }};

    std::mt19937_64 rng_;
};

class Soak {
public:
    explicit Soak(const Options& options) : options_(options), edits_(options.seed) {}

    int run()
    {
        world_.sim.FormCreate();
        warmUp();
        const auto start = std::chrono::steady_clock::now();
        std::printf("%10s %12s %12s %12s %14s\n", "ticks", "rss KiB", "heap KiB", "new KiB", "allocations");
        while (ticks_ < options_.ticks) {
            if (edits_.unit() < 1.0 / 40.0) event();
            correctTexts();
            if (!world_.form.timerEnabled()) {
                if (edits_.unit() < 0.5) guarded([&] { world_.sim.Button3Click(); });
                guarded([&] { world_.sim.Button1Click(); });
            }
            guarded([&] { world_.sim.Timer1Timer(); });
            ++ticks_;
            if (ticks_ % options_.every == 0) record(sampleMemory(ticks_));
        }
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        return report(seconds);
    }

private:
    // The largest run the edits can make, from its first step to its end, at
    // four times the nominal speed.
    void warmUp()
    {
        world_.form.setText(EditBox::Edit2, "3000");
        world_.form.setText(EditBox::Edit8, "400");
        world_.sim.Button3Click();
        world_.sim.Button1Click();
        while (world_.form.timerEnabled()) guarded([&] { world_.sim.Timer1Timer(); });
        for (int i = 0; i < 8; ++i) {
            const auto box = static_cast<EditBox>(i);
            world_.form.setText(box, std::string(defaultText(box)));
        }
    }

    void event()
    {
        const double roll = edits_.unit();
        if (roll < 0.70) {
            const EditMaker::Edit edit = edits_.next();
            world_.form.setText(edit.box, edit.text);
            // A text at an edge or refused is corrected within a few seconds.
            if (!edit.plausible) corrections_[edit.box] = ticks_ + 1 + edits_.pick(40);
        } else if (roll < 0.80) {
            const Irrigation mode = edits_.unit() < 0.5 ? Irrigation::Furrow : Irrigation::Border;
            guarded([&] { world_.form.checkModeButton(mode); });
        } else if (roll < 0.88) {
            guarded([&] { world_.sim.Button2Click(); });
        } else if (roll < 0.95) {
            guarded([&] { world_.sim.Button1Click(); });
        } else {
            guarded([&] { world_.sim.Button3Click(); });
        }
    }

    void correctTexts()
    {
        for (auto it = corrections_.begin(); it != corrections_.end();) {
            if (it->second > ticks_) {
                ++it;
                continue;
            }
            world_.form.setText(it->first, edits_.plausibleFor(it->first).text);
            it = corrections_.erase(it);
        }
    }

    // The guard around a handler: an error is counted, anything else ends
    // the soak, and so does a field left infinite or NaN.
    template <typename Handler>
    void guarded(Handler handler)
    {
        try {
            handler();
        } catch (const Error& e) {
            if (!isKnownError(e, world_.form)) {
                std::fprintf(stderr, "unknown error after %llu ticks: kind %d, message \"%s\"\n",
                             static_cast<unsigned long long>(ticks_), static_cast<int>(e.kind()), e.what());
                std::exit(1);
            }
            ++errors_[std::string(kindName(e.kind()))];
        }
        if (const char* field = nonFiniteField(world_.s)) {
            std::fprintf(stderr, "%s is not finite after %llu ticks\n", field,
                         static_cast<unsigned long long>(ticks_));
            std::exit(1);
        }
    }

    void record(const MemorySample& m)
    {
        if (m.ticks == options_.every) first_ = m;
        last_ = m;
        std::printf("%10llu %12.0f %12.0f %12.0f %14llu\n", static_cast<unsigned long long>(m.ticks), kib(m.rssBytes),
                    kib(m.heapBytes), kib(m.newBytes), static_cast<unsigned long long>(m.allocations));
        std::fflush(stdout);
    }

    int report(double seconds)
    {
        std::printf("%llu ticks in %.1f s, %.1f us a tick\nerrors:", static_cast<unsigned long long>(ticks_),
                    seconds, seconds * 1e6 / static_cast<double>(ticks_));
        for (const auto& [kind, count] : errors_) std::printf(" %s %llu", kind.c_str(), static_cast<unsigned long long>(count));
        std::printf("\n");
        if (last_.ticks == first_.ticks) {
            std::printf("too few ticks to compare memory\n");
            return 0;
        }
        // Flat: what is held through operator new and by malloc has not grown,
        // bar a few pages of allocator bookkeeping; the resident size may
        // move by what the allocator keeps cached.
        const std::int64_t newGrowth = last_.newBytes - first_.newBytes;
        const std::int64_t heapGrowth = last_.heapBytes - first_.heapBytes;
        const std::int64_t rssGrowth = last_.rssBytes - first_.rssBytes;
        std::printf("from %llu to %llu ticks: new %+.1f KiB, heap %+.1f KiB, rss %+.1f KiB\n",
                    static_cast<unsigned long long>(first_.ticks), static_cast<unsigned long long>(last_.ticks),
                    kib(newGrowth), kib(heapGrowth), kib(rssGrowth));
        const bool flat = newGrowth <= 0 && heapGrowth <= 16 * 1024 && rssGrowth <= 1024 * 1024;
        std::printf("memory %s\n", flat ? "flat" : "GROWS");
        return flat ? 0 : 1;
    }

    Options options_;
    EditMaker edits_;
    HeadlessWorld world_;
    std::uint64_t ticks_ = 0;
    std::map<std::string, std::uint64_t> errors_;
    std::map<EditBox, std::uint64_t> corrections_;  // box -> tick at which its text is corrected
    MemorySample first_;
    MemorySample last_;
};

bool parse(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        std::uint64_t* target = nullptr;
        if (arg == "--ticks") target = &options.ticks;
        if (arg == "--seed") target = &options.seed;
        if (arg == "--every") target = &options.every;
        if (target == nullptr || i + 1 == argc) return false;
        char* end = nullptr;
        *target = std::strtoull(argv[++i], &end, 10);
        if (*end != '\0') return false;
    }
    return options.every > 0;
}

}  // namespace
}  // namespace tarvinel::bench

int main(int argc, char** argv)
{
    tarvinel::bench::Options options;
    if (!tarvinel::bench::parse(argc, argv, options)) {
        std::fprintf(stderr, "usage: %s [--ticks N] [--seed S] [--every N]\n", argv[0]);
        return 2;
    }
    return tarvinel::bench::Soak(options).run();
}
