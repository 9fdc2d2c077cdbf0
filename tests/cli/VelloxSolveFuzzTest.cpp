// vellox-solve under random and hostile input, with a fixed seed: random and
// boundary options, mutated copies of the shipped library, random batch
// files. Whatever it is given, the tool ends in time with 0, 1 or 2 (and a
// reason on 2), prints no NaN or infinity, writes strict JSON, and solves a
// batch row the same whatever rows came before it.
#include "JsonCheck.h"
#include "support/TempDir.h"

#include <cctype>
#include <chrono>
#include <cmath>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <vector>

extern char** environ;

namespace {

struct TRun {
    int Status = -1; // -1: did not end in time, or ended by a signal
    std::string Out;
    std::string Err;
};

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Runs the tool with an argument list (no shell), standard input from a file.
TRun RunTool(const TTempDir& dir, const std::vector<std::string>& args,
             const std::string& input = {})
{
    const std::string in = dir.Write("stdin", input);
    const std::string out = (dir.Path() / "stdout").string();
    const std::string err = (dir.Path() / "stderr").string();
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 0, in.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&files, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&files, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::vector<std::string> all{VELLOX_SOLVE};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : all)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    TRun run;
    const int spawned = posix_spawn(&pid, VELLOX_SOLVE, &files, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&files);
    if (spawned != 0)
        return run;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return run;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.Out = ReadFile(out);
    run.Err = ReadFile(err);
    return run;
}

// Whether the output shows a NaN or an infinity as a word of its own. Texts
// in quotes are skipped: in single quotes the input quoted back in a
// message, in double quotes the texts of a JSON report (names from the
// library among them); JSON numbers are checked by the strict reader.
bool ShowsNonFinite(const std::string& text)
{
    std::string word;
    char quote = 0;
    auto bad = [&] {
        std::string lower;
        for (const char c : word)
            lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return lower == "nan" || lower == "inf" || lower == "infinity";
    };
    for (const char c : text + " ") {
        if (quote == 0 && (c == '\'' || c == '"')) {
            quote = c;
            word.clear();
        } else if (c == quote) {
            quote = 0;
        } else if (quote == 0 && std::isalnum(static_cast<unsigned char>(c))) {
            word += c;
        } else if (quote == 0) {
            if (bad())
                return true;
            word.clear();
        }
    }
    return false;
}

const std::vector<std::string> Keys = {"refrigerant", "tc", "te",   "pc",  "pe",  "sc",
                                       "sh",          "mr", "duty", "dpl", "dpe", "id"};
// The records of a CSV text; a quoted field may hold commas and line breaks.
std::vector<std::vector<std::string>> CsvRecords(const std::string& text)
{
    std::vector<std::vector<std::string>> records;
    std::vector<std::string> fields;
    std::string field;
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"')
                field += text[++i];
            else if (c == '"')
                quoted = false;
            else
                field += c;
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            fields.push_back(field);
            field.clear();
        } else if (c == '\n') {
            fields.push_back(field);
            records.push_back(fields);
            fields.clear();
            field.clear();
        } else {
            field += c;
        }
    }
    return records;
}

bool FiniteNumberOrEmpty(const std::string& text)
{
    if (text.empty())
        return true;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    return end == text.c_str() + text.size() && std::isfinite(value);
}

// Every number a batch writes is finite: the results always, the inputs of
// the rows it took as cases (a refused row shows its inputs as given).
void ExpectFiniteBatch(const std::vector<std::vector<std::string>>& records,
                       const std::string& what)
{
    constexpr std::size_t FirstResult = 12, LastResult = 16, Error = 19, Status = 20;
    for (std::size_t r = 1; r < records.size(); ++r) {
        const auto& f = records[r];
        ASSERT_GT(f.size(), Status) << what;
        // A refused row names the input it refuses, or the pair it cannot take.
        bool taken = f[Error].find("either mr or duty") == std::string::npos;
        for (const auto& key : Keys)
            if (f[Error].rfind(key + ": ", 0) == 0)
                taken = false;
        if (f[Error].rfind("length: ", 0) == 0) // a batch's tube length to rate
            taken = false;
        for (std::size_t i = 1; i <= LastResult; ++i) {
            if (i >= FirstResult || taken) {
                EXPECT_TRUE(FiniteNumberOrEmpty(f[i])) << f[i] << " in row " << r << what;
            }
        }
    }
}

void ExpectSound(const TRun& run, const std::string& what, bool json, bool batch = false)
{
    ASSERT_NE(run.Status, -1) << "did not end in time, or crashed: " << what;
    EXPECT_TRUE(run.Status == 0 || run.Status == 1 || run.Status == 2) << run.Status << what;
    if (run.Status == 2) {
        EXPECT_FALSE(run.Err.empty()) << what;
    }
    if (!batch) {
        EXPECT_FALSE(ShowsNonFinite(run.Out)) << what << "\n" << run.Out;
    } else if (run.Status != 2) {
        ExpectFiniteBatch(CsvRecords(run.Out), what);
    }
    if (json && run.Status != 2) {
        EXPECT_TRUE(TJsonCheck(run.Out).Valid()) << what << "\n" << run.Out;
    }
}

const std::vector<std::string> Boundary = {
    "",    "0",     "-0",    "1e308", "-1e308", "1e-320", "nan",          "inf",     "-inf",
    "abc", "1,5",   " 3 ",   "0x10",  "40",     "5",      "-60",          "-273.15", "96.1",
    "100", "20",    "20.01", "0.5",   "50",     "0.001",  "1e999",        "-1",      "4e3",
    "R22", "r134a", "R407C", "R744",  "R717",   "Blank",  "\xE2\x80\xA6", "1.63"};

struct TFuzz {
    std::mt19937 Random{20261209};

    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(Random); }
    const std::string& Pick(const std::vector<std::string>& from)
    {
        return from[static_cast<std::size_t>(Below(static_cast<int>(from.size())))];
    }
    std::string Value()
    {
        switch (Below(3)) {
        case 0:
            return Pick(Boundary);
        case 1:
            return std::to_string(std::uniform_real_distribution<double>(-80, 120)(Random));
        default:
            return std::to_string(std::uniform_real_distribution<double>(0, 3)(Random));
        }
    }
    // A copy of the library with a few lines dropped, doubled, cut or given
    // other numbers.
    std::string Mutated(const std::string& library)
    {
        std::vector<std::string> lines;
        std::istringstream in(library);
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        const int changes = 1 + Below(8);
        for (int i = 0; i < changes && !lines.empty(); ++i) {
            auto& line = lines[static_cast<std::size_t>(Below(static_cast<int>(lines.size())))];
            switch (Below(6)) {
            case 0:
                line.clear();
                break;
            case 1:
                line = line.substr(
                    0, static_cast<std::size_t>(Below(static_cast<int>(line.size()) + 1)));
                break;
            case 2:
                if (const auto eq = line.find('='); eq != std::string::npos)
                    line = line.substr(0, eq + 1) + Pick(Boundary);
                break;
            case 3:
                if (const auto eq = line.find('='); eq != std::string::npos)
                    line += "," + Value();
                break;
            case 4:
                line += std::string(1, static_cast<char>(Below(256)));
                break;
            default:
                if (const auto comma = line.find(','); comma != std::string::npos)
                    line.insert(comma + 1, Pick(Boundary) + "e" + std::to_string(Below(400)));
                break;
            }
        }
        std::string out;
        for (const auto& line : lines)
            out += line + "\n";
        return out;
    }
};

std::string ShippedLibrary()
{
    return ReadFile(std::string(VELLOX_SOURCE_DIR) + "/data/RefLib8.rdf");
}

TEST(VelloxSolveFuzz, RandomOptionsEndSoundly)
{
    TFuzz fuzz;
    TTempDir dir;
    for (int round = 0; round < 300; ++round) {
        std::vector<std::string> args;
        const int count = fuzz.Below(6);
        for (int i = 0; i < count; ++i) {
            const std::string key = fuzz.Below(10) == 0 ? "bogus" : fuzz.Pick(Keys);
            if (fuzz.Below(4) == 0)
                args.push_back("--" + key + "=" + fuzz.Value());
            else
                args.insert(args.end(), {"--" + key, fuzz.Value()});
        }
        if (!args.empty() && fuzz.Below(8) == 0)
            args.pop_back(); // an option without its value
        const bool json = fuzz.Below(2) == 0;
        if (json)
            args.push_back("--json");
        std::string what;
        for (const auto& a : args)
            what += " " + a;
        ExpectSound(RunTool(dir, args), what, json);
    }
}

TEST(VelloxSolveFuzz, MutatedLibrariesEndSoundly)
{
    TFuzz fuzz;
    TTempDir dir;
    const std::string shipped = ShippedLibrary();
    ASSERT_FALSE(shipped.empty());
    const std::vector<std::string> names = {"R22",  "R134a", "R290", "R407C", "R410A",
                                            "R744", "R717",  "R32",  "R600a", "R1234yf"};
    for (int round = 0; round < 200; ++round) {
        const std::string library = dir.Write("lib.rdf", fuzz.Mutated(shipped));
        std::vector<std::string> args = {"--library", library, "--refrigerant", fuzz.Pick(names),
                                         "--json"};
        if (fuzz.Below(2) == 0)
            args.insert(args.end(), {"--te", fuzz.Value()});
        ExpectSound(RunTool(dir, args), "round " + std::to_string(round), true);
        if (HasFailure()) {
            std::ofstream(dir.Path().parent_path() / "vellox-fuzz-failed.rdf") << ReadFile(library);
            return;
        }
    }
}

// Random batches; each row is solved once more on its own, as a batch of
// one row, and must come out the same.
TEST(VelloxSolveFuzz, BatchRowsDoNotDependOnTheRowsBefore)
{
    TFuzz fuzz;
    TTempDir dir;
    const std::string library =
        dir.Write("lib.rdf", ShippedLibrary() + "\n[Blank]\n[Short]\nvh=1\n");
    const std::vector<std::string> refrigerants = {"R22",   "R134a", "R407C", "Blank",
                                                   "Short", "R290",  "r744",  "R717"};
    for (int round = 0; round < 20; ++round) {
        std::vector<std::string> columns = {"refrigerant"};
        for (const auto& key : Keys)
            if (key != "refrigerant" && fuzz.Below(3) == 0)
                columns.push_back(key);
        std::string header;
        for (const auto& c : columns)
            header += (header.empty() ? "" : ",") + c;
        std::vector<std::string> rows;
        for (int r = 0; r < 8; ++r) {
            std::string row = fuzz.Pick(refrigerants);
            for (std::size_t c = 1; c < columns.size(); ++c) {
                std::string v = fuzz.Below(3) == 0 ? fuzz.Pick(Boundary) : fuzz.Value();
                if (v.find_first_of(",\"") != std::string::npos)
                    v = "\"" + v + "\"";
                row += "," + v;
            }
            rows.push_back(row);
        }
        std::string batch = header + "\n";
        for (const auto& r : rows)
            batch += r + "\n";
        const TRun all = RunTool(dir, {"--library", library, "--batch", "-"}, batch);
        ExpectSound(all, batch, false, true);
        if (all.Status == 2)
            continue; // the header itself was refused
        const auto outRows = CsvRecords(all.Out);
        ASSERT_EQ(outRows.size(), rows.size() + 1) << batch << all.Out << all.Err;
        for (std::size_t r = 0; r < rows.size(); ++r) {
            const TRun one = RunTool(dir, {"--library", library, "--batch", "-"},
                                     header + "\n" + rows[r] + "\n");
            const auto only = CsvRecords(one.Out);
            ASSERT_EQ(only.size(), 2U) << one.Out;
            EXPECT_EQ(only[1], outRows[r + 1]) << "row " << r << " of\n" << batch;
        }
    }
}

// Rating and the standard bores table under random design cases and random
// lengths: sound endings, no NaN or infinity, strict JSON.
TEST(VelloxSolveFuzz, RatingAndSelectionEndSoundly)
{
    TFuzz fuzz;
    fuzz.Random.seed(20261210);
    TTempDir dir;
    for (int round = 0; round < 150; ++round) {
        std::vector<std::string> args;
        const int count = fuzz.Below(5);
        for (int i = 0; i < count; ++i)
            args.insert(args.end(), {"--" + fuzz.Pick(Keys), fuzz.Value()});
        const bool rate = fuzz.Below(2) == 0;
        if (rate)
            args.insert(args.end(),
                        {"--rate", fuzz.Below(3) == 0 ? fuzz.Pick(Boundary) : fuzz.Value()});
        else
            args.push_back("--select");
        const int output = fuzz.Below(3);
        if (output == 1)
            args.push_back("--json");
        else if (output == 2 && !rate)
            args.push_back("--csv");
        std::string what;
        for (const auto& a : args)
            what += " " + a;
        ExpectSound(RunTool(dir, args), what, output == 1);
    }
}

// Batches whose rows rate a tube where they give a length: every flow written
// is finite, and a row comes out the same whatever rows came before it.
TEST(VelloxSolveFuzz, RatingBatchRowsEndSoundly)
{
    TFuzz fuzz;
    fuzz.Random.seed(20261211);
    TTempDir dir;
    constexpr std::size_t Solved = 18, Length = 22, LastFlow = 25;
    for (int round = 0; round < 8; ++round) {
        std::string batch = "refrigerant,tc,te,mr,id,length\n";
        std::vector<std::string> rows;
        for (int r = 0; r < 6; ++r) {
            std::string row = fuzz.Pick({"R22", "R134a", "R407C", "R717"});
            // Appended piece by piece: GCC 12 warns falsely on "," + text at -O3.
            for (int c = 0; c < 4; ++c) {
                row += ',';
                if (fuzz.Below(2) != 0)
                    row += fuzz.Value();
            }
            const std::string length = fuzz.Below(4) == 0 ? fuzz.Pick(Boundary) : fuzz.Value();
            row += ',';
            if (length.find_first_of(",\"") == std::string::npos) {
                row += length;
            } else {
                row += '"';
                row += length;
                row += '"';
            }
            rows.push_back(row);
            batch += row + "\n";
        }
        const TRun all = RunTool(dir, {"--batch", "-"}, batch);
        ExpectSound(all, batch, false, true);
        const auto records = CsvRecords(all.Out);
        ASSERT_EQ(records.size(), rows.size() + 1) << batch << all.Out << all.Err;
        for (std::size_t r = 1; r < records.size(); ++r) {
            const auto& f = records[r];
            ASSERT_EQ(f.size(), LastFlow + 2) << all.Out;
            for (std::size_t i = Length + 1; i <= LastFlow; ++i)
                EXPECT_TRUE(FiniteNumberOrEmpty(f[i])) << f[i] << " in row " << r << batch;
            if (f[Solved] == "true") {
                EXPECT_TRUE(FiniteNumberOrEmpty(f[Length])) << f[Length] << batch;
            }
            const TRun one = RunTool(dir, {"--batch", "-"},
                                     "refrigerant,tc,te,mr,id,length\n" + rows[r - 1] + "\n");
            const auto only = CsvRecords(one.Out);
            ASSERT_EQ(only.size(), 2U) << one.Out;
            EXPECT_EQ(only[1], f) << "row " << r << " of\n" << batch;
        }
    }
}

} // namespace
