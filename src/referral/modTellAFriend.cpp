// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#include "referral/modTellAFriend.h"

#include "platform/seams.h"
#include "referral/frmNagScreen2.h"
#include "referral/referaddress.h"

namespace modTellAFriend {

QString strTafName;
QString strTafEmail;
QString strTafMessage;
QString strTafFriendName;
QString strTafFriendEmail;
QString strTafURL;

namespace {

bool missing(const QString &text, QLatin1String placeholder)
{
    const QString trimmed = trimSpaces(text);
    return trimmed.isEmpty() || trimmed == placeholder;
}

} // namespace

void SubmitReferAFriend()
{
    const struct
    {
        const QString &text;
        QLatin1String placeholder;
        const char *message;
    } checks[] = {
        {strTafName, kNamePlaceholder, "Please Enter Your Name"},
        {strTafEmail, kEmailPlaceholder, "Please Enter Your Email"},
        {strTafMessage, kMessagePlaceholder, "Please Enter Your Message"},
        {strTafFriendName, kFriendNamePlaceholder, "Please Enter Your Friend's Name"},
        {strTafFriendEmail, kFriendEmailPlaceholder, "Please Enter Your Friend's Email"},
    };
    for (const auto &check : checks) {
        if (missing(check.text, check.placeholder)) {
            // The messages speak for the exit window's form, and must lie above that window.
            platform::showCritical(LoadedWindows::find<frmNagScreen2>(),
                                   QString::fromLatin1(check.message));
            return;
        }
    }

    strTafURL = referAFriendAddress(
        {strTafName, strTafEmail, strTafMessage, strTafFriendName, strTafFriendEmail});
    OpenReferAFriendAddress();
}

void OpenReferAFriendAddress()
{
    platform::browser().open(strTafURL);
}

} // namespace modTellAFriend
