#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Reads one named section of an ELF file (32- or 64-bit, either byte order)
// through its section headers. Every offset and size the file gives is
// checked against the file itself, so that a truncated or damaged file gives
// a status, never a read outside the file.
enum class TElfSectionStatus {
    Found,
    Unreadable, // the file cannot be opened or read, or is empty
    NotElf,     // no ELF identification, or an unknown class or byte order
    Damaged,    // the headers point outside the file
    Missing,    // no section of that name, or one without contents in the file
    Truncated,  // the section is named but its contents lie beyond the end of the file
    TooLarge,   // the section is larger than the caller accepts
};

struct TElfSection {
    TElfSectionStatus Status = TElfSectionStatus::Unreadable;
    std::string Bytes; // the section's contents when found
};

TElfSection ReadElfSection(const std::string& fileName, std::string_view sectionName,
                           std::size_t maxSize);
