#include "services/SettingsStore.h"

#include "common/TextToNumber.h"
#include "services/AppFolders.h"

#include <bit>
#include <cstdint>
#include <memory>
#include <optional>
#include <QByteArray>
#include <QFileInfo>
#include <QMetaType>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QVariant>

namespace {

bool IsBlank(const QString& text)
{
    return text.trimmed().isEmpty();
}

QString ValueKey(const QString& section, const QString& name)
{
    return section + QLatin1Char('/') + name;
}

// The text of a value written as text: a plain text, or a text with commas
// in it that the file format hands back split into a list.
std::optional<QString> TextOf(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::QString:
        return value.toString();
    case QMetaType::QStringList:
    case QMetaType::QVariantList:
        return value.toStringList().join(QStringLiteral(", "));
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Bool:
        return value.toString();
    default:
        return std::nullopt;
    }
}

QByteArray DoubleBytes(double value)
{
    const auto bits = std::bit_cast<std::uint64_t>(value);
    QByteArray bytes(8, '\0');
    for (int i = 0; i < 8; ++i)
        bytes[i] = static_cast<char>((bits >> (8 * i)) & 0xFF);
    return bytes;
}

double BytesDouble(const QByteArray& bytes)
{
    std::uint64_t bits = 0;
    for (int i = 0; i < 8; ++i)
        bits |= std::uint64_t{static_cast<unsigned char>(bytes[i])} << (8 * i);
    return std::bit_cast<double>(bits);
}

} // namespace

TSettingsStore::TSettingsStore() : TSettingsStore(ProgramKey()) {}

TSettingsStore::TSettingsStore(const QString& key) : Key_(key)
{
    QStringList parts = key.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    if (!parts.isEmpty() &&
        parts.front().compare(QStringLiteral("Software"), Qt::CaseInsensitive) == 0)
        parts.removeFirst();
    if (parts.size() < 2)
        throw ESettingsError("Invalid settings key '" + key.toStdString() + "'");
    Organization_ = parts.takeFirst();
    Application_ = parts.join(QLatin1Char('/'));
}

std::unique_ptr<QSettings> TSettingsStore::Open() const
{
    const QFileInfo file(FileName());
    if (file.exists() && !file.isFile())
        return nullptr;
    auto settings = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                                Organization_, Application_);
    // Only the user's own file: no organisation-wide or system-wide values.
    settings->setFallbacksEnabled(false);
    return settings;
}

// Where the native format keeps a user's settings on this platform, worked
// out without opening the file.
QString TSettingsStore::FileName() const
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/" +
           Organization_ + "/" + Application_ + ".conf";
}

QVariant TSettingsStore::Read(const QString& section, const QString& name, QString* fileName) const
{
    if (IsBlank(section) || IsBlank(name))
        return {};
    const auto settings = Open();
    if (settings == nullptr)
        return {};
    if (fileName != nullptr)
        *fileName = settings->fileName();
    return settings->value(ValueKey(section, name));
}

// Changes the file through a settings object and checks that the file took
// the change. A damaged file that could only partly be read is rewritten
// with what could be read.
template <typename F>
void TSettingsStore::Write(const QString& section, const QString& name, F&& change) const
{
    const auto settings = Open();
    const std::string fileName = FileName().toStdString();
    if (settings == nullptr)
        throw ESettingsError("Unable to write to " + fileName + ": not a regular file");
    // A value needs a section and a name; erasing a section gives no name.
    if (IsBlank(section) || (!name.isNull() && IsBlank(name)))
        throw ESettingsError("Unable to write to " + fileName + ": blank section or value name");
    change(*settings);
    settings->sync();
    if (settings->status() == QSettings::AccessError)
        throw ESettingsError("Unable to write to " + fileName);
}

namespace {

[[noreturn]] void RaiseInvalidType(const QString& name, const QString& fileName)
{
    throw ESettingsError("Invalid data type for '" + name.toStdString() + "' in " +
                         fileName.toStdString());
}

} // namespace

int TSettingsStore::ReadInteger(const QString& section, const QString& name, int defaultValue) const
{
    const QVariant value = Read(section, name);
    switch (value.typeId()) {
    case QMetaType::Int:
        return value.toInt();
    case QMetaType::QString:
        return TryTextToInt(value.toString().toStdString()).value_or(defaultValue);
    default:
        return defaultValue;
    }
}

double TSettingsStore::ReadFloat(const QString& section, const QString& name,
                                 double defaultValue) const
{
    QString fileName;
    const QVariant value = Read(section, name, &fileName);
    if (!value.isValid())
        return defaultValue;
    if (value.typeId() == QMetaType::QByteArray && value.toByteArray().size() == 8)
        return BytesDouble(value.toByteArray());
    RaiseInvalidType(name, fileName);
}

QString TSettingsStore::ReadString(const QString& section, const QString& name,
                                   const QString& defaultValue) const
{
    QString fileName;
    const QVariant value = Read(section, name, &fileName);
    if (!value.isValid())
        return defaultValue;
    if (const auto text = TextOf(value))
        return *text;
    RaiseInvalidType(name, fileName);
}

bool TSettingsStore::ReadBool(const QString& section, const QString& name, bool defaultValue) const
{
    return ReadInteger(section, name, defaultValue ? 1 : 0) != 0;
}

bool TSettingsStore::ValueExists(const QString& section, const QString& name) const
{
    return Read(section, name).isValid();
}

bool TSettingsStore::SectionExists(const QString& section) const
{
    if (IsBlank(section))
        return false;
    const auto settings = Open();
    return settings != nullptr && settings->childGroups().contains(section);
}

void TSettingsStore::WriteInteger(const QString& section, const QString& name, int value) const
{
    WriteString(section, name, QString::number(value));
}

void TSettingsStore::WriteFloat(const QString& section, const QString& name, double value) const
{
    Write(section, name, [&](QSettings& settings) {
        settings.setValue(ValueKey(section, name), DoubleBytes(value));
    });
}

void TSettingsStore::WriteString(const QString& section, const QString& name,
                                 const QString& value) const
{
    Write(section, name,
          [&](QSettings& settings) { settings.setValue(ValueKey(section, name), value); });
}

void TSettingsStore::WriteBool(const QString& section, const QString& name, bool value) const
{
    WriteString(section, name, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void TSettingsStore::EraseSection(const QString& section) const
{
    Write(section, QString(), [&](QSettings& settings) { settings.remove(section); });
}
