// Program entry point.
#include "app/mneApp.h"

wxIMPLEMENT_APP(mneApp);
