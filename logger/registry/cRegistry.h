#pragma once

#include "Backend.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace registry {

using Bytes = std::vector<std::uint8_t>;
// What a value reads as and is written from: nothing, text, a 16- or 32-bit integer, bytes.
using Variant = std::variant<std::monostate, std::string, std::int16_t, std::int32_t, Bytes>;

// Nothing, or a text without characters: what reads as "" and writes as "".
inline bool isEmptyText(const Variant& value) {
    const auto* text = std::get_if<std::string>(&value);
    return std::holds_alternative<std::monostate>(value) || (text && text->empty());
}

inline constexpr std::int32_t kErrorNumber = 26001;
inline constexpr std::int32_t kWriteErrorNumber = static_cast<std::int32_t>(0x800469A9);

class RegistryError : public std::runtime_error {
public:
    RegistryError(std::int32_t number, std::string source, const std::string& description)
        : std::runtime_error(description), m_number(number), m_source(std::move(source)) {}
    std::int32_t number() const { return m_number; }
    const std::string& source() const { return m_source; }
    std::string description() const { return what(); }

private:
    std::int32_t m_number;
    std::string m_source;
};

// A file type for CreateEXEAssociation: which program opens files of that extension, and
// which of the verbs print (/p), new (/n) and install (/a) it offers.
struct ExeAssociation {
    std::string exePath{};
    std::string className{};
    std::string classDescription{};
    std::string extension{};
    std::string openText{};
    bool print = false;
    std::string printText{};
    bool newFile = false;
    std::string newText{};
    bool install = false;
    std::string installText{};
    long iconIndex = 0; // negative: no icon
};

// One registry value, addressed by root key, key path and value name. Setting the address
// only stores it; every operation that reads or writes opens the key again, so nothing is
// cached and an object may be dropped after one use.
class cRegistry {
public:
    // exeName: the program's executable name, which names the source of every error.
    cRegistry(std::string exeName, Backend& backend);

    const std::string& Machine() const { return m_machine; }
    void Machine(std::string_view name);
    bool KeyExists();
    bool CreateKey();
    bool DeleteKey();
    bool DeleteValue();
    // The stored value, or Default when nothing can be read; sets ValueType to the stored type.
    Variant Value();
    void Value(const Variant& value);
    bool EnumerateValues(std::vector<std::string>& names, long& count);
    bool EnumerateSections(std::vector<std::string>& names, long& count);
    void CreateEXEAssociation(const ExeAssociation& association);
    // items: triples of verb name, menu text and command.
    void CreateAdditionalEXEAssociations(const std::string& className,
                                         const std::vector<std::string>& items);
    std::int32_t ValueType() const { return m_valueType; }
    void ValueType(std::int32_t type) { m_valueType = type; }
    std::uint32_t ClassKey() const { return m_classKey; }
    void ClassKey(std::uint32_t root) { m_classKey = root; }
    const std::string& SectionKey() const { return m_sectionKey; }
    void SectionKey(std::string path) { m_sectionKey = std::move(path); }
    const std::string& ValueKey() const { return m_valueKey; }
    void ValueKey(std::string name) { m_valueKey = std::move(name); }
    Variant ValueEx(std::uint32_t root, std::string section, std::string valueKey,
                    std::int32_t type, Variant defaultValue);
    void ValueEx(std::uint32_t root, std::string section, std::string valueKey, std::int32_t type,
                 Variant defaultValue, const Variant& newValue);
    const Variant& Default() const { return m_default; }
    void Default(Variant value) { m_default = std::move(value); }

private:
    // Closes an opened key on every way out.
    class OpenedKey {
    public:
        explicit OpenedKey(Backend& backend) : m_backend(backend) {}
        OpenedKey(const OpenedKey&) = delete;
        OpenedKey& operator=(const OpenedKey&) = delete;
        ~OpenedKey();
        Handle handle = 0;
        bool owned = true;

    private:
        Backend& m_backend;
    };

    Result openRoot(OpenedKey& root);
    Result openKey(OpenedKey& key, std::uint32_t access);
    Result createKey(OpenedKey& key);
    Variant decode(std::uint32_t type, std::string data);
    bool enumerate(std::vector<std::string>& names, long& count, bool sections);
    void setDefaultText(std::uint32_t root, const std::string& section, const std::string& text);
    void addVerb(std::uint32_t root, const std::string& classKey, const std::string& verb,
                 const std::string& text, const std::string& command);
    // "<root as signed decimal>',Section: '<SectionKey>", the key as error texts show it.
    std::string keyText() const;
    [[noreturn]] void raise(std::int32_t number, const std::string& description) const;

    Backend& m_backend;
    std::string m_source;
    std::string m_machine;
    std::uint32_t m_classKey = 0;
    std::string m_sectionKey;
    std::string m_valueKey;
    Variant m_default;
    std::int32_t m_valueType = 0;
};

} // namespace registry
