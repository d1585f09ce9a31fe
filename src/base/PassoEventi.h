#pragma once
// Lets the user interface catch up during a long loop, but only when about
// 30 ms have passed since the last time: a month of data is 2.6 million
// samples, and processing events on each of them would cost seconds.
#include <QElapsedTimer>

namespace quarvel {

class PassoEventi {
 public:
  explicit PassoEventi(int intervalloMs = 30);
  // Cheap when called on every line: looks at the clock only every few calls.
  void Forse() {
    if (++chiamate_ < 64) return;
    chiamate_ = 0;
    if (orologio_.elapsed() >= intervallo_) Adesso();
  }
  // Processes pending events now.
  void Adesso();

 private:
  QElapsedTimer orologio_;
  int intervallo_;
  int chiamate_ = 0;
};

}  // namespace quarvel
