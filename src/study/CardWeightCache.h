// SPDX-License-Identifier: GPL-3.0-or-later
// Selection weights of the active cards, kept between draws of a study run.
#ifndef MNEMORA_STUDY_CARDWEIGHTCACHE_H
#define MNEMORA_STUDY_CARDWEIGHTCACHE_H

#include <cstddef>
#include <vector>

struct Card;

/// Draws like SelectNextCard, but recomputes only the weights of cards that changed since the
/// previous draw (another answer count or history length, or another MinAnswerCount), so a
/// draw over a large deck costs two cheap passes instead of two weight computations per card.
class CardWeightCache
{
public:
    /// Forgets every weight; call when a study run starts.
    void Clear();
    /// The same index SelectNextCard would return from the same generator state; it is also
    /// stored in LastSelectedCard. -1 when no card is active.
    int SelectNextCard();

private:
    struct Entry
    {
        const Card* card = nullptr;
        int answerCount = 0;
        std::size_t historyLength = 0;
        float weight = 0;
    };

    void Refresh();

    std::vector<Entry> m_entries;
    int m_minAnswerCount = -1;
};

#endif
