// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#pragma once

// Which of the entry window's two overlapping offers a co-brand number brings to the front.
enum class CoBrandFront { CoBrand, FullBrand, Unchanged };

// 1 + 6r rounded to the nearest integer, an exact half to the even neighbour: 1..7 for 0 <= r < 1,
// with 1 and 7 half as likely as the others.
int coBrandNumber(double r);

CoBrandFront coBrandFront(int number);
