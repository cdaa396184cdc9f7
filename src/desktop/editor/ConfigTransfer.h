// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class CConfigSheet;
class CConfiguration;

// Fills the pages of `sheet` from `config`. Entries that a short list loaded
// from a hand-made file lacks are shown empty. On the way it makes the
// search/replace lists of `config` exactly 6 entries long (dropping the rest)
// and its default grades exactly 20, and hands the Columns page
// config.m_columns to work on, so `config` must outlive the sheet's use.
void CopyToSheet(CConfiguration& config, CConfigSheet& sheet);

// Copies the page values back into `config`: 24 material codes, 15
// fractions, 6 search/replace pairs and 20 default grades. The left/right,
// left and right indicators lose leading and trailing white space; every
// other text is taken as typed. The column list (already changed in place by
// the Columns page) and the reserved values are left alone.
void CopyFromSheet(CConfiguration& config, const CConfigSheet& sheet);
