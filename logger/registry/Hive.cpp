#include "Hive.h"

#include "FileBytes.h"
#include "logfiles/CodePage.h"
#include "logfiles/TextFile.h"

#include <charconv>

namespace registry {

namespace {

constexpr std::string_view kHeader = "kelvo-registry 1\n";
constexpr std::uintmax_t kMaxHiveFile = 64u << 20;

// Reads the file format front to back; every step fails on anything unexpected.
class Reader {
public:
    explicit Reader(std::string_view text) : m_rest(text) {}
    bool atEnd() const { return m_rest.empty(); }

    bool literal(std::string_view expected) {
        if (!m_rest.starts_with(expected)) return false;
        m_rest.remove_prefix(expected.size());
        return true;
    }

    template <typename Number> bool number(Number& n) {
        const auto [end, ec] = std::from_chars(m_rest.data(), m_rest.data() + m_rest.size(), n);
        if (ec != std::errc() || end == m_rest.data()) return false;
        m_rest.remove_prefix(static_cast<std::size_t>(end - m_rest.data()));
        return true;
    }

    // <length> ":" <bytes>
    bool counted(std::string& out) {
        std::size_t length = 0;
        if (!number(length) || !literal(":") || length > m_rest.size()) return false;
        out.assign(m_rest.substr(0, length));
        m_rest.remove_prefix(length);
        return true;
    }

private:
    std::string_view m_rest;
};

void appendCounted(std::string& out, std::string_view bytes) {
    out += std::to_string(bytes.size());
    out += ':';
    out += bytes;
}

bool parse(std::string_view text, std::map<std::string, StoredKey>& keys) {
    Reader in(text);
    if (!in.literal(kHeader)) return false;
    StoredKey* current = nullptr;
    while (!in.atEnd()) {
        if (in.literal("key ")) {
            StoredKey key;
            if (!in.counted(key.path) || !in.literal("\n")) return false;
            const auto [it, added] = keys.emplace(Hive::fold(key.path), std::move(key));
            if (!added) return false;
            current = &it->second;
        } else if (in.literal("value ")) {
            StoredValue value;
            if (!current || !in.number(value.type) || !in.literal(" ") || !in.counted(value.name) ||
                !in.literal(" ") || !in.counted(value.data) || !in.literal("\n") ||
                Hive::findValue(*current, value.name))
                return false;
            current->values.push_back(std::move(value));
        } else {
            return false;
        }
    }
    return true;
}

} // namespace

std::string Hive::fold(std::string_view name) {
    return logfiles::toUpper1252(name);
}

Result Hive::load(const std::filesystem::path& file, Hive& hive) {
    hive.m_keys.clear();
    std::string text;
    if (const auto ec = readFileBytes(file, text, kMaxHiveFile)) {
        if (ec == std::errc::permission_denied) return kAccessDenied;
        if (ec != std::errc::no_such_file_or_directory) return kBadDatabase;
    } else if (!parse(text, hive.m_keys)) {
        hive.m_keys.clear();
        return kBadDatabase;
    }
    hive.ensure("");
    return kSuccess;
}

Result Hive::save(const std::filesystem::path& file) const {
    std::string text(kHeader);
    for (const auto& [folded, key] : m_keys) {
        text += "key ";
        appendCounted(text, key.path);
        text += '\n';
        for (const auto& value : key.values) {
            text += "value " + std::to_string(value.type) + ' ';
            appendCounted(text, value.name);
            text += ' ';
            appendCounted(text, value.data);
            text += '\n';
        }
    }
    std::error_code ec;
    std::filesystem::create_directories(file.parent_path(), ec);
    if (ec || logfiles::writeAtomically(file, text)) return kAccessDenied;
    return kSuccess;
}

StoredKey* Hive::find(const std::string& path) {
    const auto it = m_keys.find(fold(path));
    return it == m_keys.end() ? nullptr : &it->second;
}

StoredKey& Hive::ensure(const std::string& path) {
    const auto add = [this](const std::string& keyPath) -> StoredKey& {
        auto& key = m_keys[fold(keyPath)];
        if (key.path.empty()) key.path = keyPath;
        return key;
    };
    for (auto end = path.find('\\'); end != std::string::npos; end = path.find('\\', end + 1))
        add(path.substr(0, end));
    return add(path);
}

bool Hive::hasSubKeys(const std::string& path) const {
    return !subKeyNames(path).empty();
}

void Hive::erase(const std::string& path) {
    m_keys.erase(fold(path));
}

std::vector<std::string> Hive::subKeyNames(const std::string& path) const {
    const auto prefix = path.empty() ? std::string() : fold(path) + '\\';
    std::vector<std::string> names;
    for (auto it = m_keys.lower_bound(prefix); it != m_keys.end(); ++it) {
        const auto& [folded, key] = *it;
        if (!folded.starts_with(prefix)) break;
        if (folded.size() > prefix.size() && folded.find('\\', prefix.size()) == std::string::npos)
            names.push_back(key.path.substr(prefix.size()));
    }
    return names;
}

StoredValue* Hive::findValue(StoredKey& key, const std::string& name) {
    const auto folded = fold(name);
    for (auto& value : key.values)
        if (fold(value.name) == folded) return &value;
    return nullptr;
}

} // namespace registry
