// SPDX-License-Identifier: GPL-3.0-or-later
// Card texts for assistive technology.
#include "study/CardSpeech.h"

#include <wx/intl.h>

#include "deck/Card.h"
#include "study/TextLayout.h"

namespace
{
void AppendLine(wxString& text, const wxString& line)
{
    if (line.empty())
        return;
    if (!text.empty())
        text += '\n';
    text += line;
}
} // namespace

wxString SpokenSide(const Card& card, bool answerSide)
{
    wxString spoken = PlainCardText(answerSide ? card.Answer : card.Question);
    const MediaFile& picture = answerSide ? card.AnswerPicture : card.QuestionPicture;
    const MediaFile& sound = answerSide ? card.AnswerSound : card.QuestionSound;
    if (!picture.GetFullPath().empty())
    {
        // TRANSLATORS: said by a screen reader for a card side that shows a picture
        AppendLine(spoken, _("picture"));
    }
    if (!sound.GetFullPath().empty())
    {
        // TRANSLATORS: said by a screen reader for a card side that plays a sound
        AppendLine(spoken, _("sound"));
    }
    return spoken;
}

wxString SpokenCard(const Card* card, bool answerShown, bool swapped)
{
    wxString spoken;
    if (card == nullptr)
        return spoken;
    AppendLine(spoken, SpokenSide(*card, swapped));
    if (answerShown)
        AppendLine(spoken, SpokenSide(*card, !swapped));
    return spoken;
}

wxString SpokenCardWithHeadings(const Card* card, bool answerShown, bool swapped)
{
    wxString spoken;
    if (card == nullptr)
        return spoken;
    const auto side = [&](bool answerSide)
    { return (answerSide ? _("Answer") : _("Question")) + ": " + SpokenSide(*card, answerSide); };
    AppendLine(spoken, side(swapped));
    if (answerShown)
        AppendLine(spoken, side(!swapped));
    return spoken;
}
