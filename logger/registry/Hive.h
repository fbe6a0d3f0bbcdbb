#pragma once

#include "Backend.h"

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace registry {

struct StoredValue {
    std::string name;
    std::uint32_t type = kNone;
    std::string data;
};

struct StoredKey {
    std::string path;                // as first created; "" is the root
    std::vector<StoredValue> values; // in the order they were first set
};

// The keys and values under one root, kept in one file. Key and value names match without
// regard to letter case (Windows-1252 letters) and keep the case they were created with.
//
// File format: bytes, so that names and data may hold any byte, NUL and line ends included.
//   "kelvo-registry 1\n"
//   then for each key:   "key " <length> ":" <path> "\n"
//   then for its values: "value " <type> " " <length> ":" <name> " " <length> ":" <data> "\n"
// Lengths and types are decimal; a value belongs to the key above it. Anything else, or a
// length that runs past the end, makes the file damaged: it is refused, never emptied.
class Hive {
public:
    // The hive in the file; a missing file is an empty hive. kBadDatabase when damaged.
    static Result load(const std::filesystem::path& file, Hive& hive);
    // Replaces the file as a whole, so that a reader sees the old or the new hive.
    Result save(const std::filesystem::path& file) const;

    static std::string fold(std::string_view name);

    StoredKey* find(const std::string& path);
    // The key, with every missing key on its path.
    StoredKey& ensure(const std::string& path);
    bool hasSubKeys(const std::string& path) const;
    void erase(const std::string& path);
    // The last part of each direct subkey's path, ordered by folded name.
    std::vector<std::string> subKeyNames(const std::string& path) const;

    static StoredValue* findValue(StoredKey& key, const std::string& name);

private:
    std::map<std::string, StoredKey> m_keys; // by folded path
};

} // namespace registry
