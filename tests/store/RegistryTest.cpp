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

// -1 comes back whole; a value of the other type reads as absent; paths and names match
// without regard to case, so writing another type in another case replaces the value.
TEST_F(RegistryTest, ValuesKeepTheirTypeAndMatchWithoutRegardToCase) {
    ASSERT_TRUE(WriteRegDword(kUser, kSettings, "UpDown", 0xFFFFFFFF));
    EXPECT_EQ(static_cast<std::int32_t>(ReadRegDword(kUser, kSettings, "UpDown", 1)), -1);
    EXPECT_EQ(Text(kSettings, "UpDown"), "(none)");
    ASSERT_TRUE(WriteRegString(kUser, kSettings, "Music", "0"));
    EXPECT_EQ(ReadRegDword(kUser, kSettings, "Music", 1), 1u);
    ASSERT_TRUE(WriteRegDword(kUser, "software\\QUILLMOOR\\deckfall", "MUSIC", 0));
    EXPECT_EQ(ReadRegDword(kUser, kSettings, "Music", 1), 0u);
    EXPECT_EQ(Text(kSettings, "music"), "(none)");
    ASSERT_TRUE(WriteRegString(kUser, kScores, "Score9", "$42"));
    EXPECT_EQ(Text("SOFTWARE\\quillmoor\\DeckFall\\highscores", "score9"), "$42");
}

TEST_F(RegistryTest, StringsMustFitTheBufferWithTheirTerminatingZero) {
    const std::string bytes("a\0b\xff\x01 \xe2\x82\xac", 9);
    ASSERT_TRUE(WriteRegString(kUser, kScores, "Name0", bytes));
    EXPECT_EQ(Text(kScores, "Name0", 9), "(none)");
    EXPECT_EQ(Text(kScores, "Name0", 10), bytes);
}

}  // namespace
