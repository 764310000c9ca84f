// Device events told through qvsimctl reach the notify window with their
// payloads; a job makes the device busy, then idle; the feeder can be asked
// from a second thread.
#include "SimDeviceHarness.h"

#include <atomic>

using namespace simtest;

class SimEvents : public SimDeviceTest
{};

TEST_F(SimEvents, FeederEventsMoveTheOriginal)
{
    ASSERT_EQ(S_OK, Bind());
    Monitor();
    RunResult placed = RunCtl(kCtx, "placed");
    EXPECT_EQ(0u, placed.exitCode);
    EXPECT_EQ(0u, placed.output.find("OK original placed")) << placed.output;
    EXPECT_EQ(0u, WaitForEvent("Paper_In_ADF_").wParam);
    EXPECT_EQ(1, DocInADF());

    EXPECT_EQ(0u, RunCtl(kCtx, "original removed").exitCode);
    EXPECT_EQ(16u, WaitForEvent("Paper_In_ADF_").wParam);
    EXPECT_EQ(0, DocInADF());
}

TEST_F(SimEvents, InkLowCarriesTheLevelsAndDisconnectSilencesTheDevice)
{
    ASSERT_EQ(S_OK, Bind());
    Monitor();
    EXPECT_EQ(0u, RunCtl(kCtx, "ink low 10 25 3").exitCode);
    const int32_t* levels = reinterpret_cast<const int32_t*>(WaitForEvent("Ink_Low_").wParam);
    ASSERT_NE(nullptr, levels);
    EXPECT_EQ(10, levels[0]);
    EXPECT_EQ(25, levels[1]);
    EXPECT_EQ(3, levels[2]);
    RunResult bad = RunCtl(kCtx, "ink low 10 x");
    EXPECT_EQ(1u, bad.exitCode);
    EXPECT_EQ(0u, bad.output.find("ERROR")) << bad.output;

    EXPECT_EQ(0u, RunCtl(kCtx, "disconnect").exitCode);
    WaitForEvent("Device_Disconnect_");
    LONG doc = 0;
    EXPECT_EQ(E_FAIL, m_device->GetDocInADF(&doc));
    EXPECT_EQ(E_FAIL, m_device->SubmitCopy(CopyJobParams{}));
    EXPECT_EQ(0u, RunCtl(kCtx, "reconnect").exitCode);
    EXPECT_EQ(S_OK, m_device->GetDocInADF(&doc));
}

TEST_F(SimEvents, SubmittedJobMakesTheDeviceBusyThenIdle)
{
    WriteProfile("[Device]\nBusyTime=50\n");
    ASSERT_EQ(S_OK, Bind());
    Monitor();
    ASSERT_EQ(S_OK, m_device->SubmitCopy(CopyJobParams{}));
    EXPECT_NE(0u, WaitForEvent("Device_s_Busy_").wParam);
    EXPECT_EQ(0u, WaitForEvent("Device_s_Busy_").wParam);
}

namespace {

// Asks the feeder until told to stop, then once more: like the status-message
// thread, without COM set-up and through the same object pointer.
struct FeederPoll
{
    ICopyAPI* device;
    std::atomic<bool> stop{false};
    std::atomic<int> calls{0}, bad{0};
    LONG last = -1;

    static DWORD WINAPI Run(void* arg)
    {
        FeederPoll* poll = static_cast<FeederPoll*>(arg);
        bool stopping = false;
        do {
            stopping = poll->stop;
            if (poll->device->GetDocInADF(&poll->last) != S_OK || (poll->last != 0 && poll->last != 1))
                ++poll->bad;
            ++poll->calls;
        } while (!stopping);
        return 0;
    }
};

}  // namespace

TEST_F(SimEvents, FeederCanBeAskedFromASecondThread)
{
    ASSERT_EQ(S_OK, Bind());
    Monitor();
    FeederPoll poll;
    poll.device = m_device;
    HANDLE thread = CreateThread(nullptr, 0, FeederPoll::Run, &poll, 0, nullptr);
    ASSERT_NE(nullptr, thread);
    for (const char* move : {"placed", "removed", "placed"})
        EXPECT_EQ(0u, RunCtl(kCtx, move).exitCode) << move;
    poll.stop = true;
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    EXPECT_GT(poll.calls, 0);
    EXPECT_EQ(0, poll.bad);
    EXPECT_EQ(1, poll.last);  // the last answer came after the original was placed
}
