// SPDX-License-Identifier: GPL-3.0-or-later
// One cell of a card printout: its grey outline and the card side inside it.
#ifndef MNEMORA_PRINT_CARDCELL_H
#define MNEMORA_PRINT_CARDCELL_H

#include <wx/dc.h>

#include "print/PageGrid.h"

/// Lays out (and with draw true draws) cell's card side with its outline, the cell being
/// width x height inches and the DC counting unitsX x unitsY logical units per inch.
void DrawCardCell(wxDC& dc, int unitsX, int unitsY, const GridCell& cell, double width,
                  double height, bool draw);

#endif
