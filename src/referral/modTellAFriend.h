// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// The refer-a-friend request: five texts checked and sent as parameters of a vendor page address.
namespace modTellAFriend {

// Filled by the exit promotion window (trimmed texts) each time its button is pressed.
extern QString strTafName;
extern QString strTafEmail;
extern QString strTafMessage;
extern QString strTafFriendName;
extern QString strTafFriendEmail;
// The address of the last request that passed every check.
extern QString strTafURL;

// The boxes' hint texts; a box still showing its hint counts as empty.
inline constexpr QLatin1String kNamePlaceholder("Your Name");
inline constexpr QLatin1String kEmailPlaceholder("Your Email Address");
inline constexpr QLatin1String kMessagePlaceholder("Your Message");
inline constexpr QLatin1String kFriendNamePlaceholder("Friend's Name");
inline constexpr QLatin1String kFriendEmailPlaceholder("Friend's Email Address");

// Checks the five texts for presence, each failing check with its message; sends the request
// when all pass.
void SubmitReferAFriend();

// Hands strTafURL to the default browser.
void OpenReferAFriendAddress();

} // namespace modTellAFriend
