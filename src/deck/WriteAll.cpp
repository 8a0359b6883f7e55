// SPDX-License-Identifier: GPL-3.0-or-later
// The one write loop for the files the program writes itself.
#include "deck/WriteAll.h"

#include <cerrno>

#include <unistd.h>

bool WriteAll(int fd, const void* data, size_t size)
{
    const char* bytes = static_cast<const char*>(data);
    while (size > 0)
    {
        const ssize_t written = write(fd, bytes, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
        {
            if (written == 0)
                errno = ENOSPC;
            return false;
        }
        bytes += written;
        size -= size_t(written);
    }
    return true;
}
