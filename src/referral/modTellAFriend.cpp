// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#include "referral/modTellAFriend.h"

#include "app/blanks.h"
#include "platform/seams.h"

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
    const QStringView trimmed = trimSpaces(text);
    return trimmed.isEmpty() || trimmed == placeholder;
}

} // namespace

void SubmitReferAFriend(const ReferAFriendTexts &texts, QWidget &form)
{
    const struct
    {
        const QString &text;
        QLatin1String placeholder;
        const char *message;
    } checks[] = {
        {texts.name, kNamePlaceholder, "Please Enter Your Name"},
        {texts.email, kEmailPlaceholder, "Please Enter Your Email"},
        {texts.message, kMessagePlaceholder, "Please Enter Your Message"},
        {texts.friendName, kFriendNamePlaceholder, "Please Enter Your Friend's Name"},
        {texts.friendEmail, kFriendEmailPlaceholder, "Please Enter Your Friend's Email"},
    };
    for (const auto &check : checks) {
        if (missing(check.text, check.placeholder)) {
            platform::showCritical(&form, QString::fromLatin1(check.message));
            return;
        }
    }

    strTafURL = referAFriendAddress(texts);
    OpenReferAFriendAddress();
}

void OpenReferAFriendAddress()
{
    platform::browser().open(strTafURL);
}

} // namespace modTellAFriend
