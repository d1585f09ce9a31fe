#pragma once
// Waiting for a database that another program holds (an import commits
// about once a second and holds the file meanwhile). A command of a window
// creates an AvvisoAttesa while it reads: a wait on its thread longer than a
// moment calls it, so that the window says it waits instead of looking
// stuck. Threads without one (the import's writer) wait silently.
#include <functional>

namespace quarvel {

class AvvisoAttesa {
 public:
  explicit AvvisoAttesa(std::function<void()> avviso);
  ~AvvisoAttesa();  // the one before it on this thread takes over again
  AvvisoAttesa(const AvvisoAttesa&) = delete;
  AvvisoAttesa& operator=(const AvvisoAttesa&) = delete;

  // Called by the database while it waits: the newest AvvisoAttesa of this
  // thread, if any.
  static void Avvisa();

 private:
  std::function<void()> avviso_;
  AvvisoAttesa* precedente_;
};

}  // namespace quarvel
