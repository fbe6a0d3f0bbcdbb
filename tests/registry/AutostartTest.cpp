#include "RegistryFixture.h"

using namespace registry;
using namespace std::string_literals;
namespace fs = std::filesystem;

namespace {

constexpr const char* kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// How a desktop reads an Exec value, step by step as the freedesktop.org desktop entry format has
// it: the string's escapes, then the field codes (only %% here), then the quoting.
std::vector<std::string> execArguments(std::string_view exec) {
    std::string unescaped;
    for (std::size_t i = 0; i < exec.size(); ++i) {
        if (exec[i] != '\\' || i + 1 == exec.size()) {
            unescaped += exec[i];
            continue;
        }
        const char c = exec[++i];
        unescaped += c == 's' ? ' ' : c == 'n' ? '\n' : c == 't' ? '\t' : c == 'r' ? '\r' : c;
    }
    std::string line;
    for (std::size_t i = 0; i < unescaped.size(); ++i) {
        line += unescaped[i];
        if (unescaped[i] == '%') {
            EXPECT_EQ(unescaped[i + 1], '%') << "a field code in " << exec;
            ++i;
        }
    }
    std::vector<std::string> arguments;
    for (std::size_t i = 0; i < line.size();) {
        if (line[i] == ' ') {
            ++i;
            continue;
        }
        std::string argument;
        if (line[i] == '"') {
            // Inside quotes, these four must come escaped, and nothing else may be.
            constexpr std::string_view kEscaped = "\"`$\\";
            for (++i; i < line.size() && line[i] != '"'; ++i) {
                const bool escaped = line[i] == '\\';
                if (escaped) ++i;
                EXPECT_EQ(escaped, kEscaped.find(line[i]) != std::string_view::npos)
                    << "quoting of '" << line[i] << "' in " << exec;
                argument += line[i];
            }
            ++i;
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
    std::string entryFile(const std::string& file) const {
        return m_temp.read(fs::relative(folder() / file, m_temp.path()).string());
    }
    cRegistry runValue(const std::string& name) {
        cRegistry reg(kProgram, backend());
        reg.ClassKey(kCurrentUser);
        reg.SectionKey(kRun);
        reg.ValueKey(name);
        reg.ValueType(kString);
        return reg;
    }
    void storeRun(const std::string& name, std::uint32_t type, std::string_view data) {
        store(kRun, name, type, data);
    }
};

TEST_F(AutostartTest, ARunValueIsADesktopEntryThatStartsItsCommand) {
    runValue("Kelvo Logger AutoStart").Value("\"/opt/kelvo/kelvologger\" /m"s);
    const auto text = entryFile("kelvo-run-kelvo_20logger_20autostart.desktop");
    EXPECT_TRUE(text.find("\n[Desktop Entry]\nType=Application\n") != std::string::npos) << text;
    EXPECT_EQ(keyOf(text, "Name"), "Kelvo Logger AutoStart");
    EXPECT_EQ(keyOf(text, "Exec"), "/opt/kelvo/kelvologger /m");
    EXPECT_EQ(runValue("KELVO LOGGER AUTOSTART").Value(),
              Variant("\"/opt/kelvo/kelvologger\" /m"s));
    EXPECT_FALSE(fs::exists(configHome() / kProgram / "registry" / "HKEY_CURRENT_USER.hive"))
        << "the value lives in the entry alone";
}

TEST_F(AutostartTest, ExecHandsEveryArgumentOverUnchanged) {
    struct Case {
        std::string commandLine;
        std::vector<std::string> arguments;
    };
    const Case cases[] = {
        {"\"/home/me/my apps/kelvologger\" /m", {"/home/me/my apps/kelvologger", "/m"}},
        {"/bin/prog \"say \\\"hi\\\"\" 'single'", {"/bin/prog", "say \"hi\"", "'single'"}},
        {"/bin/prog C:\\dir\\ \"a\\\\b\" \"tail\\\\\"",
         {"/bin/prog", "C:\\dir\\", "a\\\\b", "tail\\"}},
        {"/bin/prog 100% %%HOME%% $HOME `id` $(id)",
         {"/bin/prog", "100%", "%%HOME%%", "$HOME", "`id`", "$(id)"}},
        {"\"/opt/odd \\ $ ` % path/x\" a\"b c\"d \"\"", {"/opt/odd \\ $ ` % path/x", "ab cd", ""}},
        {"/bin/prog \"line\nbreak\ttab\" ~ * ? # ; & | < >",
         {"/bin/prog", "line\nbreak\ttab", "~", "*", "?", "#", ";", "&", "|", "<", ">"}},
        {" \t/bin/lead  two   spaces ", {"/bin/lead", "two", "spaces"}},
    };
    for (const auto& c : cases) {
        const auto data = c.commandLine + '\0';
        storeRun("quoting", kString, data);
        const auto text = entryFile("kelvo-run-quoting.desktop");
        EXPECT_EQ(execArguments(keyOf(text, "Exec")), c.arguments) << keyOf(text, "Exec");
        std::uint32_t type = 0;
        std::string read;
        ASSERT_EQ(stored(kCurrentUser, kRun, "quoting", type, read), kSuccess);
        EXPECT_EQ(read, data);
        EXPECT_EQ(type, kString);
    }
}

TEST_F(AutostartTest, ExpandableCommandsAreExpandedForTheDesktop) {
    setEnvironment("KELVO_TEST_HOME", "/home/kelvo user");
    runValue("expanding").Value("\"%KELVO_TEST_HOME%/kelvologger\" /m"s);
    const auto text = entryFile("kelvo-run-expanding.desktop");
    EXPECT_EQ(execArguments(keyOf(text, "Exec")),
              (std::vector<std::string>{"/home/kelvo user/kelvologger", "/m"}));
    std::uint32_t type = 0;
    std::string data;
    ASSERT_EQ(stored(kCurrentUser, kRun, "expanding", type, data), kSuccess);
    EXPECT_EQ(type, kExpandString);
    EXPECT_EQ(data, "\"%KELVO_TEST_HOME%/kelvologger\" /m\0"s);
}

TEST_F(AutostartTest, ValuesWithNothingToStartAreHidden) {
    const std::tuple<std::string, std::uint32_t, std::string> cases[] = {
        {"number", kDword, "\x01\0\0\0"s},
        {"empty", kString, "\0"s},
        {"bytes", kBinary, "/bin/true"},
    };
    for (const auto& [name, type, data] : cases) {
        storeRun(name, type, data);
        const auto text = entryFile("kelvo-run-" + name + ".desktop");
        EXPECT_EQ(keyOf(text, "Hidden"), "true") << name;
        EXPECT_EQ(keyOf(text, "Exec"), "(missing)") << name;
        std::uint32_t readType = 0;
        std::string read;
        ASSERT_EQ(stored(kCurrentUser, kRun, name, readType, read), kSuccess);
        EXPECT_EQ(read, data);
        EXPECT_EQ(readType, type);
    }
}

TEST_F(AutostartTest, OnlyOurOwnEntriesAreListedAndChanged) {
    fs::create_directories(folder());
    const std::pair<std::string, std::string> others[] = {
        {"kelvo-run-notes.txt", "mine? no"},
        {"other.desktop", "[Desktop Entry]\nType=Application\nName=Other\nExec=other\n"},
        {"kelvo.desktop", "[Desktop Entry]\nName=kelvo\n"},
    };
    for (const auto& [name, text] : others)
        m_temp.write(fs::relative(folder() / name, m_temp.path()).string(), text);

    runValue("Kelvo Logger AutoStart").Value("\"/opt/kelvo/kelvologger\" /m"s);
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
