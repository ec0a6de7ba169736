// The sweep's host paints the latest caption at most every 20 ms, at a yield or
// when asked before a pause, pumps at most every 10 ms, and stops the sweep once
// its pump says so.
#include "run_report/window_sweep_host.h"
#include "window_text.h"
#include "ui_test_support.h"

namespace {

using namespace std::chrono_literals;

class WindowSweepHostTest : public ::testing::Test {
protected:
    void SetUp() override {
        window_ = CreateWindowExW(0, L"Static", L"Scourway", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(window_, nullptr);
    }
    void TearDown() override { DestroyWindow(window_); }

    WindowSweepHost Host() {
        return WindowSweepHost(window_, [this] { ++pumps_; return goOn_; }, [this] { return now_; });
    }
    std::wstring Caption() const { return win32::WindowText(window_); }

    HWND window_ = nullptr;
    WindowSweepHost::Clock::time_point now_{1s};
    int pumps_ = 0;
    bool goOn_ = true;
};

TEST_F(WindowSweepHostTest, CaptionsArePaintedAtYieldsAtMostEveryTwentyMilliseconds) {
    WindowSweepHost host = Host();
    host.EnterFolder(L"C:\\a");
    EXPECT_EQ(Caption(), L"Scourway") << "recorded only";
    EXPECT_TRUE(host.Yield());
    EXPECT_EQ(Caption(), L"Scourway - C:\\a") << "the first caption is painted at once";

    now_ += 5ms;
    host.EnterFolder(L"C:\\b");
    host.EnterFolder(L"C:\\c");
    EXPECT_TRUE(host.Yield());
    EXPECT_EQ(Caption(), L"Scourway - C:\\a");

    now_ += 15ms;
    EXPECT_TRUE(host.Yield());
    EXPECT_EQ(Caption(), L"Scourway - C:\\c") << "the latest one, once 20 ms have passed";
}

TEST_F(WindowSweepHostTest, TheMessageLoopRunsAtTheFirstYieldThenEveryTenMilliseconds) {
    WindowSweepHost host = Host();
    EXPECT_TRUE(host.Yield());
    EXPECT_EQ(pumps_, 1) << "the first yield pumps";
    for (int i = 0; i < 3; ++i) {
        now_ += 3ms;
        EXPECT_TRUE(host.Yield());
    }
    EXPECT_EQ(pumps_, 1) << "9 ms later, not yet";
    now_ += 1ms;
    EXPECT_TRUE(host.Yield());
    EXPECT_EQ(pumps_, 2) << "10 ms after the last pump";
}

TEST_F(WindowSweepHostTest, APendingCaptionIsShownBeforeAPause) {
    WindowSweepHost host = Host();
    host.EnterFolder(L"C:\\a");
    host.Yield();
    host.EnterFolder(L"C:\\b");
    host.Yield();
    ASSERT_EQ(Caption(), L"Scourway - C:\\a");
    host.ShowPendingCaption();
    EXPECT_EQ(Caption(), L"Scourway - C:\\b");
}

TEST_F(WindowSweepHostTest, OnceThePumpSaysStopTheHostStopsAndPaintsNoMore) {
    WindowSweepHost host = Host();
    goOn_ = false;
    EXPECT_FALSE(host.Yield());
    goOn_ = true;
    host.EnterFolder(L"C:\\a");
    now_ += 1s;
    EXPECT_FALSE(host.Yield());
    host.ShowPendingCaption();
    EXPECT_EQ(Caption(), L"Scourway");
    EXPECT_EQ(pumps_, 1);
}

}  // namespace
