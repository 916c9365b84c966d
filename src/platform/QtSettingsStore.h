// The real settings store: an INI file written through QSettings.
#pragma once

#include <memory>
#include <string>

#include "base/ISettingsStore.h"

class QSettings;

namespace fsc {

class QtSettingsStore final : public ISettingsStore {
public:
    // The program options file of the current user (see SettingsFilePath).
    QtSettingsStore();
    explicit QtSettingsStore(const std::string& filePath);
    ~QtSettingsStore() override;

    std::optional<int> ReadInteger(const std::string& key, const std::string& name) override;
    std::optional<std::string> ReadString(const std::string& key, const std::string& name) override;
    void WriteInteger(const std::string& key, const std::string& name, int value) override;
    void WriteString(const std::string& key, const std::string& name,
                     const std::string& value) override;
    void Flush() override;

private:
    std::string filePath;
    std::unique_ptr<QSettings> settings;
};

}  // namespace fsc
