// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
// Any run of key texts typed into the name box: each is refused, inserted as a capital, or let
// through only when it is one letter A to Z, a blank, Backspace or Enter; whatever the run, the
// box ends up holding nothing but capitals and blanks.

#include "fuzztext.h"
#include "reading/namekey.h"

#include <string>

namespace {

// Written apart from the rule itself, from what the user may type.
bool goesThroughAsItIs(QChar c)
{
    return (c >= u'A' && c <= u'Z') || c == u' ' || c == u'\b' || c == u'\r';
}

void checkDecision(const QString &typed, const namekey::Decision &decision)
{
    const bool single = typed.size() == 1;
    switch (decision.action) {
    case namekey::Action::Pass:
        if (!typed.isEmpty() && !(single && goesThroughAsItIs(typed[0])))
            fuzztext::fail("let through: " + fuzztext::codes(typed));
        break;
    case namekey::Action::Insert:
        if (!single || typed[0] < u'a' || typed[0] > u'z' ||
            decision.text != QString(QChar(typed[0].unicode() - 32)))
            fuzztext::fail("inserted " + fuzztext::codes(decision.text) + " for " +
                           fuzztext::codes(typed));
        break;
    case namekey::Action::Refuse:
        if (typed.isEmpty() ||
            (single && (goesThroughAsItIs(typed[0]) || (typed[0] >= u'a' && typed[0] <= u'z'))))
            fuzztext::fail("refused: " + fuzztext::codes(typed));
        break;
    }
    if (decision.action != namekey::Action::Insert && !decision.text.isEmpty())
        fuzztext::fail("a text beside a decision that inserts nothing: " + fuzztext::codes(typed));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const bool utf16 = input.ConsumeBool();
    QString box;
    while (input.remaining_bytes() > 0) {
        const QString typed = fuzztext::fromBytes(input.ConsumeRandomLengthString(8), utf16);
        const namekey::Decision decision = namekey::decide(typed);
        checkDecision(typed, decision);
        switch (decision.action) {
        case namekey::Action::Pass:
            if (typed == u"\b")
                box.chop(1);
            else if (!typed.isEmpty() && typed != u"\r")
                box.append(typed);
            break;
        case namekey::Action::Insert:
            box.append(decision.text);
            break;
        case namekey::Action::Refuse:
            break;
        }
    }
    for (const QChar c : box) {
        if (!((c >= u'A' && c <= u'Z') || c == u' '))
            fuzztext::fail("the name box holds " + fuzztext::codes(box));
    }
    return 0;
}
