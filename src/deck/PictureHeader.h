// SPDX-License-Identifier: GPL-3.0-or-later
// A picture's size read from the first bytes of its file, so that a huge picture is never decoded.
#ifndef MNEMORA_DECK_PICTUREHEADER_H
#define MNEMORA_DECK_PICTUREHEADER_H

#include <wx/gdicmn.h>
#include <wx/string.h>

/// The width and height stated in the header of the PNG, JPEG, GIF or BMP file at `path`;
/// wxDefaultSize when the file is of another format or its header cannot be read.
wxSize ReadPictureSize(const wxString& path);

/// True for a size far above any screen or page: such a picture is not decoded.
bool IsPictureTooLarge(const wxSize& size);

#endif
