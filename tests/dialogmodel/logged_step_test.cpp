// Binding and submission turn whatever their step throws into a logged failure status.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "common/testlib.h"
#include "dialog/LoggedStep.h"

using replika::ExceptionRecords;
using replika::RunLoggedStep;

namespace {
// A framework exception with a text of its own, as an allocation failure throws it.
class COutOfMemory : public CException
{
public:
    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT) const override
    {
        lstrcpynA(lpszError, "Out of memory.", static_cast<int>(nMaxError));
        return TRUE;
    }
};
}  // namespace

TEST(LoggedStep, EachKindOfExceptionGivesItsStatusAndRecord)
{
    const HRESULT kSoFar = HRESULT(0x80004003), kDevice = HRESULT(0x8004F9FD);
    const ExceptionRecords kBinding = {true, true}, kSubmission = {false, false};
    const struct
    {
        const char* pszThrown;
        std::function<void()> throwIt;
        ExceptionRecords records;
        HRESULT hrExpected;
        const char* pszRecord;
    } cases[] = {
        {"COM error", [=] { throw _com_error(kDevice); }, kBinding, kDevice,
         "op - _com_error exception (hr: 0x8004F9FD = "},
        {"COM error", [=] { throw _com_error(kDevice); }, kSubmission, kDevice,
         "op - _com_error exception (hr: 0x8004f9fd = "},
        {"framework", [] { throw new COutOfMemory; }, kBinding, E_FAIL, "[Error], Out of memory."},
        {"framework", [] { throw new COutOfMemory; }, kSubmission, kSoFar, "op - unknown exception"},
        {"other", [] { throw 7; }, kBinding, kSoFar, "op - unknown exception"},
    };
    for (const auto& c : cases) {
        qvtest::LogCapture log;
        HRESULT hr = kSoFar;
        EXPECT_FALSE(RunLoggedStep("op", c.records, hr, c.throwIt)) << c.pszThrown;
        EXPECT_EQ(c.hrExpected, hr) << c.pszThrown << (c.records.bUpperHexCode ? " (binding)" : " (submission)");
        EXPECT_TRUE(log.Contains(c.pszRecord)) << c.pszRecord;
    }
    HRESULT hr = kSoFar;
    EXPECT_TRUE(RunLoggedStep("op", kBinding, hr, [&] { hr = S_FALSE; }));
    EXPECT_EQ(S_FALSE, hr) << "a step that returns keeps the status it set";
}
