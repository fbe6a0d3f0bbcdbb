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

TEST_F(ValueTest, EachKindOfValueIsStoredAsItsType) {
    const std::string all = everyByte();
    const std::tuple<std::int32_t, Variant, Stored> cases[] = {
        {kString, "0123456789"s, {kString, "0123456789\0"s}}, // with one NUL
        // Percent signs two apart make expandable text, whatever type was asked for.
        {kString, "%SystemRoot%\\x.exe"s, {kExpandString, "%SystemRoot%\\x.exe\0"s}},
        {kString, "%%%"s, {kExpandString, "%%%\0"s}},
        {kString, "%%"s, {kString, "%%\0"s}},
        {kString, "100% sure"s, {kString, "100% sure\0"s}},
        {kString, "50%% off"s, {kString, "50%% off\0"s}},
        {kExpandString, "plain"s, {kString, "plain\0"s}},
        {kExpandString, "%TEMP%"s, {kExpandString, "%TEMP%\0"s}},
        // Integers least significant byte first, even where big-endian was asked for.
        {kDword, std::int32_t{0x01020304}, {kDword, "\x04\x03\x02\x01"}},
        {kDword, std::int16_t{-2}, {kDword, "\xFE\xFF\xFF\xFF"}},
        {kDwordBigEndian, std::int32_t{0x01020304}, {kDword, "\x04\x03\x02\x01"}},
        {kBinary, bytes(all), {kBinary, all}},
        {kBinary, Bytes{}, {kBinary, ""}},
    };
    for (const auto& [type, value, expected] : cases) {
        entry("v", type).Value(value);
        EXPECT_EQ(stored(section(), "v"), expected);
    }
}

TEST_F(ValueTest, StoredDataReadsAccordingToItsType) {
    const ScopedEnv folder("KELVO_TEST_FOLDER", "C:\\Kelvo dir");
    const std::string all = everyByte();
    const std::pair<Stored, Variant> cases[] = {
        {{kString, "0123456789\0"s}, "0123456789"s},
        {{kString, ""}, ""s},
        {{kString, "no terminator"}, "no terminator"s},
        {{kExpandString, "%KELVO_TEST_FOLDER%\\logs\0"s}, "C:\\Kelvo dir\\logs"s},
        {{kExpandString, "[%KELVO_TEST_FOLDER%][%KELVO_TEST_FOLDER%]\0"s},
         "[C:\\Kelvo dir][C:\\Kelvo dir]"s},
        {{kExpandString, "%KELVO_TEST_UNDEFINED%\\x\0"s}, "%KELVO_TEST_UNDEFINED%\\x"s},
        {{kMultiString, "one\0two\0\0"s}, "one\0two\0"s},
        {{kDword, "\x01\x02\x03\x04"}, std::int32_t{0x04030201}},
        {{kDword, "\xFF\xFF\xFF\xFF"}, std::int32_t{-1}},
        {{kDwordBigEndian, "\x01\x02\x03\x04"}, std::int32_t{0x01020304}},
        {{kDwordBigEndian, "\xFF\xFF\xFF\xFE"}, std::int32_t{-2}},
        // A number of the wrong size is no number: its bytes come back as they are.
        {{kDword, "\x01\x02\x03"}, bytes("\x01\x02\x03")},
        {{kBinary, all}, bytes(all)},
        {{kNone, ""}, Bytes{}},
        {{11, "\x01\0\0\0\0\0\0\x80"s}, bytes("\x01\0\0\0\0\0\0\x80"s)},
    };
    for (const auto& [value, read] : cases) {
        store(section(), "stored", value.type, value.data);
        auto reg = entry("stored", kString);
        EXPECT_EQ(reg.Value(), read) << value;
        EXPECT_EQ(reg.ValueType(), static_cast<std::int32_t>(value.type));
    }
}

TEST_F(ValueTest, ValueExAddressesAndReadsOrWritesInOneCall) {
    cRegistry reg(kProgram, backend());
    reg.ValueEx(kCurrentUser, section(), "ex", kString, "fallback"s, ""s);
    EXPECT_EQ(entry("ex").Value(), Variant("fallback"s));
    reg.ValueEx(kCurrentUser, section(), "ex", kString, "fallback"s, "given"s);
    EXPECT_EQ(reg.ValueEx(kCurrentUser, section(), "ex", kNone, {}), Variant("given"s));
    EXPECT_EQ(reg.ValueType(), kString);
    EXPECT_EQ(reg.ValueEx(kCurrentUser, section(), "nothing", kNone, "dflt"s), Variant("dflt"s));
    EXPECT_EQ(reg.SectionKey(), section());
    EXPECT_EQ(reg.ValueKey(), "nothing");
}
