// The order of the songs as the game plays it on the headless platform, whose
// player ends a song when the test says: wrapping round, missing songs, game
// overs and their late reports, the music switched in the options, and reports
// that arrive while a message box waits.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/GameFixture.h"

namespace {

using Songs = std::vector<std::string>;
using platform::IDOK;

class MusicTest : public enginetest::GameFixture {
protected:
    MusicTest() { Put("Music", 1); }
    void Start() {
        Player().AddSongs({"song1.mid", "song2.mid", "song3.mid"});
        StartUp();
    }
    platform::HeadlessMusicPlayer& Player() { return headless.music; }
    void EndSong() {
        ASSERT_TRUE(Player().EndSong());
        headless.desktop.DeliverPosted();
    }
    void EndGame() {
        app.GameOver(window, NoRoom);
        headless.desktop.DeliverPosted();
    }
    void Options(const std::vector<int>& clicks) {
        During(ID_OPTIONS, clicks);
        headless.desktop.DeliverPosted();
    }
};

TEST_F(MusicTest, SongsFollowOneAnotherAndStartOverAfterTheLast) {
    Start();
    EXPECT_EQ(Player().Played(), Songs{"song1.mid"});
    for (int i = 0; i < 3; ++i) EndSong();
    EXPECT_EQ(Player().Played(), (Songs{"song1.mid", "song2.mid", "song3.mid", "song1.mid"}));
    EXPECT_EQ(Player().Sounding(), Songs{"song1.mid"});
}

TEST_F(MusicTest, WithoutSongsEachTriggerTriesTheNextAndTheFirstThenGivesUp) {
    StartUp();
    EndGame();
    Command(ID_NEW_GAME);
    EXPECT_EQ(Player().Asked(), (Songs{"song1.mid", "song2.mid", "song1.mid"}));
    EXPECT_TRUE(Player().Played().empty());
    EXPECT_EQ(GameOptions.Music, 1);
}

// A game over closes the song; its report, which may come at once or only after the next
// song has begun, is swallowed, and the next game goes on from the song after it. The game
// ends by New Game answered Yes in a running game, or by a board full to the top.
class MusicGameOverTest : public MusicTest, public testing::WithParamInterface<bool> {};

TEST_P(MusicGameOverTest, CutsTheSongAndTheNextGamePlaysTheOneAfterIt) {
    Start();
    EndSong();
    ASSERT_EQ(Player().Sounding(), Songs{"song2.mid"});
    if (GetParam()) {
        headless.desktop.QueueAnswer(platform::IDYES);
    } else {
        EndGame();
        EXPECT_TRUE(Player().Sounding().empty());
    }
    Command(ID_NEW_GAME);
    headless.desktop.DeliverPosted();
    EXPECT_EQ(Player().Sounding(), Songs{"song3.mid"});
    EndSong();
    EXPECT_EQ(Player().Played(), (Songs{"song1.mid", "song2.mid", "song3.mid", "song1.mid"}));
}

INSTANTIATE_TEST_SUITE_P(Endings, MusicGameOverTest, testing::Bool(),
                         [](const auto& info) { return info.param ? "Abandoned" : "NoRoom"; });

// The flag a game over sets waits for a report even with the music off: the end of the
// first song after the music is back on is taken for it, and the music rests until the
// next game.
TEST_F(MusicTest, AGameOverWhileTheMusicIsOffSwallowsTheNextSongsEnd) {
    Start();
    Options({IDC_MUSIC, IDOK});
    EXPECT_TRUE(Player().Sounding().empty());
    EndGame();
    Options({IDC_MUSIC, IDOK});
    EXPECT_EQ(Player().Sounding(), Songs{"song2.mid"});
    EndSong();
    EXPECT_EQ(Player().Played(), (Songs{"song1.mid", "song2.mid"}));
    Command(ID_NEW_GAME);
    EXPECT_EQ(Player().Sounding(), Songs{"song3.mid"});
}

// Off and on again in one visit changes nothing. A rule changed starts a new game while the
// song still plays, with no game over to stop it: the song is replaced, not joined, and its
// late report moves nothing.
TEST_F(MusicTest, TheOptionsLeaveTheSongOrReplaceItForANewGame) {
    Start();
    Options({IDC_MUSIC, IDC_MUSIC, IDOK});
    EXPECT_EQ(Player().Asked(), Songs{"song1.mid"});
    Options({IDC_CLEAR_STACKS, IDOK});
    EXPECT_EQ(Player().Sounding(), Songs{"song2.mid"});
    EndSong();
    EXPECT_EQ(Player().Played(), (Songs{"song1.mid", "song2.mid", "song3.mid"}));
}

// A song that ends while New Game asks its question starts the next one inside the box;
// Yes then cuts that one short and the new game plays the one after.
TEST_F(MusicTest, ASongThatEndsInsideAMessageBoxIsFollowedThere) {
    Start();
    headless.desktop.messageBoxHandler = [this](const platform::MessageBoxRecord&) {
        Player().EndSong();
        headless.desktop.DeliverPosted();
        EXPECT_EQ(Player().Sounding(), Songs{"song2.mid"});
        return platform::IDYES;
    };
    Command(ID_NEW_GAME);
    headless.desktop.messageBoxHandler = nullptr;
    headless.desktop.DeliverPosted();
    EXPECT_EQ(Player().Played(), (Songs{"song1.mid", "song2.mid", "song3.mid"}));
    EXPECT_EQ(Player().Sounding(), Songs{"song3.mid"});
}

}  // namespace
