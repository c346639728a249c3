// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
// Any text, as raw UTF-16: the settings scrambling never crashes, never lengthens a text, and
// decoding gives back exactly the characters that encoding could carry (codes 0 to 170).

#include "app/settingsencoding.h"
#include "fuzztext.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text =
        fuzztext::fromBytes(std::string(reinterpret_cast<const char *>(data), size), true);

    const QString encoded = modHelp::EncodeSetting(text);
    const QString decoded = modHelp::DecodeSetting(text);
    if (encoded.size() > text.size() || decoded.size() > text.size())
        fuzztext::fail("a result is longer than its input: " + fuzztext::codes(text));

    QString carried;
    for (const QChar c : text) {
        if (c.unicode() <= 170)
            carried.append(c);
    }
    if (encoded.size() != carried.size())
        fuzztext::fail("encoding lost or added characters: " + fuzztext::codes(text));
    const QString back = modHelp::DecodeSetting(encoded);
    if (back != carried) {
        fuzztext::fail("decode(encode(t)) is not t: " + fuzztext::codes(text) + "\n  gave " +
                       fuzztext::codes(back));
    }
    // Whatever a settings file holds decodes to codes 0 to 170, and those survive the way back.
    for (const QChar c : decoded) {
        if (c.unicode() > 170)
            fuzztext::fail("decoding gave a code above 170: " + fuzztext::codes(text));
    }
    if (modHelp::EncodeSetting(decoded).size() != decoded.size())
        fuzztext::fail("a decoded text does not encode whole: " + fuzztext::codes(text));
    return 0;
}
