// The options dialog: what each kind of change gives back and leaves in
// GameOptions, the greying of the deck's boxes, the swap mode without a button,
// the colour picker, and a cancelled visit that leaves no trace.

#include "dialogs/COptionsDlg.h"
#include "resources/ResourceIds.h"
#include "tests/dialogs/DialogFixture.h"

namespace dialogtest {
namespace {

using platform::IDCANCEL;
using platform::IDOK;

// The options a first start loads.
GameOptionsRecord Defaults() {
    GameOptionsRecord o;
    o.SwapMode = 1;
    o.OneDeck = 2;
    o.LastStack = 1;
    o.UpDown = 1;
    o.CollapseRegime = 2;
    o.GetFaster = 1;
    o.ForegroundColor = 0xFF80FF;
    o.BackgroundColor = 0x400040;
    o.Beep = 1;
    o.Music = 1;
    o.ShowNagDlg = 1;
    o.MinCollapse = 3;
    o.DropInterval = 800;
    return o;
}

std::vector<std::int32_t> Fields(const GameOptionsRecord& o) {
    return {o.SwapMode,       o.OneDeck,   o.EndOnShuffle, o.LastStack,       o.UpDown,
            o.CollapseRegime, o.GetFaster, o.ClearStacks,  o.ForegroundColor, o.BackgroundColor,
            o.Beep,           o.Music,     o.ShowNagDlg,   o.MinCollapse,     o.DropInterval};
}

class OptionsDlgTest : public DialogFixture {
protected:
    OptionsDlgTest() { GameOptions = Defaults(); }
    std::intptr_t Options(const std::function<void(HeadlessWindow&)>& player) {
        return Open(IDD_OPTIONS, OptionsDlgProc, player);
    }
    // A player who clicks the controls in turn and ends with the last identifier.
    std::intptr_t Clicks(std::vector<int> ids) {
        return Options([&](HeadlessWindow& dialog) {
            for (int id : ids) dialog.Click(id);
        });
    }
    // The check and the enabling of each box, as the player sees them.
    static std::vector<std::pair<int, bool>> Boxes(HeadlessWindow& dialog, std::initializer_list<int> ids) {
        std::vector<std::pair<int, bool>> boxes;
        for (int id : ids)
            boxes.emplace_back(Control(dialog, id).GetCheck(), Control(dialog, id).IsEnabled());
        return boxes;
    }
};

// Sound and music are taken on every OK; only a rule, a colour or the welcome box asks for a new game.
TEST_F(OptionsDlgTest, OkTellsWhetherARuleOrColourChanged) {
    const auto changed = [](auto field, std::int32_t value) {
        GameOptionsRecord o = Defaults();
        o.*field = value;
        return o;
    };
    const struct {
        const char* what;
        std::vector<int> clicks;
        std::intptr_t result;
        GameOptionsRecord after;
    } cases[] = {
        {"nothing", {IDOK}, IDCANCEL, Defaults()},
        {"a box ticked twice", {IDC_LAST_STACK, IDC_LAST_STACK, IDOK}, IDCANCEL, Defaults()},
        {"sound effects only", {IDC_SOUND_EFFECTS, IDOK}, IDCANCEL, changed(&GameOptionsRecord::Beep, 0)},
        {"music only", {IDC_MUSIC, IDOK}, IDCANCEL, changed(&GameOptionsRecord::Music, 0)},
        {"sound, then Cancel", {IDC_SOUND_EFFECTS, IDC_MUSIC, IDCANCEL}, IDCANCEL, Defaults()},
        {"the welcome box", {IDC_SHOW_WELCOME, IDOK}, IDOK, changed(&GameOptionsRecord::ShowNagDlg, 0)},
        {"upside down", {IDC_UPSIDE_DOWN, IDOK}, IDOK, changed(&GameOptionsRecord::UpDown, -1)},
        {"above the last stack", {IDC_LAST_STACK, IDOK}, IDOK, changed(&GameOptionsRecord::LastStack, 0)},
        {"faster", {IDC_GET_FASTER, IDOK}, IDOK, changed(&GameOptionsRecord::GetFaster, 0)},
        {"clear stacks", {IDC_CLEAR_STACKS, IDOK}, IDOK, changed(&GameOptionsRecord::ClearStacks, 1)},
        {"end on shuffle", {IDC_END_ON_SHUFFLE, IDOK}, IDOK, changed(&GameOptionsRecord::EndOnShuffle, 1)},
        {"one deck without recycling", {IDC_STUFF_BACK, IDOK}, IDOK, changed(&GameOptionsRecord::OneDeck, 1)},
        {"no deck", {IDC_DECK52, IDOK}, IDOK, changed(&GameOptionsRecord::OneDeck, 0)},
        {"stud", {IDC_STUD_POKER, IDOK}, IDOK, changed(&GameOptionsRecord::SwapMode, 4)},
        {"seven cards", {IDC_SEVEN_CARD_POKER, IDOK}, IDOK, changed(&GameOptionsRecord::SwapMode, 3)},
        {"draw again", {IDC_STUD_POKER, IDC_DRAW_POKER, IDOK}, IDCANCEL, Defaults()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        GameOptions = Defaults();
        EXPECT_EQ(Clicks(c.clicks), c.result);
        EXPECT_EQ(Fields(GameOptions), Fields(c.after));
    }
}

// Colours come from the picker, which starts at the colour and keeps its custom colours for the run.
TEST_F(OptionsDlgTest, ColourButtonsUseThePickerAndCancelKeepsTheColour) {
    headless.colors.player = [](const platform::ColorPickerRecord& opening, auto& custom) {
        custom[3] = 0x00ABCDEF;
        return opening.initial == 0xFF80FF ? std::optional<platform::ColorRef>(0x123456) : std::nullopt;
    };
    HeadlessWindow* owner = nullptr;
    EXPECT_EQ(Options([&](HeadlessWindow& dialog) {
                  owner = &dialog;
                  dialog.Click(IDC_FOREGROUND_COLOR);  // chosen
                  dialog.Click(IDC_BACKGROUND_COLOR);  // cancelled
                  dialog.Click(IDC_FOREGROUND_COLOR);  // opens at the new colour, cancelled
                  dialog.Click(IDOK);
              }),
              IDOK);
    EXPECT_EQ(GameOptions.ForegroundColor, 0x123456);
    EXPECT_EQ(GameOptions.BackgroundColor, 0x400040);
    const auto& openings = headless.colors.Openings();
    ASSERT_EQ(openings.size(), 3u);
    EXPECT_EQ(openings[0].owner, owner);
    EXPECT_EQ((std::vector{openings[0].initial, openings[1].initial, openings[2].initial}),
              (std::vector<platform::ColorRef>{0xFF80FF, 0x400040, 0x123456}));
    EXPECT_EQ(openings[0].customColors[3], 0u);
    EXPECT_EQ(openings[1].customColors[3], 0x00ABCDEFu);

    // A background chosen and then the dialog cancelled changes nothing; the custom colours stay.
    headless.colors.player = [](const platform::ColorPickerRecord&, auto&) {
        return std::optional<platform::ColorRef>(0x000001);
    };
    EXPECT_EQ(Clicks({IDC_BACKGROUND_COLOR, IDCANCEL}), IDCANCEL);
    EXPECT_EQ(GameOptions.BackgroundColor, 0x400040);
    EXPECT_EQ(headless.colors.Openings().back().customColors[3], 0x00ABCDEFu);
}

// The deck's dependent boxes grey with it and keep their checks; what they show is stored.
TEST_F(OptionsDlgTest, DeckBoxesGreyTheirDependentsWithoutChangingThem) {
    // (check, enabled) of 1006, 1035, 1048.
    using Boxes3 = std::vector<std::pair<int, bool>>;
    const struct {
        std::int32_t oneDeck, endOnShuffle;
        Boxes3 shown;
    } loaded[] = {
        {0, 1, {{0, true}, {0, false}, {1, false}}},
        {1, 0, {{1, true}, {0, true}, {0, false}}},
        {2, 1, {{1, true}, {1, true}, {1, true}}},
    };
    for (const auto& c : loaded) {
        GameOptions.OneDeck = c.oneDeck;
        GameOptions.EndOnShuffle = c.endOnShuffle;
        Options([&](HeadlessWindow& dialog) {
            EXPECT_EQ(Boxes(dialog, {IDC_DECK52, IDC_STUFF_BACK, IDC_END_ON_SHUFFLE}), c.shown)
                << "OneDeck " << c.oneDeck;
        });
    }

    GameOptions = Defaults();
    GameOptions.EndOnShuffle = 1;
    Boxes3 cleared;
    Boxes3 recycledOff;
    EXPECT_EQ(Options([&](HeadlessWindow& dialog) {
                  dialog.Click(IDC_STUFF_BACK);
                  recycledOff = Boxes(dialog, {IDC_DECK52, IDC_STUFF_BACK, IDC_END_ON_SHUFFLE});
                  dialog.Click(IDC_STUFF_BACK);
                  dialog.Click(IDC_DECK52);
                  cleared = Boxes(dialog, {IDC_DECK52, IDC_STUFF_BACK, IDC_END_ON_SHUFFLE});
                  dialog.Click(IDC_STUFF_BACK);  // greyed: the click does not reach it
                  dialog.Click(IDOK);
              }),
              IDOK);
    EXPECT_EQ(recycledOff, (Boxes3{{1, true}, {0, true}, {1, false}}));
    EXPECT_EQ(cleared, (Boxes3{{0, true}, {1, false}, {1, false}}));
    EXPECT_EQ(GameOptions.OneDeck, 0);
    EXPECT_EQ(GameOptions.EndOnShuffle, 1) << "stored as its greyed box shows";
}

// Mode 2 has no button: none is selected, and OK keeps it without counting it a change.
TEST_F(OptionsDlgTest, SwapModeWithoutAButtonShowsNoneAndStays) {
    GameOptions.SwapMode = 2;
    std::vector<int> checks;
    EXPECT_EQ(Options([&](HeadlessWindow& dialog) {
                  for (int id : {IDC_DRAW_POKER, IDC_SEVEN_CARD_POKER, IDC_STUD_POKER})
                      checks.push_back(Control(dialog, id).GetCheck());
                  dialog.Click(IDOK);
              }),
              IDCANCEL);
    EXPECT_EQ(checks, (std::vector{0, 0, 0}));
    EXPECT_EQ(GameOptions.SwapMode, 2);
}

// Nothing of a cancelled visit survives into the next one.
TEST_F(OptionsDlgTest, ReopeningAfterCancelShowsTheOptionsAgain) {
    Clicks({IDC_MUSIC, IDC_DECK52, IDC_STUD_POKER, IDCANCEL});
    std::vector<int> shown;
    std::vector<int> expected;
    Options([&](HeadlessWindow& dialog) {
        for (int id : {IDC_MUSIC, IDC_DECK52, IDC_STUD_POKER, IDC_DRAW_POKER, IDC_STUFF_BACK}) {
            shown.push_back(Control(dialog, id).GetCheck());
            shown.push_back(Control(dialog, id).IsEnabled());
        }
    });
    EXPECT_EQ(shown, (std::vector{1, 1, 1, 1, 0, 1, 1, 1, 1, 1}));
    EXPECT_EQ(Fields(GameOptions), Fields(Defaults()));
}

}  // namespace
}  // namespace dialogtest
