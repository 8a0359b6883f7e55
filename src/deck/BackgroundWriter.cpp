// SPDX-License-Identifier: GPL-3.0-or-later
// A writing thread for one AtomicFile, fed one block at a time.
#include "deck/BackgroundWriter.h"

#include <wx/log.h>

#include "deck/AtomicFile.h"

BackgroundWriter::BackgroundWriter(AtomicFile& file)
    : m_file(file), m_logging(wxLog::IsEnabled()), m_thread([this] { Run(); })
{
}

BackgroundWriter::~BackgroundWriter()
{
    Finish();
}

bool BackgroundWriter::Write(const char* data, size_t size)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_idle.wait(lock, [this] { return m_data == nullptr; });
    if (!m_ok || size == 0)
        return m_ok;
    m_data = data;
    m_size = size;
    m_queued.notify_one();
    return true;
}

bool BackgroundWriter::Finish()
{
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_idle.wait(lock, [this] { return m_data == nullptr; });
        m_finished = true;
    }
    m_queued.notify_one();
    if (m_thread.joinable())
        m_thread.join();
    // The file logs a failed write from the writing thread; the message is kept until now.
    if (!m_ok)
        wxLog::FlushActive();
    return m_ok;
}

void BackgroundWriter::Run()
{
    // Messages are as welcome here as where the writer was made (a wxLogNull there holds).
    wxLog::EnableLogging(m_logging);
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;)
    {
        m_queued.wait(lock, [this] { return m_data != nullptr || m_finished; });
        if (m_data == nullptr)
            return;
        const char* data = m_data;
        const size_t size = m_size;
        lock.unlock();
        bool ok = false;
        // Nothing may leave this thread: an escaping exception would end the program.
        try
        {
            ok = m_file.Write(data, size);
        }
        catch (...)
        {
        }
        lock.lock();
        m_ok = m_ok && ok;
        m_data = nullptr;
        m_idle.notify_one();
    }
}
