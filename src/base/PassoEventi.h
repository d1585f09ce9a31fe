#pragma once
// Lets the user interface catch up during a long loop, but only when about
// 30 ms have passed since the last time: a month of data is 2.6 million
// samples, and processing events on each of them would cost seconds.
#include <QElapsedTimer>

namespace quarvel {

class PassoEventi {
 public:
  explicit PassoEventi(int intervalloMs = 30);
  // True when the interval has passed. Cheap when called on every line: it
  // looks at the clock only every few calls.
  bool Pronto() {
    if (++chiamate_ < 64) return false;
    chiamate_ = 0;
    return orologio_.elapsed() >= intervallo_;
  }
  // Processes pending events when the interval has passed.
  void Forse() {
    if (Pronto()) Adesso();
  }
  // Processes pending events now.
  void Adesso();

 private:
  QElapsedTimer orologio_;
  int intervallo_;
  int chiamate_ = 0;
};

}  // namespace quarvel
