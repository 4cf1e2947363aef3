#pragma once

#include <QString>

#include <cstdint>
#include <functional>

// Creates or replaces `path` with `size` bytes of `data`; an executable file is made runnable.
// The bytes go to a temporary file beside it that replaces the old file only when complete, so
// a failed write leaves no half-written file behind. Returns 0, or -1 when the file cannot be
// created or fewer bytes were written.
int WritePayloadFile(const QString& path, const char* data, std::int64_t size, bool executable);

// Total and free space, in megabytes (bytes / 1 048 576, truncated), of the drive that holds
// `path`, or that would hold it: the nearest existing folder above it is asked. Free is the
// drive's free space, not the caller's quota. 0 and 0 when the query fails.
void GetDiskSpace(const QString& path, std::uint64_t* totalMb, std::uint64_t* freeMb);

// The free-space text of the installation dialog: "512 MB", "1.5 GB", "2 TB".
QString FormatFreeSpace(std::uint64_t freeMb);

// The folder the installation dialog offers first: the program-files folder + "/ZeltaIII".
QString DefaultDestination();

// The destination after the user picked `folder` in the folder browser: the product folder
// inside it. Empty when nothing was picked.
QString BrowsedDestination(const QString& folder);

// Checks the destination typed in the dialog against the free space of its drive. Returns the
// message to show (the dialog then stays open), or an empty text and the destination to use,
// without one trailing "/", in `destination`.
QString CheckDestination(const QString& typed, std::uint64_t freeMb, QString* destination);

// Removes an installation of the previous generation (ZeltaII) found through its uninstall key:
// its desktop entries, its files, its folder when that is then empty, and the key. Failures
// are ignored. `wait` is the short pause before the folder is removed.
void RemoveOldVersion(const std::function<void(int ms)>& wait);
