// SPDX-License-Identifier: GPL-3.0-or-later
// One flash card: two sides with text, picture and sound, plus its answer history.
#ifndef MNEMORA_DECK_CARD_H
#define MNEMORA_DECK_CARD_H

#include <wx/bitmap.h>
#include <wx/filename.h>
#include <wx/image.h>
#include <wx/string.h>

#include "deck/MediaFile.h"

class PictureCache;

/// A card of the deck. Plain value type; copies share the decoded pictures.
struct Card
{
    wxString Question;         ///< Question side text; may hold '\n'.
    wxString Answer;           ///< Answer side text; may hold '\n'.
    MediaFile QuestionPicture; ///< Absolute while in memory; empty = none.
    MediaFile AnswerPicture;
    MediaFile QuestionSound;
    MediaFile AnswerSound;
    wxString History;        ///< "Y"/"N" per recorded answer, oldest first.
    float Score = 0;         ///< Percent right among the newest ten answers (derived).
    wxBitmap QuestionBitmap; ///< Decoded, size-limited picture; null when none.
    wxBitmap AnswerBitmap;
    int AnswerCount = 0; ///< Answers recorded in the current study run.

    /// Decodes both pictures again, limited to 500 x 500 pixels; with a cache, a file already
    /// decoded in it is shared instead of decoded again.
    void LoadPictures(PictureCache* cache = nullptr);
    /// Starts the question sound when sounds are on and the side has one.
    void PlayQuestionSound() const;
    /// Starts the answer sound when sounds are on and the side has one.
    void PlayAnswerSound() const;
    /// One-line label of the question side for lists: "(picture) (sound) text", the text cut
    /// after 1000 characters.
    wxString GetQuestionLabel() const;
    /// One-line label of the answer side.
    wxString GetAnswerLabel() const;
};

/// Decodes a picture file and applies the 500 x 500 size rule; an invalid image on failure or
/// when its header states a size too large to decode.
wxImage LoadCardImage(const wxFileName& file);

/// Applies the 500 x 500 size rule to a decoded image (only one of the two tests applies).
wxImage LimitPictureSize(const wxImage& image);

#endif
