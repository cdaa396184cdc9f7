// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

// The program's icon: the cross-section of a wide-flange beam, drawn at the
// usual icon sizes.
QIcon ProgramIcon();
