// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
// Built with the same flags as the program, but with a call that fortification always checks: the
// program has none, so the hardening test learns from this one whether the build fortifies.
#include <cstdio>

int main(int argc, char *[])
{
    return std::printf("%d\n", argc) < 0;
}
