#pragma once

#include <cstdlib>
#include <optional>
#include <string>

// Sets an environment variable for one scope, or removes it; puts the old value back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::optional<std::string>& value) : m_name(name) {
        if (const char* old = std::getenv(name)) m_old = old;
        set(name, value);
    }
    ~ScopedEnv() { set(m_name, m_old); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    static void set(const char* name, const std::optional<std::string>& value) {
#ifdef _WIN32
        // An empty value removes the variable.
        ::_putenv_s(name, value ? value->c_str() : "");
#else
        value ? ::setenv(name, value->c_str(), 1) : ::unsetenv(name);
#endif
    }

    const char* m_name;
    std::optional<std::string> m_old;
};
