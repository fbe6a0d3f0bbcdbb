#include "RegistryFixture.h"

using namespace registry;
using namespace std::string_literals;
namespace fs = std::filesystem;

namespace {

constexpr const char* kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// How a desktop reads an Exec value, as the freedesktop.org desktop entry format has it: the
// string's escapes, then the field codes (only %% here), then the quoting.
std::vector<std::string> execArguments(std::string_view exec) {
    std::string line;
    for (std::size_t i = 0; i < exec.size(); ++i) {
        char c = exec[i];
        if (c == '\\' && i + 1 < exec.size()) {
            c = exec[++i];
            c = c == 's' ? ' ' : c == 'n' ? '\n' : c == 't' ? '\t' : c == 'r' ? '\r' : c;
        } else if (c == '%') {
            EXPECT_EQ(exec.substr(i, 2), "%%") << "a field code in " << exec;
            ++i;
        }
        line += c;
    }
    std::vector<std::string> arguments;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == ' ') continue;
        std::string argument;
        if (line[i] == '"') {
            // Inside quotes, these four must come escaped, and nothing else may be.
            for (++i; i < line.size() && line[i] != '"'; ++i) {
                const bool escaped = line[i] == '\\';
                if (escaped) ++i;
                EXPECT_EQ(escaped, std::string_view("\"`$\\").find(line[i]) != std::string::npos)
                    << "quoting of '" << line[i] << "' in " << exec;
                argument += line[i];
            }
        } else {
            for (; i < line.size() && line[i] != ' '; ++i) {
                EXPECT_EQ(std::string_view("\t\n\"'\\><~|&;$*?#()`").find(line[i]),
                          std::string_view::npos)
                    << "unquoted reserved character in " << exec;
                argument += line[i];
            }
        }
        arguments.push_back(argument);
    }
    return arguments;
}

std::string keyOf(const std::string& entryText, const std::string& key) {
    const auto start = entryText.find("\n" + key + "=");
    if (start == std::string::npos) return "(missing)";
    const auto value = start + key.size() + 2;
    return entryText.substr(value, entryText.find('\n', value) - value);
}

} // namespace

class AutostartTest : public RegistryTest {
protected:
    fs::path folder() const { return configHome() / "autostart"; }
    std::string entryFile(const std::string& file) const { return readFile(folder() / file); }
    cRegistry runValue(const std::string& name) {
        cRegistry reg(kProgram, backend());
        reg.ClassKey(kCurrentUser);
        reg.SectionKey(kRun);
        reg.ValueKey(name);
        reg.ValueType(kString);
        return reg;
    }
};

// Every value keeps its type and bytes; the entry's Exec hands each argument over unchanged,
// and a value with nothing to start gives a hidden entry.
TEST_F(AutostartTest, ExecHandsEveryArgumentOverUnchanged) {
    const ScopedEnv home("KELVO_TEST_HOME", "/home/kelvo user");
    using Arguments = std::vector<std::string>;
    const std::tuple<std::uint32_t, std::string, std::optional<Arguments>> cases[] = {
        {kString, "\"/home/me/my apps/kelvologger\" /m\0"s,
         Arguments{"/home/me/my apps/kelvologger", "/m"}},
        {kString, "/bin/prog \"say \\\"hi\\\"\" 'single'\0"s,
         Arguments{"/bin/prog", "say \"hi\"", "'single'"}},
        {kString, "/bin/prog C:\\dir\\ \"a\\\\b\" \"tail\\\\\"\0"s,
         Arguments{"/bin/prog", "C:\\dir\\", "a\\\\b", "tail\\"}},
        {kString, "/bin/prog 100% %%HOME%% $HOME `id` $(id)\0"s,
         Arguments{"/bin/prog", "100%", "%%HOME%%", "$HOME", "`id`", "$(id)"}},
        {kString, "\"/opt/odd \\ $ ` % path/x\" a\"b c\"d \"\"\0"s,
         Arguments{"/opt/odd \\ $ ` % path/x", "ab cd", ""}},
        {kString, "/bin/prog \"line\nbreak\ttab\" ~ * ? # ; & | < >\0"s,
         Arguments{"/bin/prog", "line\nbreak\ttab", "~", "*", "?", "#", ";", "&", "|", "<", ">"}},
        {kString, " \t/bin/lead  two   spaces \0"s, Arguments{"/bin/lead", "two", "spaces"}},
        {kExpandString, "\"%KELVO_TEST_HOME%/kelvologger\" /m\0"s,
         Arguments{"/home/kelvo user/kelvologger", "/m"}},
        {kString, "\0"s, std::nullopt},
        {kDword, "\x01\0\0\0"s, std::nullopt},
        {kBinary, "/bin/true", std::nullopt},
    };
    for (const auto& [type, data, arguments] : cases) {
        store(kRun, "v", type, data);
        const auto entry = entryFile("kelvo-run-v.desktop");
        if (arguments)
            EXPECT_EQ(execArguments(keyOf(entry, "Exec")), *arguments) << keyOf(entry, "Exec");
        else
            EXPECT_EQ(keyOf(entry, "Exec") + keyOf(entry, "Hidden"), "(missing)true") << data;
        EXPECT_EQ(stored(kRun, "v"), (Stored{type, data}));
    }
}

// A Run value is an entry of our own, named after the value; other files stay untouched.
TEST_F(AutostartTest, RunValuesAreOurOwnEntriesAlone) {
    fs::create_directories(folder());
    const std::pair<std::string, std::string> others[] = {
        {"kelvo-run-notes.txt", "mine? no"},
        {"other.desktop", "[Desktop Entry]\nType=Application\nName=Other\nExec=other\n"},
        {"kelvo.desktop", "[Desktop Entry]\nName=kelvo\n"},
    };
    for (const auto& [name, text] : others)
        m_temp.write("config/autostart/" + name, text);

    runValue("Kelvo Logger AutoStart").Value("\"/opt/kelvo/kelvologger\" /m"s);
    const auto ours = entryFile("kelvo-run-kelvo_20logger_20autostart.desktop");
    EXPECT_TRUE(ours.find("\n[Desktop Entry]\nType=Application\n") != std::string::npos) << ours;
    EXPECT_EQ(keyOf(ours, "Name"), "Kelvo Logger AutoStart");
    EXPECT_EQ(keyOf(ours, "Exec"), "/opt/kelvo/kelvologger /m");
    EXPECT_EQ(runValue("KELVO LOGGER AUTOSTART").Value(),
              Variant("\"/opt/kelvo/kelvologger\" /m"s));
    EXPECT_FALSE(fs::exists(configHome() / kProgram / "registry" / "HKEY_CURRENT_USER.hive"))
        << "the value lives in the entry alone";
    runValue("Second/Name").Value("/bin/true"s);
    std::vector<std::string> names;
    long count = 0;
    ASSERT_TRUE(runValue("").EnumerateValues(names, count));
    EXPECT_EQ(names, (std::vector<std::string>{"Kelvo Logger AutoStart", "Second/Name"}));
    EXPECT_TRUE(fs::exists(folder() / "kelvo-run-second_2fname.desktop"));

    EXPECT_TRUE(runValue("kelvo logger autostart").DeleteValue());
    EXPECT_FALSE(fs::exists(folder() / "kelvo-run-kelvo_20logger_20autostart.desktop"));
    EXPECT_EQ(runValue("Second/Name").Value(), Variant("/bin/true"s));
    EXPECT_THROW(runValue("Kelvo Logger AutoStart").DeleteValue(), RegistryError);
    for (const auto& [name, text] : others)
        EXPECT_EQ(entryFile(name), text) << name;
}
