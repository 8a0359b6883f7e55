// Card sound playback. Placeholder backend: the toolkit's wxSound.
#include "deck/SoundPlayer.h"

#include <wx/sound.h>

SoundPlayer CardSound;

struct SoundPlayer::Impl
{
    wxSound sound;
};

SoundPlayer::SoundPlayer() : m_impl(new Impl) {}

SoundPlayer::~SoundPlayer()
{
    delete m_impl;
}

bool SoundPlayer::Play(const wxString& path)
{
    if (!m_impl->sound.Create(path) || !m_impl->sound.IsOk())
        return false;
    return m_impl->sound.Play(wxSOUND_ASYNC);
}

void SoundPlayer::Stop()
{
    wxSound::Stop();
}

bool SoundPlayer::IsPlaying() const
{
    return false;
}
