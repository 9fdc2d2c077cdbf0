// vellox-solve gives the same bytes as the program that made the committed
// outputs in golden/: a 2 000-row batch over the shipped library (refused
// rows, faults, choked and refused simulations, refrigerants changing from row
// to row) and the JSON of 50 single cases, each with its exit status and
// messages. Any change of a stored double, a shown text or a fault shows here.
// golden/make_golden.py wrote the inputs and, once, the outputs.
#include "support/TempDir.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

const std::string Golden = std::string(VELLOX_SOURCE_DIR) + "/tests/cli/golden/";
const std::string Library = std::string(VELLOX_SOURCE_DIR) + "/data/RefLib8.rdf";

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

struct TRun {
    int Status = -1;
    std::string Out;
    std::string Err;
};

// Runs the program with exactly these arguments (no shell in between).
TRun Solve(const std::vector<std::string>& args)
{
    TTempDir dir;
    const std::string outFile = (dir.Path() / "stdout").string();
    const std::string errFile = (dir.Path() / "stderr").string();
    std::vector<std::string> all{VELLOX_SOLVE};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& arg : all)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        const int out = open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int in = open("/dev/null", O_RDONLY);
        if (out < 0 || err < 0 || in < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0 || dup2(in, 0) < 0)
            _exit(127);
        execv(argv[0], argv.data());
        _exit(127);
    }
    TRun run;
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child)
        return run;
    run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.Out = ReadAll(outFile);
    run.Err = ReadAll(errFile);
    return run;
}

// The first line where two texts part, for a readable failure.
std::string FirstDifference(const std::string& expected, const std::string& actual)
{
    std::istringstream e(expected);
    std::istringstream a(actual);
    std::string le;
    std::string la;
    for (int line = 1;; ++line) {
        const bool moreE = static_cast<bool>(std::getline(e, le));
        const bool moreA = static_cast<bool>(std::getline(a, la));
        if (!moreE && !moreA)
            return "same lines";
        if (moreE != moreA || le != la)
            return "line " + std::to_string(line) + ":\n  expected: " + (moreE ? le : "(end)") +
                   "\n  actual:   " + (moreA ? la : "(end)");
    }
}

// The long-double exp, ln and log10 of the C library may differ in the last
// bit from one processor maker to another, and every stored double passes
// through them. The outputs were made where these results held; elsewhere a
// byte comparison proves nothing, so the tests are skipped there.
struct TProbe {
    char Function;
    long double Argument;
    std::uint16_t SignExponent;
    std::uint64_t Mantissa;
};

constexpr TProbe Probes[] = {
    {'e', 9.69999999999999999983L, 0x400cU, 0xfef66dc55109e8feULL},
    {'e', 13.25L, 0x4012U, 0x8ab060a3ee9fb198ULL},
    {'e', 15.1234567889999999999L, 0x4014U, 0xe1be279823fe02c6ULL},
    {'e', 7.01230000000000000017L, 0x4009U, 0x8ac68fb4c6bf4858ULL},
    {'e', -0.431L, 0x3ffeU, 0xa65d2750caaee490ULL},
    {'e', 0.00230000000000000000011L, 0x3fffU, 0x804b7400d7864ce6ULL},
    {'e', 0.987654300000000000021L, 0x4000U, 0xabd5e09eb869527aULL},
    {'e', 21.5L, 0x401eU, 0x819a18019394c0d9ULL},
    {'l', 1473.69999999999999996L, 0x4001U, 0xe974fe86eeac9b11ULL},
    {'l', 0.000870000000000000000018L, 0xc001U, 0xe1812a8598a71e15ULL},
    {'l', 200000L, 0x4002U, 0xc34c12d4926fceb8ULL},
    {'l', 31415.9265000000000008L, 0x4002U, 0xa5ae5e2643c467eaULL},
    {'l', 1.00000000000000000004e-06L, 0xc002U, 0xdd0c54cc7ffd0223ULL},
    {'l', 4.5L, 0x3fffU, 0xc0859baee748eca1ULL},
    {'l', 0.123455999999999999997L, 0xc000U, 0x85e134a51dc3e284ULL},
    {'l', 98765.4320999999999984L, 0x4002U, 0xb8020f604423a594ULL},
    {'t', 1473.69999999999999996L, 0x4000U, 0xcac736e4843b6ad5ULL},
    {'t', 0.000870000000000000000018L, 0xc000U, 0xc3deeaa4029a5adcULL},
    {'t', 200000L, 0x4001U, 0xa9a209a84fbcff7aULL},
    {'t', 31415.9265000000000008L, 0x4001U, 0x8fe8a6d9499d7c5aULL},
    {'t', 1.00000000000000000004e-06L, 0xc001U, 0xc000000000000001ULL},
    {'t', 4.5L, 0x3ffeU, 0xa738ef7000c7ec7aULL},
    {'t', 0.123455999999999999997L, 0xbffeU, 0xe892a806d2e21c28ULL},
    {'t', 98765.4320999999999984L, 0x4001U, 0x9fd3cdcc504a0592ULL},
};

bool SameTranscendentals()
{
    if (sizeof(long double) < 10 || LDBL_MANT_DIG != 64)
        return false;
    for (const TProbe& probe : Probes) {
        volatile long double argument = probe.Argument;
        const long double result = probe.Function == 'e'   ? std::exp(argument)
                                   : probe.Function == 'l' ? std::log(argument)
                                                           : std::log10(argument);
        std::uint64_t mantissa = 0;
        std::uint16_t signExponent = 0;
        std::memcpy(&mantissa, &result, 8);
        std::memcpy(&signExponent, reinterpret_cast<const char*>(&result) + 8, 2);
        if (mantissa != probe.Mantissa || signExponent != probe.SignExponent)
            return false;
    }
    return true;
}

class GoldenOutput : public testing::Test {
protected:
    void SetUp() override
    {
        if (!SameTranscendentals())
            GTEST_SKIP() << "this machine's long-double exp/ln/log10 differ in the last bit "
                            "from those the golden outputs were made with";
    }
};

TEST_F(GoldenOutput, BatchOverMixedRefrigerants)
{
    const TRun run = Solve({"--library", Library, "--batch", Golden + "batch-input.csv"});
    const std::string expected = ReadAll(Golden + "batch-output.csv");
    ASSERT_FALSE(expected.empty());
    EXPECT_TRUE(run.Out == expected) << FirstDifference(expected, run.Out);
    EXPECT_EQ("exit " + std::to_string(run.Status) + "\n" + run.Err,
              ReadAll(Golden + "batch-status.txt"));
}

TEST_F(GoldenOutput, JsonOfSingleCases)
{
    std::istringstream cases(ReadAll(Golden + "json-cases.txt"));
    std::string actual;
    int number = 0;
    for (std::string line; std::getline(cases, line);) {
        std::vector<std::string> args{"--library", Library, "--json"};
        std::istringstream fields(line);
        for (std::string field; std::getline(fields, field, '\t');)
            args.push_back(field);
        const TRun run = Solve(args);
        actual += "== case " + std::to_string(++number) + "\nexit " + std::to_string(run.Status) +
                  "\n" + run.Out + "-- stderr\n" + run.Err;
    }
    EXPECT_EQ(number, 50);
    const std::string expected = ReadAll(Golden + "json-output.txt");
    EXPECT_TRUE(actual == expected) << FirstDifference(expected, actual);
}

} // namespace
