// SPDX-License-Identifier: GPL-3.0-or-later
// Member-by-member exchange of two cards, used to reorder and compact large decks.
#include "edit/CardSwap.h"

#include <utility>

#include "deck/Card.h"

namespace
{
// Card's members in Card's order; a new member changes Card's size and stops the build here,
// so that SwapCards learns to exchange it.
struct CardMembers
{
    wxString Question, Answer;
    MediaFile QuestionPicture, AnswerPicture, QuestionSound, AnswerSound;
    wxString History;
    float Score;
    wxBitmap QuestionBitmap, AnswerBitmap;
    int AnswerCount;
};
static_assert(sizeof(Card) == sizeof(CardMembers), "Card changed: update SwapCards");
} // namespace

void SwapCards(Card& a, Card& b)
{
    a.Question.swap(b.Question);
    a.Answer.swap(b.Answer);
    a.History.swap(b.History);
    a.QuestionPicture.swap(b.QuestionPicture);
    a.AnswerPicture.swap(b.AnswerPicture);
    a.QuestionSound.swap(b.QuestionSound);
    a.AnswerSound.swap(b.AnswerSound);
    std::swap(a.Score, b.Score);
    std::swap(a.QuestionBitmap, b.QuestionBitmap);
    std::swap(a.AnswerBitmap, b.AnswerBitmap);
    std::swap(a.AnswerCount, b.AnswerCount);
}
