#include "bankdir/change_watch.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <functional>
#include <thread>
#include <vector>

#include "support/bank_file_fixture.h"

namespace quandor::bankdir {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

// root/sub/file.txt beside root/sub/other.txt, reached without symbolic links.
struct Tree {
  TempDir temp;
  fs::path root = fs::canonical(temp.path());
  fs::path sub = root / "sub";
  fs::path file = sub / "file.txt";
  fs::path other = sub / "other.txt";

  Tree() {
    temp.WriteFile("sub/file.txt", "10000000");
    temp.WriteFile("sub/other.txt", "x");
  }
  void Write(const fs::path& path, std::string_view text) const {
    temp.WriteFile(fs::relative(path, root), text);
  }
};

void Append(const fs::path& path, std::string_view text) {
  std::ofstream(path, std::ios::binary | std::ios::app) << text;
}

// What a caller sees: the count after a change differs from the one before,
// and settles again once the path is watched anew.
TEST(ChangeWatch, EveryChangeOnThePathCountsAtTheNextLook) {
  using Step = std::function<void(const Tree&)>;
  struct Case {
    const char* name;
    Step prepare;
    Step change;
    bool counts;
  };
  const auto keep = [](const Tree&) {};
  const Case cases[] = {
      {"write in place", keep, [](const Tree& t) { t.Write(t.file, "20000000"); }, true},
      {"append", keep, [](const Tree& t) { Append(t.file, "1"); }, true},
      {"truncate", keep, [](const Tree& t) { fs::resize_file(t.file, 0); }, true},
      {"chmod file", keep, [](const Tree& t) { fs::permissions(t.file, fs::perms::owner_read); },
       true},
      {"chown file", keep,
       [](const Tree& t) { ASSERT_EQ(::chown(t.file.c_str(), ::getuid(), ::getgid()), 0); }, true},
      {"chmod directory on the path", keep,
       [](const Tree& t) { fs::permissions(t.sub, fs::perms::others_all, fs::perm_options::add); },
       true},
      {"chmod top directory", keep,
       [](const Tree& t) { fs::permissions(t.root, fs::perms::others_all, fs::perm_options::add); },
       true},
      {"rename file away", keep, [](const Tree& t) { fs::rename(t.file, t.sub / "moved"); }, true},
      {"rename other file over it", keep, [](const Tree& t) { fs::rename(t.other, t.file); }, true},
      {"delete", keep, [](const Tree& t) { fs::remove(t.file); }, true},
      {"create when missing", [](const Tree& t) { fs::remove(t.file); },
       [](const Tree& t) { t.Write(t.file, "1"); }, true},
      {"rename parent directory", keep, [](const Tree& t) { fs::rename(t.sub, t.root / "moved"); },
       true},
      {"create missing directory", [](const Tree& t) { fs::remove_all(t.sub); },
       [](const Tree& t) { fs::create_directory(t.sub); }, true},
      {"write other file", keep, [](const Tree& t) { t.Write(t.other, "y"); }, false},
      {"chmod other file", keep,
       [](const Tree& t) { fs::permissions(t.other, fs::perms::owner_read); }, false},
      {"delete other file", keep, [](const Tree& t) { fs::remove(t.other); }, false},
      {"create file beside", keep, [](const Tree& t) { t.Write(t.sub / "new", "1"); }, false},
      {"create file beside directory", keep, [](const Tree& t) { t.Write(t.root / "new", "1"); },
       false},
      {"read file", keep, [](const Tree& t) { std::ifstream(t.file).get(); }, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Tree tree;
    c.prepare(tree);
    ASSERT_TRUE(WatchPath(tree.file.string()));
    const uint64_t before = ChangesSoFar();
    ASSERT_NE(before, kCannotTell);
    c.change(tree);
    if (c.counts) {
      EXPECT_NE(ChangesSoFar(), before);
    } else {
      EXPECT_EQ(ChangesSoFar(), before);
    }
    WatchPath(tree.file.string());
    const uint64_t again = ChangesSoFar();
    EXPECT_NE(again, kCannotTell);
    EXPECT_EQ(ChangesSoFar(), again);
    // Watched anew: whatever stands at the path now.
    tree.Write(tree.file, "30000000");
    EXPECT_NE(ChangesSoFar(), again);
  }
}

TEST(ChangeWatch, RefusesWhatItCannotWatchExactly) {
  Tree tree;
  fs::create_directory_symlink(tree.sub, tree.root / "link");
  fs::create_symlink(tree.file, tree.sub / "link.txt");
  const std::string root = tree.root.string();
  const std::pair<std::string, bool> cases[] = {
      {root + "/sub/file.txt", true},
      {root + "//sub///file.txt/", true},
      {root + "/sub/missing/file.txt", true},
      {root + "/sub/file.txt/below", true},  // leads nowhere until the file is replaced
      {"sub/file.txt", false},
      {"", false},
      {root + "/sub/./file.txt", false},
      {root + "/sub/../sub/file.txt", false},
      {root + "/link/file.txt", false},
      {root + "/sub/link.txt", false},
      {"/proc/version", false},  // not a local file system
  };
  for (const auto& [path, watchable] : cases) EXPECT_EQ(WatchPath(path), watchable) << path;
}

// Mended: a thread that found the queue empty while another was still
// counting the events it had taken out trusted the old count.
TEST(ChangeWatch, NoThreadTrustsAStaleCount) {
  Tree tree;
  const std::string path = tree.file.string();
  const off_t start_size = static_cast<off_t>(fs::file_size(tree.file));
  constexpr int kAppends = 3000;
  std::atomic<int> appended{0};  // appends whose write() has returned
  std::atomic<bool> done{false};
  std::atomic<int> stale{0};
  std::atomic<int> settled{0};

  // The caller's pattern, with the file's size for its contents.
  const auto reader = [&] {
    uint64_t mark = kCannotTell;
    bool watched = false;
    off_t size = -1;
    // Whoever finds another thread taking events out cannot tell, for as long
    // as that one is preempted on a busy machine: a generous bound.
    for (int after_done = 0; after_done < 100'000;) {
      const bool finished = done.load();
      const int sure = appended.load();
      const uint64_t now = ChangesSoFar();
      if (watched && now != kCannotTell && now == mark) {
        if (size < start_size + sure) ++stale;
        if (finished) {
          ++settled;
          return;
        }
        continue;
      }
      watched = WatchPath(path);
      struct stat st {};
      size = ::stat(path.c_str(), &st) == 0 ? st.st_size : -1;
      mark = now;
      if (finished) ++after_done;
    }
  };
  // More readers than cores: one is now and then preempted while it holds
  // events it has not counted.
  constexpr int kReaders = 4;
  std::vector<std::thread> readers;
  for (int i = 0; i < kReaders; ++i) readers.emplace_back(reader);
  const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
  ASSERT_GE(fd, 0);
  for (int i = 1; i <= kAppends; ++i) {
    ASSERT_EQ(::write(fd, "x", 1), 1);
    appended.store(i);
    // Time for the readers to trust their copies again, so that the next
    // append finds some trusting while another takes it out.
    std::this_thread::sleep_for(std::chrono::microseconds(20));
  }
  ::close(fd);
  done.store(true);
  for (std::thread& thread : readers) thread.join();
  EXPECT_EQ(stale.load(), 0);
  EXPECT_EQ(settled.load(), kReaders);  // and each trusts its copy again once the writes stop
}

bool WriteWhole(const char* path, std::string_view text) {
  const int fd = ::open(path, O_WRONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool whole = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
  return ::close(fd) == 0 && whole;
}

// Mended by the look at the mount table: a mount over a directory on the
// path raises no event on the watched objects beneath it.
TEST(ChangeWatch, SeesAMountOverADirectoryOnThePath) {
  Tree tree;
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    // A mount namespace of its own, as root of a user namespace that maps the
    // test's user, so that files can be made on the new mount.
    const std::string uid = "0 " + std::to_string(::getuid()) + " 1";
    const std::string gid = "0 " + std::to_string(::getgid()) + " 1";
    if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0 ||
        !WriteWhole("/proc/self/setgroups", "deny") || !WriteWhole("/proc/self/uid_map", uid) ||
        !WriteWhole("/proc/self/gid_map", gid) ||
        ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
      ::_exit(77);
    }
    if (!WatchPath(tree.file.string())) ::_exit(1);
    const uint64_t before = ChangesSoFar();
    if (before == kCannotTell || ChangesSoFar() != before) ::_exit(2);
    if (::mount("none", tree.sub.c_str(), "tmpfs", 0, nullptr) != 0) ::_exit(77);
    if (ChangesSoFar() == before) ::_exit(3);
    // Watched anew: the file that appears on the mount.
    if (!WatchPath(tree.file.string())) ::_exit(4);
    const uint64_t mounted = ChangesSoFar();
    Append(tree.file, "1");
    ::_exit(ChangesSoFar() == mounted ? 5 : 0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  if (WEXITSTATUS(status) == 77) GTEST_SKIP() << "no mount namespace of our own here";
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

// The child must not take its parent's events out of a shared queue.
TEST(ChangeWatch, ChildOfForkWatchesOnItsOwn) {
  Tree tree;
  ASSERT_TRUE(WatchPath(tree.file.string()));
  const uint64_t before = ChangesSoFar();
  Append(tree.file, "1");  // an event waiting in the parent's queue
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (ChangesSoFar() != kCannotTell) ::_exit(1);
    if (!WatchPath(tree.other.string())) ::_exit(2);
    const uint64_t mark = ChangesSoFar();
    Append(tree.other, "1");
    ::_exit(mark == kCannotTell || ChangesSoFar() == mark ? 3 : 0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  EXPECT_NE(ChangesSoFar(), before);
}

TEST(ChangeWatch, CannotTellAfterAnOverflowUntilWatchedAgain) {
  long queue = 0;
  std::ifstream("/proc/sys/fs/inotify/max_queued_events") >> queue;
  if (queue <= 0 || queue > 100'000) GTEST_SKIP() << "queue of " << queue << " events";
  Tree tree;
  ASSERT_TRUE(WatchPath(tree.file.string()));
  const uint64_t before = ChangesSoFar();
  // Each chmod queues two events that do not merge: the file's own and its
  // directory's.
  for (long i = 0; i <= queue / 2; ++i) {
    fs::permissions(tree.file, i % 2 ? fs::perms::owner_read : fs::perms::owner_all);
  }
  // However long the backlog takes to read.
  for (int i = 0; i < 64; ++i) ASSERT_EQ(ChangesSoFar(), kCannotTell) << i;
  ASSERT_TRUE(WatchPath(tree.file.string()));
  const uint64_t after = ChangesSoFar();
  EXPECT_NE(after, kCannotTell);
  EXPECT_NE(after, before);
}

}  // namespace
}  // namespace quandor::bankdir
