// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// What an Eris placement means, as the result window shows it.
namespace interpretation {

// Two paragraphs with one empty line between them; the first keeps its closing blank.
inline QString aries()
{
    return QStringLiteral(
               "This signifies chaos and confusion. This has an effect based on position of "
               "different planets in your birth chart. The transformation can be good or bad. "
               "This has an effect on sex and occult. Good time to quit your addictions. This is "
               "the right time to understand your inner self and attain spiritual satisfaction. "
               "Be careful not to be greedy. ") +
        QStringLiteral("\r\n\r\n") +
        QStringLiteral("This may also be a time for destruction if not controlled. Social "
                       "cooperation is necessary for people to come out unhurt. Time for "
                       "reorganization on a global scale.");
}

inline QString pisces()
{
    return QStringLiteral(
        "You will be very idealistic by nature. You will share your ideas with others and strive "
        "for profitable partnerships. People will come together for a common cause. "
        "Industrialization will be booming. Your romantic life may improve. You will be "
        "emotionally sensitive.");
}

// Shown only when no sign was decided.
inline QString neutral()
{
    return QStringLiteral(
        "This is an idealistic combination and you shall be able to approach issues with a "
        "neutral attitude. You will have a sense of vision accompanied by imagination and "
        "innovativeness. You have a humane nature. But be careful not to make excuses when you "
        "are needed.");
}

} // namespace interpretation
