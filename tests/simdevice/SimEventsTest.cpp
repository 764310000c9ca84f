// Device events told through qvsimctl reach the notify window with their
// payloads; a job makes the device busy, then idle; the feeder can be asked
// from a second thread; shutting down closes the control channel.
#include "SimDeviceHarness.h"

#include <atomic>
#include <cstring>

using namespace simtest;

class SimEvents : public SimDeviceTest {};

TEST_F(SimEvents, FeederEventsCarryTheContextAndMoveTheOriginal)
{
    ASSERT_EQ(S_OK, Bind());
    Monitor();
    UINT paperInADF = EventMessage("Paper_In_ADF_");

    RunResult placed = RunCtl(m_ctx, "placed");
    EXPECT_EQ(0u, placed.exitCode) << placed.output;
    EXPECT_EQ(0u, placed.output.find("OK original placed")) << placed.output;
    Event e = {};
    ASSERT_TRUE(WaitForEvent(paperInADF, e));
    EXPECT_EQ(0u, e.wParam);
    ASSERT_NE(0, e.lParam);
    EXPECT_STREQ(m_ctx.c_str(), reinterpret_cast<const char*>(e.lParam));
    LONG doc = 0;
    EXPECT_EQ(S_OK, m_device->GetDocInADF(&doc));
    EXPECT_EQ(1, doc);

    EXPECT_EQ(0u, RunCtl(m_ctx, "original removed").exitCode);
    ASSERT_TRUE(WaitForEvent(paperInADF, e));
    EXPECT_EQ(16u, e.wParam);
    EXPECT_STREQ(m_ctx.c_str(), reinterpret_cast<const char*>(e.lParam));
    EXPECT_EQ(S_OK, m_device->GetDocInADF(&doc));
    EXPECT_EQ(0, doc);
}

TEST_F(SimEvents, InkLowAndDisconnect)
{
    ASSERT_EQ(S_OK, Bind());
    Monitor();

    EXPECT_EQ(0u, RunCtl(m_ctx, "ink low 10 25 3").exitCode);
    Event e = {};
    ASSERT_TRUE(WaitForEvent(EventMessage("Ink_Low_"), e));
    ASSERT_NE(0u, e.wParam);
    const int32_t* levels = reinterpret_cast<const int32_t*>(e.wParam);
    EXPECT_EQ(10, levels[0]);
    EXPECT_EQ(25, levels[1]);
    EXPECT_EQ(3, levels[2]);
    EXPECT_STREQ(m_ctx.c_str(), reinterpret_cast<const char*>(e.lParam));

    RunResult bad = RunCtl(m_ctx, "ink low 10 x");
    EXPECT_EQ(1u, bad.exitCode);
    EXPECT_EQ(0u, bad.output.find("ERROR")) << bad.output;

    EXPECT_EQ(0u, RunCtl(m_ctx, "disconnect").exitCode);
    ASSERT_TRUE(WaitForEvent(EventMessage("Device_Disconnect_"), e));
    EXPECT_STREQ(m_ctx.c_str(), reinterpret_cast<const char*>(e.lParam));
    // A device that has gone answers nothing until it is back.
    LONG doc = 0;
    EXPECT_EQ(E_FAIL, m_device->GetDocInADF(&doc));
    EXPECT_EQ(E_FAIL, m_device->SubmitCopy(CopyJobParams{}));
    EXPECT_EQ(0u, RunCtl(m_ctx, "reconnect").exitCode);
    EXPECT_EQ(S_OK, m_device->GetDocInADF(&doc));
}

TEST_F(SimEvents, NothingIsPostedBeforeMonitoringStarts)
{
    ASSERT_EQ(S_OK, Bind());
    m_window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    m_device->SetNotifyWindow(m_window);

    RunResult placed = RunCtl(m_ctx, "placed");
    EXPECT_EQ(0u, placed.exitCode);
    EXPECT_NE(std::string::npos, placed.output.find("no event sent")) << placed.output;
    EXPECT_TRUE(PendingEvents().empty());
    LONG doc = 0;
    EXPECT_EQ(S_OK, m_device->GetDocInADF(&doc));
    EXPECT_EQ(1, doc);   // the original is there all the same

    RunResult unknown = RunCtl(m_ctx, "jam");
    EXPECT_EQ(1u, unknown.exitCode);
    EXPECT_NE(std::string::npos, unknown.output.find("placed, removed")) << unknown.output;
}

TEST_F(SimEvents, SubmittedJobMakesTheDeviceBusyThenIdle)
{
    WriteProfile("[Device]\nBusyTime=50\n");
    ASSERT_EQ(S_OK, Bind());
    Monitor();
    UINT busy = EventMessage("Device_s_Busy_");

    ASSERT_EQ(S_OK, m_device->SubmitCopy(CopyJobParams{}));
    Event e = {};
    ASSERT_TRUE(WaitForEvent(busy, e));
    EXPECT_NE(0u, e.wParam);
    EXPECT_STREQ(m_ctx.c_str(), reinterpret_cast<const char*>(e.lParam));
    ASSERT_TRUE(WaitForEvent(busy, e));
    EXPECT_EQ(0u, e.wParam);

    // Told by hand, busy stays until idle is told.
    EXPECT_EQ(0u, RunCtl(m_ctx, "busy").exitCode);
    ASSERT_TRUE(WaitForEvent(busy, e));
    EXPECT_NE(0u, e.wParam);
    EXPECT_EQ(0u, RunCtl(m_ctx, "idle").exitCode);
    ASSERT_TRUE(WaitForEvent(busy, e));
    EXPECT_EQ(0u, e.wParam);
}

namespace
{

struct FeederPoll
{
    ICopyAPI* device;
    std::atomic<bool> stop{false};
    std::atomic<int> calls{0};
    std::atomic<int> bad{0};
    std::atomic<int> seenPlaced{0};
};

DWORD WINAPI PollFeeder(void* arg)
{
    FeederPoll* poll = static_cast<FeederPoll*>(arg);
    // Like the status-message thread: no COM set-up, same object pointer.
    while (!poll->stop)
    {
        LONG doc = -1;
        HRESULT hr = poll->device->GetDocInADF(&doc);
        if (hr != S_OK || (doc != 0 && doc != 1))
            ++poll->bad;
        if (doc == 1)
            ++poll->seenPlaced;
        ++poll->calls;
    }
    return 0;
}

DWORD WINAPI PollOnce(void* arg)
{
    FeederPoll* poll = static_cast<FeederPoll*>(arg);
    LONG doc = -1;
    if (poll->device->GetDocInADF(&doc) != S_OK)
        ++poll->bad;
    poll->seenPlaced = doc == 1 ? 1 : 0;
    return 0;
}

} // namespace

TEST_F(SimEvents, FeederCanBeAskedFromASecondThread)
{
    ASSERT_EQ(S_OK, Bind());
    Monitor();
    FeederPoll poll;
    poll.device = m_device;
    HANDLE thread = CreateThread(nullptr, 0, PollFeeder, &poll, 0, nullptr);
    ASSERT_NE(nullptr, thread);

    for (int i = 0; i < 3; ++i)
    {
        EXPECT_EQ(0u, RunCtl(m_ctx, "placed").exitCode);
        LONG doc = 0;
        EXPECT_EQ(S_OK, m_device->GetDocInADF(&doc));
        EXPECT_EQ(1, doc);
        EXPECT_EQ(0u, RunCtl(m_ctx, "removed").exitCode);
    }
    poll.stop = true;
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    EXPECT_GT(poll.calls, 0);
    EXPECT_EQ(0, poll.bad);

    EXPECT_EQ(0u, RunCtl(m_ctx, "placed").exitCode);
    FeederPoll once;
    once.device = m_device;
    once.stop = true;   // one call
    thread = CreateThread(nullptr, 0, PollOnce, &once, 0, nullptr);
    ASSERT_NE(nullptr, thread);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    EXPECT_EQ(0, once.bad);
    EXPECT_EQ(1, once.seenPlaced);
}

TEST_F(SimEvents, ShutdownClosesTheChannelAndReleaseLetsTheServerUnload)
{
    auto canUnload = SimExport<HRESULT(STDAPICALLTYPE*)()>("DllCanUnloadNow");
    ASSERT_NE(nullptr, canUnload);
    ASSERT_EQ(S_OK, Bind());
    EXPECT_EQ(0u, RunCtl(m_ctx, "status").exitCode);
    EXPECT_EQ(S_FALSE, canUnload());

    EXPECT_EQ(S_OK, m_device->Shutdown());
    RunResult gone = RunCtl(m_ctx, "placed");
    EXPECT_EQ(2u, gone.exitCode) << gone.output;

    m_device->Release();
    m_device = nullptr;
    EXPECT_EQ(S_OK, canUnload());

    // Released without Shutdown: the channel still ends with the object.
    ASSERT_EQ(S_OK, Bind());
    EXPECT_EQ(0u, RunCtl(m_ctx, "status").exitCode);
    m_device->Release();
    m_device = nullptr;
    EXPECT_EQ(2u, RunCtl(m_ctx, "status").exitCode);
    EXPECT_EQ(S_OK, canUnload());
}
