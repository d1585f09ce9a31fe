#pragma once
// A command of ours run to completion as the user runs it, timed by the
// wall clock and by the CPU time and peak memory wait4 reports.
#include "MisureBench.h"

#include <chrono>
#include <fcntl.h>
#include <optional>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace quarvel::bench {

// Runs a command after syncing what earlier steps left to write; nothing
// when it could not start or did not exit 0. Its output goes nowhere: it
// would only interleave with the table.
inline std::optional<Tempi> Esegui(const std::vector<std::string>& comando) {
  ::sync();
  std::vector<char*> argomenti;
  for (const std::string& a : comando) argomenti.push_back(const_cast<char*>(a.c_str()));
  argomenti.push_back(nullptr);
  const auto inizio = std::chrono::steady_clock::now();
  posix_spawn_file_actions_t azioni;
  posix_spawn_file_actions_init(&azioni);
  posix_spawn_file_actions_addopen(&azioni, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&azioni, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid;
  const int rc = posix_spawn(&pid, argomenti[0], &azioni, nullptr, argomenti.data(), environ);
  posix_spawn_file_actions_destroy(&azioni);
  if (rc != 0) return {};
  int stato = 0;
  rusage uso{};
  if (wait4(pid, &stato, 0, &uso) != pid || !WIFEXITED(stato) || WEXITSTATUS(stato) != 0) return {};
  Tempi t;
  t.parete = std::chrono::duration<double>(std::chrono::steady_clock::now() - inizio).count();
  t.cpu = double(uso.ru_utime.tv_sec + uso.ru_stime.tv_sec) +
          (uso.ru_utime.tv_usec + uso.ru_stime.tv_usec) / 1e6;
  t.memoriaKb = uso.ru_maxrss;
  return t;
}

// The best of n runs by the wall clock; nothing when one failed.
inline std::optional<Tempi> MiglioreProcesso(const std::vector<std::string>& comando, int n = 3) {
  std::optional<Tempi> migliore;
  for (int i = 0; i < n; ++i) {
    const std::optional<Tempi> t = Esegui(comando);
    if (!t) return {};
    if (!migliore || t->parete < migliore->parete) migliore = t;
  }
  return migliore;
}

}  // namespace quarvel::bench
