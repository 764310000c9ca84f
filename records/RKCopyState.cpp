#include "records/RKCopyState.h"

#include <cstdio>
#include <cstring>

namespace {
// Everything after bEnableXDL up to the enable-flags pointer.
void ClearFieldsAfterFlags(CRKCopyState& s)
{
    char* first = reinterpret_cast<char*>(&s.strFileName);
    char* end = reinterpret_cast<char*>(&s.nBorderlessSupport) + sizeof(s.nBorderlessSupport);
    memset(first, 0, static_cast<size_t>(end - first));
}

void CopyFields(CRKCopyState& to, const CRKCopyState& from)
{
    memcpy(to.bEnableXDL, from.bEnableXDL, sizeof(to.bEnableXDL));
    const char* first = reinterpret_cast<const char*>(&from.strFileName);
    const char* end = reinterpret_cast<const char*>(&from.nBorderlessSupport) + sizeof(from.nBorderlessSupport);
    memcpy(reinterpret_cast<char*>(&to.strFileName), first, static_cast<size_t>(end - first));
}
}  // namespace

CRKCopyState::CRKCopyState() : pbEnableXDL(bEnableXDL)
{
    memset(bEnableXDL, 0, sizeof(bEnableXDL));
    ClearFieldsAfterFlags(*this);
}

CRKCopyState::CRKCopyState(const CRKCopyState& other) : pbEnableXDL(bEnableXDL) { CopyFields(*this, other); }

CRKCopyState& CRKCopyState::operator=(const CRKCopyState& other)
{
    if (this != &other)
        CopyFields(*this, other);
    return *this;
}

void FormatStateDateTime(const SYSTEMTIME& st, char* pszOut, size_t cchOut)
{
    static const char* const kDays[7] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    static const char* const kMonths[12] = {"January", "February", "March",     "April",   "May",      "June",
                                            "July",    "August",   "September", "October", "November", "December"};
    if (!pszOut || cchOut == 0)
        return;
    const char* day = st.wDayOfWeek < 7 ? kDays[st.wDayOfWeek] : "";
    const char* month = (st.wMonth >= 1 && st.wMonth <= 12) ? kMonths[st.wMonth - 1] : "";
    snprintf(pszOut, cchOut, "%s,%s %d, %d %d:%d:%d", day, month, st.wDay, st.wYear, st.wHour, st.wMinute, st.wSecond);
}
