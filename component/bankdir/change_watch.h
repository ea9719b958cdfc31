// Whether a watched file may have changed, told by the kernel instead of asked
// of the file system: one process-wide inotify instance watches each file and
// every directory from "/" down to it, and each thread watches its mount
// table, so that a copy of a file is reused at the cost of one non-blocking
// epoll_wait() per use instead of a stat() of the file. The copy remembers
// the count that ChangesSoFar() gave before WatchPath() and the reading; an
// equal count later vouches for it.
//
// Guarantee. Once WatchPath(path) has returned true, every change listed at
// WatchPath that is made to that path (its system call has returned) before a
// later ChangesSoFar() call begins makes that call, in any thread, return
// kCannotTell or a count that differs from every count returned before the
// change. A change made while WatchPath runs may be seen or not; the caller
// reads the file after WatchPath, so its copy holds such a change either way.
// With a watch, a file's copy needs no waiting for its time stamps to settle:
// every write is an event, however quickly it follows the last.
//
// What it cannot see:
//  - writes through a shared writable mapping (mmap) of the file, which do
//    show in the file's times to stat(); nothing here can tell such a file
//    from another, so a file written that way is not for this watch. Nor
//    changes beneath the file layer: a write to the block device, another
//    machine on a shared disk, the lower layers of an overlay changed directly;
//  - changes made elsewhere on network, cluster and FUSE file systems, and
//    the contents of procfs and sysfs: they raise no events here. WatchPath
//    refuses every file system that is not on a list of local ones, and the
//    caller stats as before;
//  - where a path leads after the process itself calls chroot(), or setns()
//    or unshare() of its mount namespace, after the path was watched;
//  - the process's own change of credentials (setuid()), which may make the
//    file unreadable to it; stat() does not see that either.
// Symbolic links are refused rather than followed: a link's target may change
// through any number of other paths.
//
// Costs. One inotify instance per process (a user has 128 by default), one
// watch per directory and file of each watched path (at most kMaxWatchedPaths
// paths; older ones are dropped, counting as a change), and per thread that
// asks two descriptors: its epoll instance, which answers "nothing new"
// without asking the queue and the mount table (poll() of both costs twice as
// much), and its /proc/thread-self/mountinfo. A shared mount table descriptor
// would not do: the look that sees its notice of a mount takes the notice
// away, so another thread looking a moment later would miss the mount. A
// thread's first call counts as a change when the process's own mount table
// descriptor, asked only then, noticed a mount since the last thread's first
// call: the new descriptor does not notice mounts made before. Events for other names in a
// directory on a path are read and dropped; while one thread takes them out of the queue, the
// others cannot tell, so a busy directory costs some stats.
//
// After fork() the child shares neither the instance nor the descriptors of
// its parent: ChangesSoFar() is kCannotTell in the child until its first
// WatchPath().
#ifndef QUANDOR_BANKDIR_CHANGE_WATCH_H_
#define QUANDOR_BANKDIR_CHANGE_WATCH_H_

#include <cstddef>
#include <cstdint>
#include <string>

namespace quandor::bankdir {

// The count that ChangesSoFar() never returns otherwise.
inline constexpr uint64_t kCannotTell = 0;

// The most paths watched at once: the bank code file, the next edition's
// beside it, the settings file, and room for a program that switches
// between a few directories.
inline constexpr std::size_t kMaxWatchedPaths = 6;

// A count of the changes the process has seen on watched paths so far, after
// one non-blocking look at the kernel's queue of events (taking them out).
// kCannotTell when it cannot tell: no path watched yet, the queue overflowed
// and WatchPath has not set the watches again, no look at the mount table,
// or another thread is just now taking events out of the queue. Take it once
// per operation, before WatchPath and the file's reading.
uint64_t ChangesSoFar();

// Sets up (again) watches for the file at path: the file itself and every
// directory from "/" down to it, or down to the deepest one that exists when
// the file or a directory is missing, so that a write, truncation, chmod or
// chown of the file, its rename, deletion or replacement (a rename over it),
// the creation of the missing file or directory, a rename of a directory on
// the path, a change of a directory's permissions, or a mount on the way
// counts as a change. Call it before the file is looked at.
//
// False when the path cannot be watched exactly: a relative path or one with
// a "." or ".." component; a symbolic link anywhere on it; a file system that
// is not a local one (ext2/3/4, xfs, btrfs, tmpfs, overlayfs, f2fs, ...); a
// directory that cannot be searched; a watch that cannot be set (the watch
// limit, no read permission). Duplicate and trailing slashes are ignored.
// Watches that no watched path needs any more are removed.
//
// Cost: one lstat() and one inotify_add_watch() per directory on the path,
// tens of microseconds for a deep path.
bool WatchPath(const std::string& path);

}  // namespace quandor::bankdir

#endif  // QUANDOR_BANKDIR_CHANGE_WATCH_H_
