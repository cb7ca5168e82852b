// Play order: InitAry's sequential and shuffled orders, and how desktop playback picks its file
// from them.
#include <map>
#include <set>
#include <string>
#include <vector>

#include "AppTestSupport.h"
#include "app/MainForm.h"
#include "app/ProgramState.h"
#include "framework/StdCtrls.h"
#include "media/FilterGraph.h"
#include "media/VideoWindow.h"

namespace {

using vorlinde::Form1;
using vorlinde::PlayOrderArray;
using vorlinde::PlayPosition;
using Order = std::vector<int32_t>;

class PlayOrder : public apptest::ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        CreateMainWindow();
    }
    void FillWith(int count) {
        for (int i = 0; i < count; ++i) Form1->lsbMovie->Items()->Add("C:\\movie" + std::to_string(i) + ".mpg");
    }
    void UseRandomOrder() { Form1->rdgOrder->SetItemIndex(1); }
};

class PlayOrderRandom : public PlayOrder {
protected:
    void SetUp() override {
        PlayOrder::SetUp();
        UseRandomOrder();
    }
};

// Desktop playback really plays: the playlist holds sample clips of distinct colours.
class PlayOrderDesktop : public PlayOrder {
protected:
    void SetUp() override {
        PlayOrder::SetUp();
        APPTEST_REQUIRE_SAMPLES();
    }
    static constexpr const char* kClips[] = {"red.mpg", "green.mpg", "blue.mpg"};
    void FillWithClips(int count) {
        for (int i = 0; i < count; ++i) Form1->lsbMovie->Items()->Add(apptest::SampleClip(kClips[i]));
    }
    // The clip of playlist entry `index` plays on the desktop.
    void ExpectPlaying(int index) {
        EXPECT_TRUE(apptest::RecordedExceptions().empty());
        EXPECT_TRUE(Form1->FilterGraph1->Active());
        EXPECT_EQ(Form1->FilterGraph1->RenderedFile(), apptest::SampleClipW(kClips[index]));
        EXPECT_EQ(Form1->FilterGraph1->State(), vorlinde::PlaybackState::Playing);
        EXPECT_TRUE(Form1->DSVideoWindowEx21->DesktopPlaying());
    }
};

// True when following i -> order[i] from 0 visits every index before coming back to 0.
bool IsSingleCycle(const Order& order) {
    const size_t n = order.size();
    size_t at = 0, steps = 0;
    do {
        if (order[at] < 0 || static_cast<size_t>(order[at]) >= n) return false;
        at = static_cast<size_t>(order[at]);
        ++steps;
    } while (at != 0 && steps <= n);
    return at == 0 && steps == n;
}

TEST_F(PlayOrder, SequentialIsListOrder) {
    FillWith(5);
    Form1->InitAry();
    EXPECT_EQ(PlayOrderArray, (Order{0, 1, 2, 3, 4}));
}

TEST_F(PlayOrder, RebuildStartsAtTheFirstPosition) {
    FillWith(3);
    PlayPosition = 2;
    Form1->InitAry();
    EXPECT_EQ(PlayPosition, 0);
}

// The file prepared while one plays: the next of the order, the first entry again at the end of
// list order, and nothing when the order no longer fits the playlist.
TEST_F(PlayOrder, TheFileToPrepareIsTheNextOfTheOrderAndWrapsInListOrder) {
    FillWith(3);
    Form1->InitAry();
    PlayPosition = 0;
    EXPECT_EQ(Form1->NextDesktopFile(), "C:\\movie1.mpg");
    PlayPosition = 2;
    EXPECT_EQ(Form1->NextDesktopFile(), "C:\\movie0.mpg");
    PlayPosition = 3;
    EXPECT_EQ(Form1->NextDesktopFile(), "");
    PlayPosition = 1;
    Form1->lsbMovie->Items()->Add("C:\\movie3.mpg");
    EXPECT_EQ(Form1->NextDesktopFile(), "");
}

// A new shuffled order is drawn only when the time comes: at the end of one, nothing is guessed,
// unless the playlist holds a single file.
TEST_F(PlayOrderRandom, TheFileToPrepareAtTheEndOfAShuffledOrderIsNotGuessed) {
    FillWith(3);
    Form1->InitAry();
    PlayPosition = 0;
    EXPECT_EQ(Form1->NextDesktopFile(), Form1->lsbMovie->Items()->Strings(PlayOrderArray[1]));
    PlayPosition = 2;
    EXPECT_EQ(Form1->NextDesktopFile(), "");
    Form1->lsbMovie->Items()->Clear();
    FillWith(1);
    Form1->InitAry();
    EXPECT_EQ(Form1->NextDesktopFile(), "C:\\movie0.mpg");
}

TEST_F(PlayOrderRandom, EmptyPlaylistGivesEmptyOrder) {
    Form1->InitAry();
    EXPECT_TRUE(PlayOrderArray.empty());
}

TEST_F(PlayOrderRandom, OneEntryIsZero) {
    FillWith(1);
    Form1->InitAry();
    EXPECT_EQ(PlayOrderArray, (Order{0}));
}

TEST_F(PlayOrderRandom, TwoEntriesAreAlwaysOneThenZero) {
    FillWith(2);
    for (int draw = 0; draw < 200; ++draw) {
        Form1->InitAry();
        ASSERT_EQ(PlayOrderArray, (Order{1, 0})) << "draw " << draw;
    }
}

TEST_F(PlayOrderRandom, EveryOrderIsOneCycleThroughAllEntries) {
    for (int n = 2; n <= 8; ++n) {
        Form1->lsbMovie->Items()->Clear();
        FillWith(n);
        for (int draw = 0; draw < 300; ++draw) {
            Form1->InitAry();
            ASSERT_EQ(PlayOrderArray.size(), static_cast<size_t>(n));
            ASSERT_TRUE(IsSingleCycle(PlayOrderArray)) << "n " << n << ", draw " << draw;
        }
    }
}

TEST_F(PlayOrderRandom, ThreeEntriesGiveBothCyclesAboutEqually) {
    FillWith(3);
    std::map<Order, int> seen;
    const int draws = 4000;
    for (int draw = 0; draw < draws; ++draw) {
        Form1->InitAry();
        ++seen[PlayOrderArray];
    }
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_GT(seen[(Order{1, 2, 0})], draws * 2 / 5);
    EXPECT_GT(seen[(Order{2, 0, 1})], draws * 2 / 5);
}

TEST_F(PlayOrderRandom, EachRebuildDrawsAnewOrder) {
    FillWith(8);
    std::set<Order> orders;
    for (int draw = 0; draw < 20; ++draw) {
        Form1->InitAry();
        orders.insert(PlayOrderArray);
    }
    EXPECT_GT(orders.size(), 1u);
}

// --- desktop playback picks element PlayPosition of the order

TEST_F(PlayOrderDesktop, PlaysTheEntryAtTheCurrentPosition) {
    FillWithClips(3);
    PlayOrderArray = {2, 0, 1};
    PlayPosition = 1;
    Form1->StartDesktopMovie();
    ExpectPlaying(0);
}

TEST_F(PlayOrderDesktop, OrderShorterThanPlaylistIsRebuilt) {
    FillWithClips(3);
    PlayOrderArray = {1};
    PlayPosition = 0;
    Form1->StartDesktopMovie();
    EXPECT_EQ(PlayOrderArray, (Order{0, 1, 2}));
    ExpectPlaying(0);
}

TEST_F(PlayOrderDesktop, OrderLongerThanPlaylistIsRebuilt) {
    FillWithClips(2);
    PlayOrderArray = {4, 3, 2, 1, 0};
    PlayPosition = 0;
    Form1->StartDesktopMovie();
    EXPECT_EQ(PlayOrderArray, (Order{0, 1}));
    ExpectPlaying(0);
}

TEST_F(PlayOrderDesktop, PositionPastTheEndIsRebuilt) {
    FillWithClips(2);
    PlayOrderArray = {1, 0};
    PlayPosition = 7;
    Form1->StartDesktopMovie();
    EXPECT_EQ(PlayPosition, 0);
    ExpectPlaying(0);
}

TEST_F(PlayOrderDesktop, EmptyPlaylistPlaysNothing) {
    PlayOrderArray = {0, 1};
    PlayPosition = 1;
    Form1->StartDesktopMovie();
    EXPECT_FALSE(Form1->FilterGraph1->Active());
}

}  // namespace
