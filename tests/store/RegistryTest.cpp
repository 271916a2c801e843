// The registry operations over the SQLite store: the rules the game's settings and
// high scores depend on.

#include <gtest/gtest.h>

#include "app/Registry.h"
#include "platform/Services.h"
#include "platform/linux/SqliteSettingsStore.h"

namespace {

constexpr HKEY kUser = HKEY_CURRENT_USER;
constexpr const char* kSettings = "Software\\Quillmoor\\Deckfall";
constexpr const char* kScores = "Software\\Quillmoor\\Deckfall\\HighScores";

class RegistryTest : public testing::Test {
protected:
    // The text of a string value, or "(none)".
    static std::string Text(const char* path, const char* name, std::size_t size = 255) {
        std::string text;
        return ReadRegString(kUser, path, name, text, size) ? text : "(none)";
    }

    std::unique_ptr<platform::SqliteSettingsStore> store_ = platform::SqliteSettingsStore::InMemory();
    platform::ScopedServices services_{{.settings = store_.get()}};
};

TEST_F(RegistryTest, ValuesKeepTheirTypeAndTheOtherTypeReadsAsAbsent) {
    // Orientation -1 is stored as its 32-bit pattern and comes back whole.
    ASSERT_TRUE(WriteRegDword(kUser, kSettings, "UpDown", 0xFFFFFFFF));
    EXPECT_EQ(static_cast<std::int32_t>(ReadRegDword(kUser, kSettings, "UpDown", 1)), -1);
    EXPECT_EQ(Text(kSettings, "UpDown"), "(none)");
    ASSERT_TRUE(WriteRegString(kUser, kSettings, "Music", "0"));
    EXPECT_EQ(ReadRegDword(kUser, kSettings, "Music", 1), 1u);

    // Writing the other type replaces the value.
    ASSERT_TRUE(WriteRegDword(kUser, kSettings, "Music", 0));
    EXPECT_EQ(ReadRegDword(kUser, kSettings, "Music", 1), 0u);
    EXPECT_EQ(Text(kSettings, "Music"), "(none)");
    ASSERT_TRUE(WriteRegString(kUser, kSettings, "UpDown", ""));
    EXPECT_EQ(ReadRegDword(kUser, kSettings, "UpDown", 1), 1u);
    EXPECT_EQ(Text(kSettings, "UpDown"), "");
}

TEST_F(RegistryTest, PathsAndNamesMatchWithoutRegardToCase) {
    ASSERT_TRUE(WriteRegString(kUser, kScores, "Score9", "$42"));
    EXPECT_EQ(Text("SOFTWARE\\quillmoor\\DeckFall\\highscores", "score9"), "$42");

    // A name differing only in case is the same value, whatever type it held.
    ASSERT_TRUE(WriteRegDword(kUser, kSettings, "beep", 0));
    ASSERT_TRUE(WriteRegDword(kUser, "software\\QUILLMOOR\\deckfall", "BEEP", 7));
    EXPECT_EQ(ReadRegDword(kUser, kSettings, "Beep", 1), 7u);
    ASSERT_TRUE(WriteRegString(kUser, kSettings, "BeEp", "x"));
    EXPECT_EQ(ReadRegDword(kUser, kSettings, "beep", 1), 1u);

    // ...and one key: deleting it under another spelling takes its values along.
    ASSERT_TRUE(DeleteRegKey(kUser, "SOFTWARE\\QUILLMOOR\\DECKFALL\\HIGHSCORES"));
    EXPECT_EQ(Text(kScores, "Score9"), "(none)");
}

TEST_F(RegistryTest, StringsMustFitTheBufferWithTheirTerminatingZero) {
    const std::string bytes("a\0b\xff\x01 \xe2\x82\xac", 9);
    ASSERT_TRUE(WriteRegString(kUser, kScores, "Name0", bytes));
    EXPECT_EQ(Text(kScores, "Name0", 9), "(none)");
    EXPECT_EQ(Text(kScores, "Name0", 10), bytes);

    // The caller's text is emptied first, unless the size is zero.
    std::string text = "old";
    EXPECT_FALSE(ReadRegString(kUser, kScores, "Name0", text, 0));
    EXPECT_EQ(text, "old");
    EXPECT_FALSE(ReadRegString(kUser, kScores, "Missing", text, 255));
    EXPECT_EQ(text, "");
}

TEST_F(RegistryTest, DeleteRefusesMissingKeysAndKeysWithSubkeys) {
    EXPECT_FALSE(DeleteRegKey(kUser, kScores));
    // Writing made every key above the value's key.
    ASSERT_TRUE(WriteRegString(kUser, kScores, "Name0", "Ann"));
    ASSERT_TRUE(WriteRegDword(kUser, kSettings, "Beep", 0));
    EXPECT_FALSE(DeleteRegKey(kUser, "Software\\Quillmoor"));
    EXPECT_FALSE(DeleteRegKey(kUser, kSettings));
    EXPECT_EQ(ReadRegDword(kUser, kSettings, "Beep", 1), 0u);

    EXPECT_TRUE(DeleteRegKey(kUser, kScores));
    EXPECT_FALSE(DeleteRegKey(kUser, kScores));
    EXPECT_TRUE(DeleteRegKey(kUser, kSettings));
    EXPECT_EQ(ReadRegDword(kUser, kSettings, "Beep", 1), 1u);
    // A fresh list can be written after a reset.
    ASSERT_TRUE(WriteRegString(kUser, kScores, "Score0", "$10"));
    EXPECT_EQ(Text(kScores, "score0"), "$10");
}

TEST(RegistryWithoutStore, ReadsGiveDefaultsAndWritesFail) {
    const platform::ScopedServices none{{}};
    std::string text;
    EXPECT_EQ(ReadRegDword(kUser, kSettings, "Beep", 5), 5u);
    EXPECT_FALSE(ReadRegString(kUser, kSettings, "Name0", text, 255));
    EXPECT_FALSE(WriteRegDword(kUser, kSettings, "Beep", 0));
    EXPECT_FALSE(WriteRegString(kUser, kSettings, "Name0", "x"));
    EXPECT_FALSE(DeleteRegKey(kUser, kSettings));
}

}  // namespace
