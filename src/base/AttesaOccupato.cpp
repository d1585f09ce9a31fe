#include "AttesaOccupato.h"

namespace quarvel {

namespace {
thread_local AvvisoAttesa* corrente = nullptr;
}

AvvisoAttesa::AvvisoAttesa(std::function<void()> avviso)
    : avviso_(std::move(avviso)), precedente_(corrente) {
  corrente = this;
}

AvvisoAttesa::~AvvisoAttesa() { corrente = precedente_; }

void AvvisoAttesa::Avvisa() {
  if (corrente && corrente->avviso_) corrente->avviso_();
}

}  // namespace quarvel
