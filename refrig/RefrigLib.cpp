#include "refrig/RefrigLib.h"

#include "common/Errors.h"
#include "common/Text.h"
#include "common/TextToNumber.h"
#include "services/IniFile.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <locale>
#include <sstream>

namespace {

std::string FileDateText(const std::string& fileName)
{
    if (fileName.empty())
        return {};
    std::error_code error;
    const auto stamp = std::filesystem::last_write_time(fileName, error);
    if (error)
        return {};
    const auto systemTime = std::chrono::file_clock::to_sys(stamp);
    const std::time_t seconds = std::chrono::system_clock::to_time_t(systemTime);
    std::tm local{};
    if (localtime_r(&seconds, &local) == nullptr)
        return {};
    std::ostringstream out;
    try {
        out.imbue(std::locale(""));
    } catch (const std::exception&) {
        out.imbue(std::locale::classic());
    }
    out << std::put_time(&local, "%x %X");
    return out.str();
}

// A coefficient list: unchanged when missing, empty or all "0"; otherwise
// element k is item k, and a list with too few items or a non-numeric item
// raises its error after the elements before it were written.
template <std::size_t N>
void ReadArray(const IniFile::TSection& section, const char* key, std::array<double, N>& array)
{
    const auto text = section.Find(key);
    if (!text || text->empty())
        return;
    std::vector<std::string> items;
    std::size_t start = 0;
    for (;;) {
        const auto comma = text->find(',', start);
        items.push_back(Trim(
            text->substr(start, comma == std::string::npos ? std::string::npos : comma - start)));
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    if (std::all_of(items.begin(), items.end(), [](const std::string& s) { return s == "0"; }))
        return;
    for (std::size_t k = 0; k < N; ++k) {
        if (k >= items.size())
            throw EListError::IndexOutOfBounds(static_cast<long long>(k));
        array[k] = TextToDouble(items[k]);
    }
}

void ReadRecord(const IniFile::TSection& section, TRefrigData& d)
{
    d.InternalNumber = section.ReadInteger("InternalNumber", d.InternalNumber);
    d.RNumber = section.ReadString("RNumber", d.RNumber);
    d.Formula = section.ReadString("Formula", d.Formula);
    d.ChemicalName = section.ReadString("ChemicalName", d.ChemicalName);
    d.CASNumber = section.ReadString("CASNumber", d.CASNumber);
    d.Components = section.ReadInteger("Components", d.Components);
    d.RefState = section.ReadString("RefState", d.RefState);
    d.SourceFile = section.ReadString("SourceFile", d.SourceFile);
    d.FluidType = section.ReadString("FluidType", d.FluidType);
    d.TCrit = section.ReadFloat("TCrit", d.TCrit);
    d.PCrit = section.ReadFloat("PCrit", d.PCrit);
    d.DCrit = section.ReadFloat("DCrit", d.DCrit);
    d.wm = section.ReadFloat("wm", d.wm);
    d.TTrip = section.ReadFloat("TTrip", d.TTrip);
    d.TBoil = section.ReadFloat("TBoil", d.TBoil);
    d.TMax = section.ReadFloat("TMax", d.TMax);
    d.TMin = section.ReadFloat("TMin", d.TMin);
    ReadArray(section, "dp", d.dp);
    ReadArray(section, "bp", d.bp);
    ReadArray(section, "lh", d.lh);
    ReadArray(section, "th", d.th);
    ReadArray(section, "vh", d.vh);
    ReadArray(section, "sh", d.sh);
    ReadArray(section, "vv", d.vv);
    ReadArray(section, "sv", d.sv);
    ReadArray(section, "ic", d.ic);
    ReadArray(section, "sc", d.sc);
    ReadArray(section, "lv", d.lv);
    ReadArray(section, "cl", d.cl);
    ReadArray(section, "cv", d.cv);
    ReadArray(section, "ul", d.ul);
    ReadArray(section, "uv", d.uv);
    ReadArray(section, "kl", d.kl);
    ReadArray(section, "kv", d.kv);
    ReadArray(section, "si", d.si);
}

} // namespace

TRefrigLib::TRefrigLib(std::string libraryFile)
    : LibraryFile_(std::move(libraryFile)), Data_(DefaultRefrigData)
{
    LibraryFileDate_ = FileDateText(LibraryFile_);
    if (!LibraryFile_.empty()) {
        // A sorted list ignores names that differ only in letter case: of
        // those, the first in the file stays.
        RefrigerantNames_ = IniFile(LibraryFile_).ReadSections();
        std::stable_sort(RefrigerantNames_.begin(), RefrigerantNames_.end(), LessText);
        RefrigerantNames_.erase(
            std::unique(RefrigerantNames_.begin(), RefrigerantNames_.end(), SameText),
            RefrigerantNames_.end());
    }
    try {
        SelectRefrigerant("R22");
    } catch (const EVelloxError& error) {
        // A broken R22 section must not leave a half-read record behind at
        // start-up: the built-in record stays current and the message is kept
        // for the window to show.
        Data_ = DefaultRefrigData;
        StartupError_ = error.what();
    }
}

void TRefrigLib::SelectRefrigerant(const std::string& name)
{
    if (SameText(CurrentName_, name))
        return;
    // The current name stands for a record read whole from its section. From
    // here until that holds again it is empty: the built-in record standing in
    // for a missing section, or a section that failed half-way, must not be
    // taken for the refrigerant last read, so the next selection of any name
    // reads its section again.
    CurrentName_.clear();
    Data_ = DefaultRefrigData;
    if (KeepParsed_) {
        if (const auto kept = Parsed_.find(name); kept != Parsed_.end()) {
            if (kept->second) {
                Data_ = *kept->second;
                CurrentName_ = Data_.RNumber;
            }
            return;
        }
    }
    const IniFile::TSection section =
        LibraryFile_.empty() ? IniFile::TSection{} : IniFile(LibraryFile_).ReadSectionMap(name);
    if (section.Empty()) {
        Data_ = DefaultRefrigData;
        if (KeepParsed_)
            Parsed_.emplace(name, std::nullopt);
        return;
    }
    ReadRecord(section, Data_);
    CurrentName_ = Data_.RNumber;
    if (KeepParsed_)
        Parsed_.emplace(name, Data_);
}

void TRefrigLib::KeepParsedRecords()
{
    KeepParsed_ = true;
}

void TRefrigLib::SelectRefrigerantIndex(int index)
{
    if (index < 0 || index >= static_cast<int>(RefrigerantNames_.size()))
        throw EListError::IndexOutOfBounds(index);
    SelectRefrigerant(RefrigerantNames_[static_cast<std::size_t>(index)]);
}

std::string TRefrigLib::GetDisplayName() const
{
    return Data_.RNumber + " (" + Data_.ChemicalName + ", " + Data_.Formula + ")";
}
