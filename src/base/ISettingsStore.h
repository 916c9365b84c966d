// The per-user store of typed values, addressed by a key path and a value name.
// The GUI and the CLI share one real store; tests use the in-memory one.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <variant>

namespace fsc {

class ISettingsStore {
public:
    virtual ~ISettingsStore() = default;
    // Empty when the value is missing or not of the asked type.
    virtual std::optional<int> ReadInteger(const std::string& key, const std::string& name) = 0;
    virtual std::optional<std::string> ReadString(const std::string& key,
                                                  const std::string& name) = 0;
    virtual void WriteInteger(const std::string& key, const std::string& name, int value) = 0;
    virtual void WriteString(const std::string& key, const std::string& name,
                             const std::string& value) = 0;
    // Makes the writes durable; raises EFSC_Exception when the store cannot be written,
    // leaving what was stored before untouched.
    virtual void Flush() = 0;
};

class TMemorySettingsStore final : public ISettingsStore {
public:
    using Value = std::variant<int, std::string>;

    std::optional<int> ReadInteger(const std::string& key, const std::string& name) override {
        const Value* value = Find(key, name);
        if (value == nullptr || !std::holds_alternative<int>(*value)) return std::nullopt;
        return std::get<int>(*value);
    }
    std::optional<std::string> ReadString(const std::string& key,
                                          const std::string& name) override {
        const Value* value = Find(key, name);
        if (value == nullptr || !std::holds_alternative<std::string>(*value)) return std::nullopt;
        return std::get<std::string>(*value);
    }
    void WriteInteger(const std::string& key, const std::string& name, int value) override {
        values[key + '/' + name] = value;
    }
    void WriteString(const std::string& key, const std::string& name,
                     const std::string& value) override {
        values[key + '/' + name] = value;
    }
    void Flush() override {}

    const std::map<std::string, Value>& Values() const { return values; }

private:
    const Value* Find(const std::string& key, const std::string& name) const {
        const auto it = values.find(key + '/' + name);
        return it == values.end() ? nullptr : &it->second;
    }
    std::map<std::string, Value> values;
};

}  // namespace fsc
