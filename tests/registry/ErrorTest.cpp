#include "RegistryFixture.h"

using namespace registry;
using namespace std::string_literals;

using ErrorTest = RegistryTest;

TEST_F(ErrorTest, FailuresRaiseTheirNumberSourceAndDescription) {
    entry("present").Value("x"s);
    entry("", kString, "child").CreateKey();
    const auto sec = section(), setValue = "Failed to set registry value Key: '"s;
    const std::tuple<std::function<void()>, std::int32_t, std::string> cases[] = {
        // Deleting a missing value, under a missing key, a missing key, a key with subkeys.
        {[&] { entry("absent").DeleteValue(); }, 26001,
         "Failed to delete registry Key: '-2147483647',Section: '" + sec + "',Key: 'absent"},
        {[&] { entry("present", kString, "missing").DeleteValue(); }, 26001,
         "Failed to open key '-2147483647',Section: '" + sec + "\\missing' for delete access"},
        {[&] { entry("", kString, "missing", kLocalMachine).DeleteKey(); }, 26001,
         "Failed to delete registry Key: '-2147483646',Section: '" + sec + "\\missing"},
        {[&] { entry("").DeleteKey(); }, 26001,
         "Failed to delete registry Key: '-2147483647',Section: '" + sec},
        // Writing or creating under no valid root; writing what the type cannot hold.
        {[&] { entry("name", kString, "", 0).Value("text"s); }, 26001,
         setValue + "0',Section: '" + sec + "',Key: 'name' to value: 'text'"},
        {[&] { entry("", kString, "", 0).CreateKey(); }, 26001,
         "Failed to create registry Key: '" + sec},
        {[&] { entry("list", kMultiString).Value("a"s); }, static_cast<std::int32_t>(0x800469A9),
         setValue + "-2147483647',Section: '" + sec + "',Key: 'list' to value: 'a'"},
        {[&] { entry("n", kDword).Value("12"s); }, -2147194455,
         setValue + "-2147483647',Section: '" + sec + "',Key: 'n' to value: '12'"},
        {[&] { entry("b", kBinary).Value("12"s); }, 26001, "Type mismatch"},
        // An uneven list of additional verbs; additional verbs for an unknown class.
        {[&] {
             entry("").CreateAdditionalEXEAssociations("Any", {"edit", "&Edit"});
         },
         26001,
         "Invalid parameter list passed to CreateAdditionalEXEAssociations - expected "
         "Name/Text/Command"},
        {[&] {
             entry("").CreateAdditionalEXEAssociations("KelvoTest.NoSuchClass",
                                                       {"edit", "&Edit", "edit.exe"});
         },
         26001, "Error - attempt to create additional associations before class defined."},
    };
    for (const auto& [action, number, description] : cases) {
        SCOPED_TRACE(description);
        const auto e = raised(action);
        EXPECT_EQ(e.number(), number);
        EXPECT_EQ(e.source(), kSource);
        EXPECT_EQ(e.description(), description);
    }
    EXPECT_EQ(entry("present").Value(), Variant("x"s)) << "no failure touched another value";
}
