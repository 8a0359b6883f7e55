// SPDX-License-Identifier: GPL-3.0-or-later
// The one process-wide player for card sounds.
#ifndef MNEMORA_DECK_SOUNDPLAYER_H
#define MNEMORA_DECK_SOUNDPLAYER_H

#include <wx/string.h>

/// Plays one sound file at a time, asynchronously; a new sound replaces a playing one.
class SoundPlayer
{
public:
    SoundPlayer();
    ~SoundPlayer();
    SoundPlayer(const SoundPlayer&) = delete;
    SoundPlayer& operator=(const SoundPlayer&) = delete;

    /// Starts playing the file; false when it could not be loaded (nothing is reported).
    bool Play(const wxString& path);
    /// Stops the sound that is playing, if any.
    void Stop();
    /// True while a sound is playing.
    bool IsPlaying() const;

private:
    struct Impl;
    Impl* m_impl;
};

/// The sound object shared by every card.
extern SoundPlayer CardSound;

#endif
