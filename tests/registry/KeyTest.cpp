#include "RegistryFixture.h"

#include <algorithm>
#include <random>

using namespace registry;
using namespace std::string_literals;

namespace {

std::vector<std::string> sorted(std::vector<std::string> names) {
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

using KeyTest = RegistryTest;

TEST_F(KeyTest, KeysAndValuesAreMadeFoundAndDeletedWithoutRegardToLetterCase) {
    entry("MixedCase", kString, "Sub\\a").Value("first"s); // makes the whole path
    entry("MIXEDCASE", kString, "SUB\\A").Value("second"s);
    entry("stays", kString, "sub\\a").Value("here"s);
    EXPECT_TRUE(entry("", kString, "sub").KeyExists());
    EXPECT_EQ(entry("mixedcase", kString, "sub\\a").Value(), Variant("second"s));
    std::vector<std::string> names;
    long count = 0;
    EXPECT_TRUE(entry("", kString, "sub\\a").EnumerateValues(names, count));
    EXPECT_EQ(sorted(names), (std::vector<std::string>{"MixedCase", "stays"})) << "as first named";
    EXPECT_TRUE(entry("mixedCASE", kString, "sub\\a").DeleteValue());
    EXPECT_EQ(entry("MixedCase", kString, "sub\\a").Value(), Variant());
    EXPECT_EQ(entry("stays", kString, "sub\\a").Value(), Variant("here"s));

    auto key = entry("", kString, "sub\\made\\here");
    EXPECT_FALSE(key.KeyExists());
    EXPECT_TRUE(key.CreateKey());
    EXPECT_TRUE(key.CreateKey()) << "an existing key is opened";
    EXPECT_TRUE(key.KeyExists());
    EXPECT_TRUE(key.DeleteKey());
    EXPECT_FALSE(key.KeyExists());
    EXPECT_TRUE(entry("", kString, "sub\\made").KeyExists()) << "the key above stays";
}

TEST_F(KeyTest, EnumerationsListEveryNameOnce) {
    for (const auto* name : {"Alpha", "beta", "Gamma Ray", ""})
        entry(name, kString, "e").Value("v"s);
    for (const auto* name : {"One", "two", "Three Four", "One\\Deeper"})
        entry("", kString, "e\\"s + name).CreateKey();
    using Names = std::vector<std::string>;
    struct Case {
        std::string subKey;
        bool sections, found;
        Names names;
    } cases[] = {
        {"e", false, true, {"", "Alpha", "Gamma Ray", "beta"}},
        {"e", true, true, {"One", "Three Four", "two"}},
        {"e\\two", true, true, {}},
        {"absent", false, false, {}},
        {"absent", true, false, {}},
    };
    for (const auto& c : cases) {
        Names names{"left over"};
        long count = -1;
        auto reg = entry("", kString, c.subKey);
        EXPECT_EQ(c.sections ? reg.EnumerateSections(names, count)
                             : reg.EnumerateValues(names, count),
                  c.found);
        EXPECT_EQ(sorted(names), c.names) << c.subKey << c.sections;
        EXPECT_EQ(count, static_cast<long>(c.names.size()));
    }
}

TEST_F(KeyTest, MachineNamesGetTwoBackslashes) {
    cRegistry reg(kProgram, backend());
    const std::pair<std::string, std::string> cases[] = {
        {"\\\\server", "\\\\server"}, {"abc", "\\\\abc"}, {"ab", ""}, {"", ""}};
    for (const auto& [given, kept] : cases) {
        reg.Machine("previous");
        reg.Machine(given);
        EXPECT_EQ(reg.Machine(), kept) << given;
    }
}

class AssociationTest : public RegistryTest {
protected:
    AssociationTest() {
        const auto id = std::to_string(std::random_device()());
        m_extension = ".kt" + id;
        m_class = "KelvoTest.Document" + id;
    }
    ~AssociationTest() override {
        for (const auto& [root, prefix] :
             {std::pair{kClassesRoot, ""s}, std::pair{kLocalMachine, "SOFTWARE\\Classes\\"s}}) {
            deleteTree(root, prefix + m_extension);
            deleteTree(root, prefix + m_class);
        }
    }
    std::string text(std::uint32_t root, const std::string& path) {
        cRegistry reg(kProgram, backend());
        return std::get<std::string>(reg.ValueEx(root, path, "", kString, "(none)"s));
    }

    std::string m_extension;
    std::string m_class;
};

TEST_F(AssociationTest, AFileTypeIsRegisteredInBothClassRoots) {
    cRegistry reg(kProgram, backend());
    reg.CreateEXEAssociation({.exePath = "  C:\\Program Files\\Kelvo\\kelvologviewer.exe ",
                              .className = m_class,
                              .classDescription = "Kelvo log",
                              .extension = m_extension,
                              .print = true,
                              .install = true,
                              .installText = "Add it",
                              .iconIndex = 2});
    reg.CreateAdditionalEXEAssociations(m_class, {"edit", "&Edit", "notepad.exe \"%1\""});

    const std::string exe = "\"C:\\Program Files\\Kelvo\\kelvologviewer.exe\"";
    const std::pair<std::string, std::string> texts[] = {
        {"", "Kelvo log"},
        {"\\shell\\open", "&Open"},
        {"\\shell\\open\\command", exe + " \"%1\""},
        {"\\shell\\print", "&Print"},
        {"\\shell\\print\\command", exe + " /p \"%1\""},
        {"\\shell\\add", "Add it"},
        {"\\shell\\add\\command", exe + " /a \"%1\""},
        {"\\shell\\new", "(none)"}, // not asked for
        {"\\DefaultIcon", exe + ",2"},
        {"\\shell\\edit", "&Edit"},
        {"\\shell\\edit\\command", "notepad.exe \"%1\""},
    };
    for (const auto& [root, prefix] :
         {std::pair{kClassesRoot, ""s}, std::pair{kLocalMachine, "SOFTWARE\\Classes\\"s}}) {
        EXPECT_EQ(text(root, prefix + m_extension), m_class);
        for (const auto& [below, expected] : texts)
            EXPECT_EQ(text(root, prefix + m_class + below), expected) << prefix << below;
    }
}
