// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
// Built with the same flags as the program, but with what the program lacks: a call that
// fortification always checks, and a stack buffer whose size is known only at run time, which
// stack-clash protection probes page by page. The hardening test learns from this one whether the
// build fortifies and probes.
#include <cstdio>
#include <cstring>

int main(int argc, char *[])
{
    const auto size = static_cast<std::size_t>(argc) * 4096;
    auto *buffer = static_cast<char *>(__builtin_alloca(size));
    std::memset(buffer, argc, size);
    return std::printf("%d\n", buffer[size - 1]) < 0;
}
