#pragma once

#include "common/Errors.h"

#include <memory>
#include <QString>
#include <QVariant>

class QSettings;

// A stored setting that cannot be read as the kind asked for, or a store file
// that cannot be written.
class ESettingsError : public EVelloxError {
public:
    using EVelloxError::EVelloxError;
};

// The per-user settings store of a program: sections of named values kept
// under a key such as "Software\Brennick\Vellox".
//
// The key names a QSettings file in the native format: "Software\" is
// dropped, the next part is the organisation and the rest the application,
// so the key above is $XDG_CONFIG_HOME/Brennick/Vellox.conf. A section is a
// group of that file ([Settings], [MainForm], ...).
//
// Value kinds, as they appear in the file (which holds text):
//   integer   decimal text ("Refrig=3"). Integer and text values of one name
//             are the same thing here; reading takes a decimal text (blanks
//             around it allowed), anything else gives the default.
//   floating  the 8 bytes of the IEEE double, least significant first, as a
//             byte array ("tc=@ByteArray(...)"), so that the value comes back
//             bit for bit. A value that is present but not 8 bytes (a user
//             typed text over it) raises ESettingsError.
//   text      text; a value that is a byte array raises ESettingsError.
//   Boolean   "0" or "1"; read as an integer, any non-zero number is true.
// A missing section or value gives the caller's default.
//
// Nothing is kept open or cached between operations: every read opens the
// file and every write opens it, writes it whole (a temporary file renamed
// over the old one) and closes it. A write that the file system refuses
// raises ESettingsError "Unable to write to <file>". A damaged file never
// stops reading: whatever can be read is, the rest gives defaults, and the
// next write replaces it.
class TSettingsStore {
public:
    // The store of the running program (ProgramKey()).
    TSettingsStore();
    // Raises ESettingsError for a key that names no application.
    explicit TSettingsStore(const QString& key);

    const QString& Key() const { return Key_; }
    // The file that holds the store.
    QString FileName() const;

    int ReadInteger(const QString& section, const QString& name, int defaultValue) const;
    double ReadFloat(const QString& section, const QString& name, double defaultValue) const;
    QString ReadString(const QString& section, const QString& name,
                       const QString& defaultValue) const;
    bool ReadBool(const QString& section, const QString& name, bool defaultValue) const;

    bool ValueExists(const QString& section, const QString& name) const;
    bool SectionExists(const QString& section) const;

    // Blank section or value names are refused with ESettingsError.
    void WriteInteger(const QString& section, const QString& name, int value) const;
    void WriteFloat(const QString& section, const QString& name, double value) const;
    void WriteString(const QString& section, const QString& name, const QString& value) const;
    void WriteBool(const QString& section, const QString& name, bool value) const;

    // Removes the section with all its values.
    void EraseSection(const QString& section) const;

private:
    // Opens the store's file for one operation; the file is closed when the
    // object goes. Null when something other than a regular file (a FIFO, a
    // folder, a device) stands at the file's path: reading it could block
    // for ever, so the store counts as missing and cannot be written.
    std::unique_ptr<QSettings> Open() const;
    QVariant Read(const QString& section, const QString& name, QString* fileName = nullptr) const;
    template <typename F>
    void Write(const QString& section, const QString& name, F&& change) const;

    QString Key_;
    QString Organization_;
    QString Application_;
};
