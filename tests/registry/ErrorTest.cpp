#include "RegistryFixture.h"

using namespace registry;
using namespace std::string_literals;

using ErrorTest = RegistryTest;

TEST_F(ErrorTest, FailuresRaiseTheirNumberSourceAndDescription) {
    entry("present").Value("x"s);
    const auto sec = section();
    struct Case {
        std::string what;
        std::function<void()> action;
        std::int32_t number;
        std::string description;
    };
    const Case cases[] = {
        {"deleting a missing value", [&] { entry("absent").DeleteValue(); }, 26001,
         "Failed to delete registry Key: '-2147483647',Section: '" + sec + "',Key: 'absent"},
        {"deleting under a missing key",
         [&] { entry("present", kString, "missing").DeleteValue(); }, 26001,
         "Failed to open key '-2147483647',Section: '" + sec + "\\missing' for delete access"},
        {"writing under no valid root",
         [&] {
             auto reg = entry("name");
             reg.ClassKey(0);
             reg.Value("text"s);
         },
         26001,
         "Failed to set registry value Key: '0',Section: '" + sec +
             "',Key: 'name' to value: 'text'"},
        {"writing a type that cannot be written", [&] { entry("list", kMultiString).Value("a"s); },
         static_cast<std::int32_t>(0x800469A9),
         "Failed to set registry value Key: '-2147483647',Section: '" + sec +
             "',Key: 'list' to value: 'a'"},
        {"writing text as a number", [&] { entry("n", kDword).Value("12"s); }, -2147194455,
         "Failed to set registry value Key: '-2147483647',Section: '" + sec +
             "',Key: 'n' to value: '12'"},
        {"writing text as bytes", [&] { entry("b", kBinary).Value("12"s); }, 26001,
         "Type mismatch"},
        {"creating a key under no valid root",
         [&] {
             auto reg = entry("");
             reg.ClassKey(0);
             reg.CreateKey();
         },
         26001, "Failed to create registry Key: '" + sec},
        {"deleting a missing key",
         [&] {
             auto reg = entry("");
             reg.ClassKey(kLocalMachine);
             reg.SectionKey(sec + "\\missing");
             reg.DeleteKey();
         },
         26001, "Failed to delete registry Key: '-2147483646',Section: '" + sec + "\\missing"},
        {"deleting a key that has subkeys",
         [&] {
             entry("", kString, "child").CreateKey();
             entry("").DeleteKey();
         },
         26001, "Failed to delete registry Key: '-2147483647',Section: '" + sec},
        {"an uneven list of additional verbs",
         [&] {
             entry("").CreateAdditionalEXEAssociations("Any", {"edit", "&Edit"});
         },
         26001,
         "Invalid parameter list passed to CreateAdditionalEXEAssociations - expected "
         "Name/Text/Command"},
        {"additional verbs for an unknown class",
         [&] {
             entry("").CreateAdditionalEXEAssociations("KelvoTest.NoSuchClass",
                                                       {"edit", "&Edit", "edit.exe"});
         },
         26001, "Error - attempt to create additional associations before class defined."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto e = raised(c.action);
        EXPECT_EQ(e.number(), c.number);
        EXPECT_EQ(e.source(), kSource);
        EXPECT_EQ(e.description(), c.description);
    }
    EXPECT_EQ(entry("present").Value(), Variant("x"s)) << "no failure touched another value";
}
