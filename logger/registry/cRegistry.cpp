#include "cRegistry.h"

namespace registry {

namespace {

std::string toText(const Variant& value) {
    struct {
        std::string operator()(std::monostate) const { return {}; }
        std::string operator()(const std::string& text) const { return text; }
        std::string operator()(std::int16_t n) const { return std::to_string(n); }
        std::string operator()(std::int32_t n) const { return std::to_string(n); }
        std::string operator()(const Bytes& bytes) const { return {bytes.begin(), bytes.end()}; }
    } convert;
    return std::visit(convert, value);
}

// A "%", and at least two characters further on another "%": the text refers to an
// environment variable, and is stored so that it is expanded when read.
bool hasEnvironmentReference(const std::string& text) {
    const auto first = text.find('%');
    return first != std::string::npos && text.rfind('%') >= first + 2;
}

// String data ends in a NUL that is not part of the text. Data stored without one keeps all
// its bytes.
std::string withoutTerminator(std::string data) {
    if (!data.empty() && data.back() == '\0') data.pop_back();
    return data;
}

std::int32_t fromBytes(const std::string& data, bool bigEndian) {
    std::uint32_t n = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        const auto byte = static_cast<std::uint8_t>(data[bigEndian ? i : 3 - i]);
        n = n << 8 | byte;
    }
    return static_cast<std::int32_t>(n);
}

std::string littleEndian(std::int32_t value) {
    auto n = static_cast<std::uint32_t>(value);
    std::string data(4, '\0');
    for (auto& byte : data) {
        byte = static_cast<char>(n & 0xFF);
        n >>= 8;
    }
    return data;
}

} // namespace

cRegistry::OpenedKey::~OpenedKey() {
    if (handle != 0 && owned) m_backend.closeKey(handle);
}

cRegistry::cRegistry(std::string exeName, Backend& backend)
    : m_backend(backend), m_source(std::move(exeName) + ".cRegistry") {}

void cRegistry::Machine(std::string_view name) {
    if (name.size() <= 2)
        m_machine.clear();
    else
        m_machine = name.starts_with("\\\\") ? std::string(name) : "\\\\" + std::string(name);
}

// With a machine name set, the root is that computer's root key, and every key is opened
// under it.
Result cRegistry::openRoot(OpenedKey& root) {
    if (m_machine.empty()) {
        root.handle = rootHandle(m_classKey);
        root.owned = false;
        return kSuccess;
    }
    return m_backend.connect(m_machine, rootHandle(m_classKey), root.handle);
}

Result cRegistry::openKey(OpenedKey& key, std::uint32_t access) {
    OpenedKey root(m_backend);
    if (const auto result = openRoot(root); result != kSuccess) return result;
    return m_backend.openKey(root.handle, m_sectionKey, access, key.handle);
}

Result cRegistry::createKey(OpenedKey& key) {
    OpenedKey root(m_backend);
    if (const auto result = openRoot(root); result != kSuccess) return result;
    return m_backend.createKey(root.handle, m_sectionKey, kAllAccess, key.handle);
}

bool cRegistry::KeyExists() {
    OpenedKey key(m_backend);
    return openKey(key, kQueryValue) == kSuccess;
}

bool cRegistry::CreateKey() {
    OpenedKey key(m_backend);
    if (createKey(key) != kSuccess)
        raise(kErrorNumber, "Failed to create registry Key: '" + m_sectionKey);
    return true;
}

bool cRegistry::DeleteKey() {
    OpenedKey root(m_backend);
    if (openRoot(root) != kSuccess || m_backend.deleteKey(root.handle, m_sectionKey) != kSuccess)
        raise(kErrorNumber, "Failed to delete registry Key: '" + keyText());
    return true;
}

bool cRegistry::DeleteValue() {
    OpenedKey key(m_backend);
    if (openKey(key, kAllAccess) != kSuccess)
        raise(kErrorNumber, "Failed to open key '" + keyText() + "' for delete access");
    if (m_backend.deleteValue(key.handle, m_valueKey) != kSuccess)
        raise(kErrorNumber,
              "Failed to delete registry Key: '" + keyText() + "',Key: '" + m_valueKey);
    return true;
}

Variant cRegistry::Value() {
    OpenedKey key(m_backend);
    if (openKey(key, kQueryValue) != kSuccess) return m_default;
    std::uint32_t type = 0;
    std::string data;
    if (m_backend.queryValue(key.handle, m_valueKey, type, data) != kSuccess) return m_default;
    m_valueType = static_cast<std::int32_t>(type);
    return decode(type, std::move(data));
}

Variant cRegistry::decode(std::uint32_t type, std::string data) {
    switch (type) {
    case kString:
    case kMultiString:
        return withoutTerminator(std::move(data));
    case kExpandString: {
        // Expansion reads the text up to its first NUL, as the system's function does.
        auto text = withoutTerminator(std::move(data));
        return m_backend.expandEnvironmentStrings(text.substr(0, text.find('\0')));
    }
    case kDword:
    case kDwordBigEndian:
        // A number of any other size is handed back as the bytes it is.
        if (data.size() == 4) return fromBytes(data, type == kDwordBigEndian);
        break;
    default:
        break;
    }
    return Bytes(data.begin(), data.end());
}

void cRegistry::Value(const Variant& value) {
    const auto text = toText(value);
    const auto description = "Failed to set registry value Key: '" + keyText() + "',Key: '" +
                             m_valueKey + "' to value: '" + text + "'";
    OpenedKey key(m_backend);
    if (createKey(key) != kSuccess) raise(kErrorNumber, description);

    Result result = kInvalidData;
    switch (m_valueType) {
    case kString:
    case kExpandString:
        result = m_backend.setValue(key.handle, m_valueKey,
                                    hasEnvironmentReference(text) ? kExpandString : kString,
                                    std::string_view(text.c_str(), text.size() + 1));
        break;
    case kBinary: {
        const auto* bytes = std::get_if<Bytes>(&value);
        if (!bytes) raise(kErrorNumber, "Type mismatch");
        result = m_backend.setValue(key.handle, m_valueKey, kBinary,
                                    {reinterpret_cast<const char*>(bytes->data()), bytes->size()});
        break;
    }
    case kDword:
    case kDwordBigEndian:
        // Both are written least significant byte first, as REG_DWORD. Anything but an
        // integer is refused rather than silently dropped.
        if (const auto* n16 = std::get_if<std::int16_t>(&value))
            result = m_backend.setValue(key.handle, m_valueKey, kDword, littleEndian(*n16));
        else if (const auto* n32 = std::get_if<std::int32_t>(&value))
            result = m_backend.setValue(key.handle, m_valueKey, kDword, littleEndian(*n32));
        break;
    default:
        break;
    }
    if (result != kSuccess) raise(kWriteErrorNumber, description);
}

bool cRegistry::EnumerateValues(std::vector<std::string>& names, long& count) {
    return enumerate(names, count, false);
}

bool cRegistry::EnumerateSections(std::vector<std::string>& names, long& count) {
    return enumerate(names, count, true);
}

// Lists names until the enumeration ends. False when the key cannot be opened, so that a
// missing key does not pass for an empty one.
bool cRegistry::enumerate(std::vector<std::string>& names, long& count, bool sections) {
    names.clear();
    count = 0;
    OpenedKey key(m_backend);
    if (openKey(key, kQueryValue | kEnumerateSubKeys) != kSuccess) return false;
    KeyInfo info;
    if (m_backend.queryInfo(key.handle, info) == kSuccess)
        names.reserve(sections ? info.subKeys : info.values);
    std::string name;
    for (std::uint32_t index = 0;; ++index) {
        const auto result = sections ? m_backend.enumKey(key.handle, index, name)
                                     : m_backend.enumValue(key.handle, index, name);
        if (result != kSuccess) break;
        if (const auto nul = name.find('\0'); sections && nul != std::string::npos)
            name.resize(nul);
        names.push_back(name);
        ++count;
    }
    return true;
}

Variant cRegistry::ValueEx(std::uint32_t root, std::string section, std::string valueKey,
                           std::int32_t type, Variant defaultValue) {
    ClassKey(root);
    SectionKey(std::move(section));
    ValueKey(std::move(valueKey));
    ValueType(type);
    Default(std::move(defaultValue));
    return Value();
}

void cRegistry::ValueEx(std::uint32_t root, std::string section, std::string valueKey,
                        std::int32_t type, Variant defaultValue, const Variant& newValue) {
    ClassKey(root);
    SectionKey(std::move(section));
    ValueKey(std::move(valueKey));
    ValueType(type);
    Default(std::move(defaultValue));
    if (type == kString && isEmptyText(newValue))
        Value(m_default);
    else
        Value(newValue);
}

std::string cRegistry::keyText() const {
    return std::to_string(static_cast<std::int32_t>(m_classKey)) + "',Section: '" + m_sectionKey;
}

void cRegistry::raise(std::int32_t number, const std::string& description) const {
    throw RegistryError(number, m_source, description);
}

} // namespace registry
