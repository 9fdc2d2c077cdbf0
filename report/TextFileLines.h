#pragma once

#include <cstddef>
#include <QString>
#include <QStringList>

// The lines of a short 8-bit text file of site data (the letterhead), read
// no further than the limits, so that a file of millions of lines or of
// gigabytes neither fills the memory nor pushes the report off its pages.
struct TTextFileLines {
    QStringList Lines;
    // How far the file was read when it goes on beyond the limits ("its
    // first 200 lines", "its first 64 KB"); empty when it was read whole.
    QString CutTo;
};

// A letterhead is a few lines at the top of the first page.
constexpr qsizetype LetterheadMaxLines = 200;
constexpr std::size_t LetterheadMaxBytes = 64 * 1024;

// The lines of the file (UTF-8, else Windows-1252), ended by CR LF or LF,
// untrimmed; none for a missing file or one that is not a regular file. At
// most maxLines lines and maxBytes bytes are read: a file cut at the byte
// limit keeps its whole lines, or, when its first line alone is longer, that
// line up to its last whole character.
TTextFileLines ReadTextLines(const QString& path, qsizetype maxLines = LetterheadMaxLines,
                             std::size_t maxBytes = LetterheadMaxBytes);
