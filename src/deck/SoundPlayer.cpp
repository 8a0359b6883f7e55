// SPDX-License-Identifier: GPL-3.0-or-later
// Card sound playback through a GStreamer playbin, which reaches the desktop's sound server
// (PulseAudio or PipeWire) where the toolkit's own sound class only knows the old /dev/dsp.
#include "deck/SoundPlayer.h"

#include <wx/filename.h>

#include <gst/gst.h>

SoundPlayer CardSound;

namespace
{
// playbin's GstPlayFlags: decode audio only (never open a video window for an odd file) and
// keep the volume inside the pipeline.
constexpr guint PlayFlagAudio = 0x02;
constexpr guint PlayFlagSoftVolume = 0x10;
} // namespace

struct SoundPlayer::Impl
{
    GstElement* playbin = nullptr;
    bool setUpTried = false;
    bool active = false;

    bool SetUp()
    {
        if (setUpTried)
            return playbin != nullptr;
        setUpTried = true;
        GError* error = nullptr;
        if (!gst_is_initialized() && !gst_init_check(nullptr, nullptr, &error))
        {
            g_clear_error(&error);
            return false;
        }
        playbin = gst_element_factory_make("playbin", "cardsound");
        if (!playbin)
            return false;
        gst_object_ref_sink(playbin);
        g_object_set(playbin, "flags", PlayFlagAudio | PlayFlagSoftVolume, nullptr);
        if (GstElement* noVideo = gst_element_factory_make("fakesink", nullptr))
            g_object_set(playbin, "video-sink", noVideo, nullptr);
        // In the GUI the toolkit runs GLib's main context, which then ends finished sounds
        // on its own; without one, IsPlaying and Play collect the end instead.
        GstBus* bus = gst_element_get_bus(playbin);
        gst_bus_add_watch(bus, &Impl::OnBusMessage, this);
        gst_object_unref(bus);
        return true;
    }

    static gboolean OnBusMessage(GstBus*, GstMessage* message, gpointer data)
    {
        Impl* self = static_cast<Impl*>(data);
        const GstMessageType type = GST_MESSAGE_TYPE(message);
        if ((type == GST_MESSAGE_EOS || type == GST_MESSAGE_ERROR) && self->active)
            self->Halt();
        return TRUE;
    }

    // Notices the end of a sound (or a failure) from the pipeline's message queue and then
    // releases the audio stream, so that an idle player holds no connection to the server.
    void Collect()
    {
        if (!playbin || !active)
            return;
        GstBus* bus = gst_element_get_bus(playbin);
        bool finished = false;
        while (GstMessage* message = gst_bus_pop_filtered(
                   bus, static_cast<GstMessageType>(GST_MESSAGE_EOS | GST_MESSAGE_ERROR)))
        {
            finished = true;
            gst_message_unref(message);
        }
        gst_object_unref(bus);
        if (finished)
            Halt();
    }

    void Halt()
    {
        gst_element_set_state(playbin, GST_STATE_NULL);
        GstBus* bus = gst_element_get_bus(playbin);
        gst_bus_set_flushing(bus, TRUE);
        gst_bus_set_flushing(bus, FALSE);
        gst_object_unref(bus);
        active = false;
    }
};

SoundPlayer::SoundPlayer() : m_impl(new Impl) {}

SoundPlayer::~SoundPlayer()
{
    if (m_impl->playbin)
    {
        GstBus* bus = gst_element_get_bus(m_impl->playbin);
        gst_bus_remove_watch(bus);
        gst_object_unref(bus);
        gst_element_set_state(m_impl->playbin, GST_STATE_NULL);
        gst_object_unref(m_impl->playbin);
    }
    delete m_impl;
}

bool SoundPlayer::Play(const wxString& path)
{
    if (path.empty())
        return false;
    wxFileName file(path);
    file.MakeAbsolute();
    if (!file.FileExists() || !file.IsFileReadable())
        return false;
    if (!m_impl->SetUp())
        return false;
    if (m_impl->active)
        m_impl->Halt();
    // The name's bytes as the file system sees them, so that any file name that exists plays.
    gchar* uri = gst_filename_to_uri(file.GetFullPath().fn_str(), nullptr);
    if (!uri)
        return false;
    g_object_set(m_impl->playbin, "uri", uri, nullptr);
    g_free(uri);
    if (gst_element_set_state(m_impl->playbin, GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE)
    {
        m_impl->Halt();
        return false;
    }
    m_impl->active = true;
    return true;
}

void SoundPlayer::Stop()
{
    if (m_impl->playbin && m_impl->active)
        m_impl->Halt();
}

bool SoundPlayer::IsPlaying() const
{
    m_impl->Collect();
    return m_impl->active;
}
