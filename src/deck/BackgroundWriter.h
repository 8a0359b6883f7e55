// SPDX-License-Identifier: GPL-3.0-or-later
// Writes blocks of a file on a thread of its own while the caller makes the next block.
#ifndef MNEMORA_DECK_BACKGROUNDWRITER_H
#define MNEMORA_DECK_BACKGROUNDWRITER_H

#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <thread>

class AtomicFile;

/// Hands each block to a second thread that appends it to an AtomicFile, so that the copy to
/// the system and the disk work overlap the making of the next block. One block is in flight
/// at a time: it must stay unchanged until the next Write or Finish returns.
class BackgroundWriter
{
public:
    /// Starts the writing thread for `file`, which must outlive the writer.
    explicit BackgroundWriter(AtomicFile& file);
    /// Waits for the block in flight.
    ~BackgroundWriter();
    BackgroundWriter(const BackgroundWriter&) = delete;
    BackgroundWriter& operator=(const BackgroundWriter&) = delete;

    /// Waits for the block before, then queues `data` (an empty block only waits); false when
    /// a write has failed.
    bool Write(const char* data, size_t size);
    /// Waits for the last block and ends the thread; false when a write failed, its reason
    /// then logged from this thread.
    bool Finish();

private:
    void Run();

    AtomicFile& m_file;
    std::mutex m_mutex;
    std::condition_variable m_queued; ///< A block or the end is waiting for the thread.
    std::condition_variable m_idle;   ///< The thread is done with its block.
    const char* m_data = nullptr;     ///< The block in flight; null when none.
    size_t m_size = 0;
    bool m_ok = true;
    bool m_finished = false;
    const bool m_logging; ///< Whether the creating thread logs.
    std::thread m_thread;
};

#endif
