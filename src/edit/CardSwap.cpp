// Member-by-member exchange of two cards, used to reorder and compact large decks.
#include "edit/CardSwap.h"

#include <utility>

#include "deck/Card.h"

namespace
{
/// A file name in its default state; two of them are interchangeable.
bool IsBlank(const wxFileName& name)
{
    return !name.IsOk() && name.GetVolume().empty() && name.ShouldFollowLink();
}

void SwapNames(wxFileName& a, wxFileName& b)
{
    if (IsBlank(a) && IsBlank(b))
        return;
    std::swap(a, b);
}

// Card's members in Card's order; a new member changes Card's size and stops the build here,
// so that SwapCards learns to exchange it.
struct CardMembers
{
    wxString Question, Answer;
    wxFileName QuestionPicture, AnswerPicture, QuestionSound, AnswerSound;
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
    SwapNames(a.QuestionPicture, b.QuestionPicture);
    SwapNames(a.AnswerPicture, b.AnswerPicture);
    SwapNames(a.QuestionSound, b.QuestionSound);
    SwapNames(a.AnswerSound, b.AnswerSound);
    std::swap(a.Score, b.Score);
    std::swap(a.QuestionBitmap, b.QuestionBitmap);
    std::swap(a.AnswerBitmap, b.AnswerBitmap);
    std::swap(a.AnswerCount, b.AnswerCount);
}
