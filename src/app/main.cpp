// SPDX-License-Identifier: GPL-3.0-or-later
// Program entry point.
#include "app/mneApp.h"

wxIMPLEMENT_APP(mneApp);
