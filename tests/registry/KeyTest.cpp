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

TEST_F(KeyTest, KeysAreCreatedTestedAndDeleted) {
    auto reg = entry("", kString, "made\\here");
    EXPECT_FALSE(reg.KeyExists());
    EXPECT_TRUE(reg.CreateKey());
    EXPECT_TRUE(reg.KeyExists());
    EXPECT_TRUE(reg.CreateKey()) << "an existing key is opened";
    EXPECT_TRUE(reg.DeleteKey());
    EXPECT_FALSE(reg.KeyExists());
    EXPECT_TRUE(entry("", kString, "made").KeyExists()) << "the key above stays";
}

TEST_F(KeyTest, EnumerationsListEveryNameOnce) {
    for (const auto* name : {"Alpha", "beta", "Gamma Ray", ""})
        entry(name, kString, "e").Value("v"s);
    for (const auto* name : {"One", "two", "Three Four"})
        entry("", kString, "e\\"s + name).CreateKey();
    entry("", kString, "e\\One\\Deeper").CreateKey();

    std::vector<std::string> names{"left over"};
    long count = -1;
    EXPECT_TRUE(entry("", kString, "e").EnumerateValues(names, count));
    EXPECT_EQ(sorted(names), (std::vector<std::string>{"", "Alpha", "Gamma Ray", "beta"}));
    EXPECT_EQ(count, 4);

    EXPECT_TRUE(entry("", kString, "e").EnumerateSections(names, count));
    EXPECT_EQ(sorted(names), (std::vector<std::string>{"One", "Three Four", "two"}));
    EXPECT_EQ(count, 3);

    EXPECT_TRUE(entry("", kString, "e\\two").EnumerateSections(names, count));
    EXPECT_TRUE(names.empty());
    EXPECT_EQ(count, 0);
}

TEST_F(KeyTest, EnumeratingAMissingKeyFailsWithNothingListed) {
    std::vector<std::string> names{"left over"};
    long count = -1;
    EXPECT_FALSE(entry("", kString, "absent").EnumerateValues(names, count));
    EXPECT_TRUE(names.empty());
    EXPECT_EQ(count, 0);
    EXPECT_FALSE(entry("", kString, "absent").EnumerateSections(names, count));
    EXPECT_EQ(count, 0);
}

TEST_F(KeyTest, MachineNamesGetTwoBackslashes) {
    cRegistry reg(kProgram, backend());
    const std::pair<std::string, std::string> cases[] = {
        {"server", "\\\\server"},
        {"\\\\server", "\\\\server"},
        {"abc", "\\\\abc"},
        {"ab", ""},
        {"", ""},
    };
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
    for (const auto& [root, prefix] :
         {std::pair{kClassesRoot, ""s}, std::pair{kLocalMachine, "SOFTWARE\\Classes\\"s}}) {
        const auto cls = prefix + m_class;
        EXPECT_EQ(text(root, prefix + m_extension), m_class);
        EXPECT_EQ(text(root, cls), "Kelvo log");
        EXPECT_EQ(text(root, cls + "\\shell\\open"), "&Open");
        EXPECT_EQ(text(root, cls + "\\shell\\open\\command"), exe + " \"%1\"");
        EXPECT_EQ(text(root, cls + "\\shell\\print"), "&Print");
        EXPECT_EQ(text(root, cls + "\\shell\\print\\command"), exe + " /p \"%1\"");
        EXPECT_EQ(text(root, cls + "\\shell\\add"), "Add it");
        EXPECT_EQ(text(root, cls + "\\shell\\add\\command"), exe + " /a \"%1\"");
        EXPECT_EQ(text(root, cls + "\\shell\\new"), "(none)") << "not asked for";
        EXPECT_EQ(text(root, cls + "\\DefaultIcon"), exe + ",2");
        EXPECT_EQ(text(root, cls + "\\shell\\edit"), "&Edit");
        EXPECT_EQ(text(root, cls + "\\shell\\edit\\command"), "notepad.exe \"%1\"");
    }
}
