#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// A fresh folder for one test, removed with everything in it afterwards.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(std::string_view name) const { return m_path / name; }

    void write(std::string_view name, std::string_view bytes) const;
    std::string read(std::string_view name) const;

private:
    std::filesystem::path m_path;
};

// Every byte of a file; empty when there is none.
std::string readFile(const std::filesystem::path& file);

// The names of the files in a folder, sorted.
std::vector<std::string> fileNames(const std::filesystem::path& folder);
