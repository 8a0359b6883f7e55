// SPDX-License-Identifier: GPL-3.0-or-later
// Card pictures, sounds and list labels.
#include "deck/Card.h"

#include <wx/log.h>

#include "deck/DeckSettings.h"
#include "deck/PictureCache.h"
#include "deck/PictureHeader.h"
#include "deck/SoundPlayer.h"

wxImage LimitPictureSize(const wxImage& image)
{
    const int w = image.GetWidth();
    const int h = image.GetHeight();
    if (w > 500)
        return image.Scale(500, h * 500 / w);
    if (h > 500)
        return image.Scale(w * 500 / h, 500);
    return image;
}

wxImage LoadCardImage(const wxFileName& file)
{
    if (!file.IsOk() || file.GetFullPath().empty())
        return wxImage();
    wxImage image;
    {
        // A broken picture is the toolkit's to report; keep it out of modal pop-ups.
        wxLogNull quiet;
        if (!file.FileExists() || IsPictureTooLarge(ReadPictureSize(file.GetFullPath())) ||
            !image.LoadFile(file.GetFullPath()) || !image.IsOk())
            return wxImage();
    }
    return LimitPictureSize(image);
}

namespace
{
wxBitmap LoadSideBitmap(const MediaFile& file, PictureCache* cache)
{
    if (cache != nullptr)
        return file.IsOk() ? cache->Get(file.GetFullPath()) : wxBitmap();
    const wxImage image = LoadCardImage(file);
    return image.IsOk() ? wxBitmap(image) : wxBitmap();
}

void PlaySide(const MediaFile& sound)
{
    if (!CurrentDeckSettings->PlaySounds || sound.GetFullPath().empty())
        return;
    CardSound.Play(sound.GetFullPath());
}

// More than a list column can ever show; a longer text (an imported megabyte line) would make
// the toolkit lay the whole of it out on every repaint.
const size_t MaxLabelLength = 1000;

wxString SideLabel(const wxString& text, const MediaFile& picture, const MediaFile& sound)
{
    wxString label = text.length() > MaxLabelLength ? text.Left(MaxLabelLength) : text;
    label.Replace("\n", " ");
    if (!sound.GetFullPath().empty())
        label = "(" + sound.GetFullName() + ") " + label;
    if (!picture.GetFullPath().empty())
        label = "(" + picture.GetFullName() + ") " + label;
    return label;
}
} // namespace

void Card::LoadPictures(PictureCache* cache)
{
    QuestionBitmap = LoadSideBitmap(QuestionPicture, cache);
    AnswerBitmap = LoadSideBitmap(AnswerPicture, cache);
}

void Card::PlayQuestionSound() const
{
    PlaySide(QuestionSound);
}

void Card::PlayAnswerSound() const
{
    PlaySide(AnswerSound);
}

wxString Card::GetQuestionLabel() const
{
    return SideLabel(Question, QuestionPicture, QuestionSound);
}

wxString Card::GetAnswerLabel() const
{
    return SideLabel(Answer, AnswerPicture, AnswerSound);
}
