// The options dialog: what each kind of change gives back and leaves in GameOptions,
// the colour picker, the greying of the deck's boxes, the swap mode without a button,
// and a cancelled visit that leaves no trace.

#include "app/Settings.h"
#include "dialogs/COptionsDlg.h"
#include "resources/ResourceIds.h"
#include "tests/dialogs/DialogFixture.h"

namespace dialogtest {
namespace {

using platform::IDCANCEL;
using platform::IDOK;
using O = GameOptionsRecord;

class OptionsDlgTest : public DialogFixture {
protected:
    OptionsDlgTest() { Defaults(); }
    void Defaults() {
        LoadSettings(app);  // an empty store: the defaults
        defaults = GameOptions;
    }
    std::intptr_t Clicks(const std::vector<int>& ids, const std::function<void(HeadlessWindow&)>& look = {}) {
        return Open(IDD_OPTIONS, OptionsDlgProc, [&](HeadlessWindow& dialog) {
            if (look) look(dialog);
            for (int id : ids) dialog.Click(id);
        });
    }
    // (check, enabled) of the controls.
    static std::vector<std::pair<int, bool>> Boxes(HeadlessWindow& dialog, std::vector<int> ids) {
        std::vector<std::pair<int, bool>> boxes;
        for (int id : ids)
            boxes.emplace_back(Control(dialog, id).GetCheck(), Control(dialog, id).IsEnabled());
        return boxes;
    }
    O defaults;
};

// Sound and music are taken on every OK; only a rule, a colour or the welcome box asks for a new game.
TEST_F(OptionsDlgTest, OkTellsWhetherARuleOrColourChanged) {
    const struct {
        std::vector<int> clicks;
        std::intptr_t result;
        std::int32_t O::*field = nullptr;
        std::int32_t value = 0;
    } cases[] = {
        {{IDOK}, IDCANCEL},
        {{IDC_LAST_STACK, IDC_LAST_STACK, IDOK}, IDCANCEL},
        {{IDC_STUD_POKER, IDC_DRAW_POKER, IDOK}, IDCANCEL},
        {{IDC_SOUND_EFFECTS, IDC_MUSIC, IDCANCEL}, IDCANCEL},
        {{IDC_SOUND_EFFECTS, IDOK}, IDCANCEL, &O::Beep, 0},
        {{IDC_MUSIC, IDOK}, IDCANCEL, &O::Music, 0},
        {{IDC_SHOW_WELCOME, IDOK}, IDOK, &O::ShowNagDlg, 0},
        {{IDC_UPSIDE_DOWN, IDOK}, IDOK, &O::UpDown, -1},
        {{IDC_LAST_STACK, IDOK}, IDOK, &O::LastStack, 0},
        {{IDC_GET_FASTER, IDOK}, IDOK, &O::GetFaster, 0},
        {{IDC_CLEAR_STACKS, IDOK}, IDOK, &O::ClearStacks, 1},
        {{IDC_END_ON_SHUFFLE, IDOK}, IDOK, &O::EndOnShuffle, 1},
        {{IDC_STUFF_BACK, IDOK}, IDOK, &O::OneDeck, 1},
        {{IDC_DECK52, IDOK}, IDOK, &O::OneDeck, 0},
        {{IDC_STUD_POKER, IDOK}, IDOK, &O::SwapMode, 4},
        {{IDC_SEVEN_CARD_POKER, IDOK}, IDOK, &O::SwapMode, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "first click " << c.clicks.front() << ", last " << c.clicks.back());
        GameOptions = defaults;
        O expected = defaults;
        if (c.field) expected.*c.field = c.value;
        EXPECT_EQ(Clicks(c.clicks), c.result);
        EXPECT_EQ(GameOptions, expected);
    }
}

// The picker starts at the colour; cancelling it keeps the colour; its custom colours last the run.
TEST_F(OptionsDlgTest, ColourButtonsUseThePicker) {
    headless.colors.player = [](const platform::ColorPickerRecord& opening, auto& custom) {
        custom[3] = 0xABCDEF;
        return opening.initial == 0xFF80FF ? std::optional<platform::ColorRef>(0x123456) : std::nullopt;
    };
    EXPECT_EQ(Clicks({IDC_FOREGROUND_COLOR, IDC_BACKGROUND_COLOR, IDC_FOREGROUND_COLOR, IDOK}), IDOK);
    EXPECT_EQ(GameOptions.ForegroundColor, 0x123456);
    EXPECT_EQ(GameOptions.BackgroundColor, 0x400040);
    Clicks({IDC_BACKGROUND_COLOR, IDCANCEL});
    std::vector<std::pair<platform::ColorRef, platform::ColorRef>> seen;  // initial colour, custom colour 3
    for (const auto& opening : headless.colors.Openings())
        seen.emplace_back(opening.initial, opening.customColors[3]);
    EXPECT_EQ(seen, (decltype(seen){
                        {0xFF80FF, 0}, {0x400040, 0xABCDEF}, {0x123456, 0xABCDEF}, {0x400040, 0xABCDEF}}));
}

// The deck's dependent boxes grey with it and keep their checks, which OK stores; mode 2 has no
// button and stays; a cancelled visit leaves nothing for the next one.
TEST_F(OptionsDlgTest, GreyingSwapModeTwoAndReopening) {
    using Boxes3 = std::vector<std::pair<int, bool>>;
    const std::vector<int> deck = {IDC_DECK52, IDC_STUFF_BACK, IDC_END_ON_SHUFFLE};
    const std::pair<std::int32_t, Boxes3> loaded[] = {{0, {{0, true}, {0, false}, {1, false}}},
                                                      {1, {{1, true}, {0, true}, {1, false}}},
                                                      {2, {{1, true}, {1, true}, {1, true}}}};
    GameOptions.EndOnShuffle = 1;
    for (const auto& [oneDeck, shown] : loaded) {
        GameOptions.OneDeck = oneDeck;
        Clicks({}, [&](HeadlessWindow& dialog) {
            EXPECT_EQ(Boxes(dialog, deck), shown) << "OneDeck " << oneDeck;
        });
    }

    Boxes3 cleared;
    EXPECT_EQ(Clicks({IDC_DECK52, IDC_STUFF_BACK, IDOK},
                     [&](HeadlessWindow& dialog) {
                         dialog.Click(IDC_DECK52);
                         cleared = Boxes(dialog, deck);
                         dialog.Click(IDC_DECK52);
                     }),
              IDOK);
    EXPECT_EQ(cleared, (Boxes3{{0, true}, {1, false}, {1, false}}));
    EXPECT_EQ(GameOptions.OneDeck, 0) << "the greyed stuff-back box took no click";
    EXPECT_EQ(GameOptions.EndOnShuffle, 1);

    Defaults();
    GameOptions.SwapMode = 2;
    Clicks({IDC_MUSIC, IDC_DECK52, IDC_STUD_POKER, IDCANCEL});
    std::vector<std::pair<int, bool>> reopened;
    EXPECT_EQ(Clicks({IDOK},
                     [&](HeadlessWindow& dialog) {
                         reopened = Boxes(dialog, {IDC_MUSIC, IDC_DECK52, IDC_STUFF_BACK, IDC_DRAW_POKER,
                                                   IDC_SEVEN_CARD_POKER, IDC_STUD_POKER});
                     }),
              IDCANCEL);
    EXPECT_EQ(reopened, (Boxes3{{1, true}, {1, true}, {1, true}, {0, true}, {0, true}, {0, true}}));
    EXPECT_EQ(GameOptions.SwapMode, 2);
}

}  // namespace
}  // namespace dialogtest
