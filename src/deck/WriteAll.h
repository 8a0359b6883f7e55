// SPDX-License-Identifier: GPL-3.0-or-later
// Writing a whole buffer to a file descriptor, through short writes and interrupting signals.
#ifndef MNEMORA_DECK_WRITEALL_H
#define MNEMORA_DECK_WRITEALL_H

#include <cstddef>

/// Writes all `size` bytes at `data` to `fd`, again after a signal interrupted a write. False
/// when the file refuses them; errno then says why (ENOSPC when a write took nothing).
bool WriteAll(int fd, const void* data, size_t size);

#endif
