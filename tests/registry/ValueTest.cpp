#include "RegistryFixture.h"

using namespace registry;
using namespace std::string_literals;

namespace {

Bytes bytes(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

} // namespace

using ValueTest = RegistryTest;

TEST_F(ValueTest, NothingToReadGivesTheDefaultAndLeavesTheValueType) {
    store(section(), "present", kString, "x\0"s);
    struct Case {
        std::string subKey, valueKey;
        Variant fallback;
    };
    for (const auto& c : {Case{"", "absent", {}}, Case{"", "absent", "fallback"s},
                          Case{"no\\such\\key", "present", std::int32_t{7}}}) {
        auto reg = entry(c.valueKey, kDword, c.subKey);
        reg.Default(c.fallback);
        EXPECT_EQ(reg.Value(), c.fallback) << c.subKey << " " << c.valueKey;
        EXPECT_EQ(reg.ValueType(), kDword);
    }
}

TEST_F(ValueTest, TextIsStoredWithOneNulAndReadWithout) {
    entry("ten").Value("0123456789"s);
    std::uint32_t type = 0;
    std::string data;
    ASSERT_EQ(stored(kCurrentUser, section(), "ten", type, data), kSuccess);
    EXPECT_EQ(type, kString);
    EXPECT_EQ(data, "0123456789\0"s);
    EXPECT_EQ(data.size(), 11u);

    auto reg = entry("ten", kNone);
    EXPECT_EQ(reg.Value(), Variant("0123456789"s));
    EXPECT_EQ(reg.ValueType(), kString);
}

TEST_F(ValueTest, PercentSignsTwoApartStoreExpandableText) {
    struct Case {
        std::string text;
        std::int32_t valueType;
        std::uint32_t storedType;
    };
    const Case cases[] = {
        {"%SystemRoot%\\x.exe", kString, kExpandString},
        {"a%b%", kString, kExpandString},
        {"%%%", kString, kExpandString},
        {"%%", kString, kString},
        {"100% sure", kString, kString},
        {"50%% off", kString, kString},
        {"plain", kExpandString, kString},
        {"%TEMP%", kExpandString, kExpandString},
    };
    for (const auto& c : cases) {
        entry("v", c.valueType).Value(c.text);
        std::uint32_t type = 0;
        std::string data;
        ASSERT_EQ(stored(kCurrentUser, section(), "v", type, data), kSuccess);
        EXPECT_EQ(type, c.storedType) << c.text;
        EXPECT_EQ(data, c.text + '\0') << c.text;
    }
}

TEST_F(ValueTest, ExpandableTextReadsWithTheEnvironmentFilledIn) {
    setEnvironment("KELVO_TEST_FOLDER", "C:\\Kelvo dir");
    struct Case {
        std::string storedText, read;
    };
    const Case cases[] = {
        {"%KELVO_TEST_FOLDER%\\logs", "C:\\Kelvo dir\\logs"},
        {"[%KELVO_TEST_FOLDER%][%KELVO_TEST_FOLDER%]", "[C:\\Kelvo dir][C:\\Kelvo dir]"},
        {"%KELVO_TEST_UNDEFINED%\\x", "%KELVO_TEST_UNDEFINED%\\x"},
        {"no references", "no references"},
    };
    for (const auto& c : cases) {
        store(section(), "path", kExpandString, c.storedText + '\0');
        auto reg = entry("path", kString);
        EXPECT_EQ(reg.Value(), Variant(c.read)) << c.storedText;
        EXPECT_EQ(reg.ValueType(), kExpandString);
    }
}

TEST_F(ValueTest, IntegersAreWrittenLeastSignificantByteFirst) {
    struct Case {
        std::int32_t valueType;
        Variant value;
        std::string data;
        std::int32_t read;
    };
    const Case cases[] = {
        {kDword, std::int32_t{0x01020304}, "\x04\x03\x02\x01", 0x01020304},
        {kDword, std::int16_t{-2}, "\xFE\xFF\xFF\xFF", -2},
        {kDwordBigEndian, std::int32_t{0x01020304}, "\x04\x03\x02\x01", 0x01020304},
    };
    for (const auto& c : cases) {
        entry("n", c.valueType).Value(c.value);
        std::uint32_t type = 0;
        std::string data;
        ASSERT_EQ(stored(kCurrentUser, section(), "n", type, data), kSuccess);
        EXPECT_EQ(type, kDword);
        EXPECT_EQ(data, c.data);
        EXPECT_EQ(entry("n").Value(), Variant(c.read));
    }
}

TEST_F(ValueTest, BytesRoundTripWithEveryByteValue) {
    Bytes all;
    for (int i = 0; i < 256; ++i)
        all.push_back(static_cast<std::uint8_t>(i));
    for (const auto& value : {all, Bytes{}, bytes("a\0b\r\n"s)}) {
        entry("blob", kBinary).Value(value);
        std::uint32_t type = 0;
        std::string data;
        ASSERT_EQ(stored(kCurrentUser, section(), "blob", type, data), kSuccess);
        EXPECT_EQ(type, kBinary);
        EXPECT_EQ(bytes(data), value);
        auto reg = entry("blob");
        EXPECT_EQ(reg.Value(), Variant(value));
        EXPECT_EQ(reg.ValueType(), kBinary);
    }
}

TEST_F(ValueTest, StoredDataReadsAccordingToItsType) {
    struct Case {
        std::uint32_t type;
        std::string data;
        Variant read;
    };
    const Case cases[] = {
        {kString, "", ""s},
        {kString, "no terminator", "no terminator"s},
        {kMultiString, "one\0two\0\0"s, "one\0two\0"s},
        {kDword, "\x01\x02\x03\x04", std::int32_t{0x04030201}},
        {kDword, "\xFF\xFF\xFF\xFF", std::int32_t{-1}},
        {kDwordBigEndian, "\x01\x02\x03\x04", std::int32_t{0x01020304}},
        {kDwordBigEndian, "\xFF\xFF\xFF\xFE", std::int32_t{-2}},
        // A number of the wrong size is no number: its bytes come back as they are.
        {kDword, "\x01\x02\x03", bytes("\x01\x02\x03")},
        {kNone, "", Bytes{}},
        {11, "\x01\0\0\0\0\0\0\x80"s, bytes("\x01\0\0\0\0\0\0\x80"s)},
    };
    for (const auto& c : cases) {
        store(section(), "stored", c.type, c.data);
        auto reg = entry("stored", kString);
        EXPECT_EQ(reg.Value(), c.read) << "type " << c.type;
        EXPECT_EQ(reg.ValueType(), static_cast<std::int32_t>(c.type));
    }
}

TEST_F(ValueTest, WritingCreatesTheWholeKeyPath) {
    entry("deep", kString, "a\\b\\c").Value("there"s);
    for (const auto* subKey : {"a", "a\\b", "a\\b\\c"}) {
        auto reg = entry("", kString, subKey);
        EXPECT_TRUE(reg.KeyExists()) << subKey;
    }
    EXPECT_EQ(entry("deep", kString, "a\\b\\c").Value(), Variant("there"s));
}

TEST_F(ValueTest, NamesMatchWithoutRegardToLetterCase) {
    entry("MixedCase", kString, "Sub").Value("first"s);
    entry("MIXEDCASE", kString, "SUB").Value("second"s);
    EXPECT_EQ(entry("mixedcase", kString, "sub").Value(), Variant("second"s));
    std::vector<std::string> names;
    long count = 0;
    EXPECT_TRUE(entry("", kString, "sub").EnumerateValues(names, count));
    EXPECT_EQ(names, std::vector<std::string>{"MixedCase"});
}

TEST_F(ValueTest, DeletingRemovesTheValueButKeepsTheKey) {
    entry("gone").Value("soon"s);
    entry("stays").Value("here"s);
    EXPECT_TRUE(entry("gone").DeleteValue());
    EXPECT_EQ(entry("gone").Value(), Variant());
    EXPECT_EQ(entry("stays").Value(), Variant("here"s));
    EXPECT_TRUE(entry("").KeyExists());
}

TEST_F(ValueTest, ValueExAddressesAndReadsOrWritesInOneCall) {
    cRegistry reg(kProgram, backend());
    reg.ValueEx(kCurrentUser, section(), "ex", kString, "fallback"s, ""s);
    EXPECT_EQ(entry("ex").Value(), Variant("fallback"s));
    reg.ValueEx(kCurrentUser, section(), "ex", kString, "fallback"s, "given"s);
    EXPECT_EQ(entry("ex").Value(), Variant("given"s));

    cRegistry reader(kProgram, backend());
    EXPECT_EQ(reader.ValueEx(kCurrentUser, section(), "ex", kNone, {}), Variant("given"s));
    EXPECT_EQ(reader.ValueType(), kString);
    EXPECT_EQ(reader.ValueEx(kCurrentUser, section(), "nothing", kNone, "dflt"s), Variant("dflt"s));
    EXPECT_EQ(reader.SectionKey(), section());
    EXPECT_EQ(reader.ValueKey(), "nothing");
}
