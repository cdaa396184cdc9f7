// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QDialogButtonBox;

// Gives the standard buttons of `box` the texts "&OK", "&Cancel" and
// "&Close": not every platform theme gives them mnemonics.
void SetStandardMnemonics(QDialogButtonBox& box);
