#pragma once
// A bounded queue between the thread that reads and decodes the lines and
// the one that stores them: the reader never runs more than a few blocks
// ahead, so memory stays the same whatever the size of the files.
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <vector>

namespace quarvel {

template <typename T>
class CodaBlocchi {
 public:
  explicit CodaBlocchi(std::size_t capienza) : capienza_(capienza) {}

  // Waits for room, calling inAttesa about every 30 ms meanwhile (the
  // interface catches up); false when the consumer has stopped.
  bool Metti(T&& blocco, const std::function<void()>& inAttesa) {
    std::unique_lock<std::mutex> l(m_);
    while (coda_.size() >= capienza_ && !chiusa_) {
      if (cv_.wait_for(l, std::chrono::milliseconds(30)) == std::cv_status::timeout && inAttesa) {
        l.unlock();
        inAttesa();
        l.lock();
      }
    }
    if (chiusa_) return false;
    coda_.push_back(std::move(blocco));
    cv_.notify_all();
    return true;
  }
  // The next block; nothing when the producer is done and all are taken.
  std::optional<T> Prendi() {
    std::unique_lock<std::mutex> l(m_);
    cv_.wait(l, [&] { return !coda_.empty() || finita_; });
    if (coda_.empty()) return std::nullopt;
    T blocco = std::move(coda_.front());
    coda_.pop_front();
    cv_.notify_all();
    return blocco;
  }
  // The producer has no more blocks.
  void Fine() {
    std::lock_guard<std::mutex> l(m_);
    finita_ = true;
    cv_.notify_all();
  }
  // The consumer has stopped: further blocks are refused.
  void Chiudi() {
    std::lock_guard<std::mutex> l(m_);
    chiusa_ = true;
    coda_.clear();
    cv_.notify_all();
  }
  // A block the consumer is done with, kept for the producer to fill again:
  // its memory is reused rather than allocated and touched anew.
  void Restituisci(T&& blocco) {
    std::lock_guard<std::mutex> l(m_);
    if (usati_.size() < capienza_) usati_.push_back(std::move(blocco));
  }
  // A block to fill: a used one when there is one.
  T Nuovo() {
    std::lock_guard<std::mutex> l(m_);
    if (usati_.empty()) return T();
    T blocco = std::move(usati_.back());
    usati_.pop_back();
    return blocco;
  }
  bool Chiusa() {
    std::lock_guard<std::mutex> l(m_);
    return chiusa_;
  }

 private:
  std::mutex m_;
  std::condition_variable cv_;
  std::deque<T> coda_;
  std::vector<T> usati_;
  std::size_t capienza_;
  bool finita_ = false, chiusa_ = false;
};

}  // namespace quarvel
