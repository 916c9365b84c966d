// The INI-file settings store. QSettings writes through a temporary file and a rename,
// so a store that cannot be written keeps its old contents.
#include "platform/QtSettingsStore.h"

#include <QSettings>
#include <QString>

#include "base/AppFolders.h"
#include "base/Errors.h"

namespace fsc {

namespace {

QString EntryName(const std::string& key, const std::string& name) {
    return QString::fromStdString(key) + u'/' + QString::fromStdString(name);
}

}  // namespace

QtSettingsStore::QtSettingsStore() : QtSettingsStore(SettingsFilePath()) {}

QtSettingsStore::QtSettingsStore(const std::string& path)
    : filePath(path),
      settings(std::make_unique<QSettings>(QString::fromStdString(path), QSettings::IniFormat)) {}

QtSettingsStore::~QtSettingsStore() = default;

std::optional<int> QtSettingsStore::ReadInteger(const std::string& key, const std::string& name) {
    const QVariant value = settings->value(EntryName(key, name));
    bool ok = false;
    const int number = value.toInt(&ok);
    if (!value.isValid() || !ok) return std::nullopt;
    return number;
}

std::optional<std::string> QtSettingsStore::ReadString(const std::string& key,
                                                       const std::string& name) {
    const QVariant value = settings->value(EntryName(key, name));
    if (!value.isValid()) return std::nullopt;
    return value.toString().toStdString();
}

void QtSettingsStore::WriteInteger(const std::string& key, const std::string& name, int value) {
    settings->setValue(EntryName(key, name), value);
}

void QtSettingsStore::WriteString(const std::string& key, const std::string& name,
                                  const std::string& value) {
    // The file is UTF-8 text, like the file names it stores on this system.
    settings->setValue(EntryName(key, name), QString::fromStdString(value));
}

void QtSettingsStore::Flush() {
    settings->sync();
    if (settings->status() != QSettings::NoError) {
        throw EFSC_Exception("Cannot write the program options to \"" + filePath + "\".");
    }
}

}  // namespace fsc
