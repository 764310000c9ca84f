#include <gtest/gtest.h>

#include "res/resource.h"
#include "status/DeviceEventNames.h"
#include "status/ProcessMessage.h"

namespace {

int g_nCustomSizeRuns = 0;
DWORD g_dwCustomSizeThread = 0;

void CountCustomSize(CWnd*)
{
    ++g_nCustomSizeRuns;
    g_dwCustomSizeThread = GetCurrentThreadId();
}

// A window with the four image-size radio buttons, standing for the copy dialog.
class ImageSizeButtons
{
public:
    ImageSizeButtons()
    {
        m_hWnd = CreateWindowExA(0, "STATIC", "copy", WS_POPUP, 0, 0, 300, 200, NULL, NULL, NULL, NULL);
        for (int id : {IDC_RBN_FIT_TO_PAGE, IDC_RBN_ACTUAL_SIZE, IDC_RBN_BORDERLESS, IDC_RBN_CUSTOM_SIZE})
            CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE | BS_RADIOBUTTON, 0, 0, 50, 20, m_hWnd,
                            (HMENU)(INT_PTR)id, NULL, NULL);
        ShowWindow(m_hWnd, SW_SHOWNA);
        m_wnd.Attach(m_hWnd);
    }
    ~ImageSizeButtons()
    {
        m_wnd.Detach();
        DestroyWindow(m_hWnd);
    }
    CWnd* Dialog() { return &m_wnd; }
    HWND Item(int id) const { return GetDlgItem(m_hWnd, id); }
    void Set(int id, bool bChecked, bool bEnabled)
    {
        SendMessageA(Item(id), BM_SETCHECK, bChecked ? BST_CHECKED : BST_UNCHECKED, 0);
        EnableWindow(Item(id), bEnabled);
    }
    bool Checked(int id) const { return SendMessageA(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    bool Enabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }

private:
    HWND m_hWnd;
    CWnd m_wnd;
};

class ProcessMessageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetDeviceEventContext("#QV#Jet#T1");
        SetCustomSizeHandler(CountCustomSize);
        g_nCustomSizeRuns = 0;
        g_dwCustomSizeThread = 0;
        m_pThread = AfxBeginThread(RUNTIME_CLASS(CProcessMessage), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
        ASSERT_NE(nullptr, m_pThread);
        DuplicateHandle(GetCurrentProcess(), m_pThread->m_hThread, GetCurrentProcess(), &m_hThread, 0, FALSE,
                        DUPLICATE_SAME_ACCESS);
        m_dwThreadId = m_pThread->m_nThreadID;
        m_pThread->ResumeThread();
    }
    void TearDown() override
    {
        if (m_hThread) {
            if (WaitForSingleObject(m_hThread, 0) != WAIT_OBJECT_0)
                EndAndWait();
            CloseHandle(m_hThread);
        }
        SetCustomSizeHandler(NULL);
    }

    void Post(UINT uMsg, WPARAM wParam, CWnd* pDlg)
    {
        // The thread may still be creating its queue right after it was resumed.
        for (int i = 0; i < 500 && !PostThreadMessageA(m_dwThreadId, uMsg, wParam, (LPARAM)pDlg); ++i)
            Sleep(10);
    }

    // Ends the thread with the destroy message; the events posted before it have run by then.
    // The thread reaches the buttons with sent messages, so this thread keeps pumping.
    bool EndAndWait()
    {
        Post(WM_DESTROY, 0, NULL);
        for (int i = 0; i < 2000; ++i) {
            DWORD r = MsgWaitForMultipleObjects(1, &m_hThread, FALSE, 10, QS_ALLINPUT);
            if (r == WAIT_OBJECT_0)
                return true;
            MSG msg;
            while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
                DispatchMessageA(&msg);
        }
        return false;
    }

    CWinThread* m_pThread = nullptr;
    HANDLE m_hThread = NULL;
    DWORD m_dwThreadId = 0;
};

} // namespace

TEST_F(ProcessMessageTest, RegistersTheDialogsEventNumbersAndEndsOnDestroy)
{
    EXPECT_EQ(RegisterWindowMessageA("Paper_In_ADF_#QV#Jet#T1"), CProcessMessage::s_uPaperInADFMsg);
    EXPECT_EQ(RegisterWindowMessageA("Device_s_Busy_#QV#Jet#T1"), CProcessMessage::s_uDeviceBusyMsg);
    EXPECT_EQ(RegisterWindowMessageA("Ink_Low_#QV#Jet#T1"), CProcessMessage::s_uInkLowMsg);
    EXPECT_EQ(RegisterWindowMessageA("Device_Disconnect_#QV#Jet#T1"), CProcessMessage::s_uDeviceDisconnectMsg);
    ASSERT_TRUE(EndAndWait());
    DWORD dwExit = 1;
    EXPECT_TRUE(GetExitCodeThread(m_hThread, &dwExit));
    EXPECT_EQ(0u, dwExit);
}

TEST_F(ProcessMessageTest, EmptyFeederSwitchesToCustomSizeOnTheThread)
{
    ImageSizeButtons dlg;
    dlg.Set(IDC_RBN_FIT_TO_PAGE, true, true);
    dlg.Set(IDC_RBN_BORDERLESS, false, true);
    Post(CProcessMessage::s_uPaperInADFMsg, 0, dlg.Dialog());
    ASSERT_TRUE(EndAndWait());

    EXPECT_FALSE(dlg.Checked(IDC_RBN_FIT_TO_PAGE));
    EXPECT_FALSE(dlg.Enabled(IDC_RBN_FIT_TO_PAGE));
    EXPECT_FALSE(dlg.Checked(IDC_RBN_ACTUAL_SIZE));
    EXPECT_TRUE(dlg.Enabled(IDC_RBN_ACTUAL_SIZE));
    EXPECT_FALSE(dlg.Enabled(IDC_RBN_BORDERLESS));
    EXPECT_TRUE(dlg.Checked(IDC_RBN_CUSTOM_SIZE));
    EXPECT_EQ(1, g_nCustomSizeRuns);
    EXPECT_EQ(m_dwThreadId, g_dwCustomSizeThread);
}

TEST_F(ProcessMessageTest, LoadedFeederAfterEmptyKeepsCustomSizeAndEnablesTheRest)
{
    ImageSizeButtons dlg;
    Post(CProcessMessage::s_uPaperInADFMsg, 0, dlg.Dialog());
    Post(CProcessMessage::s_uPaperInADFMsg, 16, dlg.Dialog());
    ASSERT_TRUE(EndAndWait());

    EXPECT_TRUE(dlg.Checked(IDC_RBN_CUSTOM_SIZE));
    EXPECT_FALSE(dlg.Checked(IDC_RBN_ACTUAL_SIZE));
    EXPECT_TRUE(dlg.Enabled(IDC_RBN_ACTUAL_SIZE));
    EXPECT_TRUE(dlg.Enabled(IDC_RBN_FIT_TO_PAGE));
    EXPECT_TRUE(dlg.Enabled(IDC_RBN_BORDERLESS));
    EXPECT_EQ(1, g_nCustomSizeRuns);
}

TEST_F(ProcessMessageTest, HiddenBorderlessIsLeftAlone)
{
    ImageSizeButtons dlg;
    dlg.Set(IDC_RBN_BORDERLESS, true, true);
    ShowWindow(dlg.Item(IDC_RBN_BORDERLESS), SW_HIDE);
    Post(CProcessMessage::s_uPaperInADFMsg, 0, dlg.Dialog());
    ASSERT_TRUE(EndAndWait());
    EXPECT_TRUE(dlg.Checked(IDC_RBN_BORDERLESS));
    EXPECT_TRUE(dlg.Enabled(IDC_RBN_BORDERLESS));
}

TEST_F(ProcessMessageTest, OtherEventsAndValuesChangeNothing)
{
    ImageSizeButtons dlg;
    dlg.Set(IDC_RBN_FIT_TO_PAGE, true, true);
    Post(CProcessMessage::s_uPaperInADFMsg, 8, dlg.Dialog());
    Post(CProcessMessage::s_uPaperInADFMsg, 0, NULL);
    Post(CProcessMessage::s_uDeviceBusyMsg, 1, dlg.Dialog());
    Post(CProcessMessage::s_uInkLowMsg, 0, dlg.Dialog());
    Post(CProcessMessage::s_uDeviceDisconnectMsg, 0, dlg.Dialog());
    ASSERT_TRUE(EndAndWait());
    EXPECT_TRUE(dlg.Checked(IDC_RBN_FIT_TO_PAGE));
    EXPECT_TRUE(dlg.Enabled(IDC_RBN_FIT_TO_PAGE));
    EXPECT_FALSE(dlg.Checked(IDC_RBN_CUSTOM_SIZE));
    EXPECT_EQ(0, g_nCustomSizeRuns);
}
