#pragma once

#include "common/Errors.h"
#include "services/VersionBlock.h"

#include <cstdint>
#include <string>
#include <string_view>

// The version information of a program file cannot be used.
class EVerInfoError : public EVelloxError {
public:
    using EVelloxError::EVelloxError;
};

// The file carries no version block: "No Version Info Available.".
class ENoVerInfoError : public EVerInfoError {
public:
    ENoVerInfoError();
};

// The block lacks its fixed file information: "No fixed file info".
class ENoFixedVerInfo : public EVerInfoError {
public:
    ENoFixedVerInfo();
};

// The version block of a program file on disk, read once when the object is
// made; the object is read-only afterwards.
//
// Errors of the constructor:
//   ENoVerInfoError  the file is missing, unreadable, empty, not an ELF file,
//                    or has no (or an empty) version section;
//   EVerInfoError    "Cannot obtain version info." when the section is there
//                    but cannot be read or holds no well-formed block;
//                    "No language info." when the translation table is
//                    missing;
//   ENoFixedVerInfo  when the fixed file information is missing, shorter than
//                    52 bytes or without its signature.
class TVerInfoRes {
public:
    explicit TVerInfoRes(std::string fileName);

    const std::string& FileName() const { return FileName_; }

    // The text of a string entry ("ProductName", "FileVersion", ...) in the
    // string table of the first translation; empty when there is none.
    std::string StringValue(std::string_view key) const;

    // "a.b.c.d" from the fixed information's file version.
    std::string FileVersionText() const;

    // The first translation: language in the low 16 bits, code page in the
    // high 16 bits.
    std::uint32_t Translation() const { return Translation_; }
    const VersionBlock::TFixedFileInfo& FixedInfo() const { return Fixed_; }

private:
    std::string FileName_;
    std::string Block_;
    std::uint32_t Translation_ = 0;
    VersionBlock::TFixedFileInfo Fixed_;
};

// The file version text of a program file, "1.0.8.0".
std::string GetFileVersionText(const std::string& fileName);

// The product name, one blank and the file version text: "Vellox 1.0.8.0".
std::string GetTitleText(const std::string& fileName);
