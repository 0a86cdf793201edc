#include "beep.h"

#include <QApplication>

namespace quillon {
namespace {

std::function<void()>& BeepHandler() {
  static std::function<void()> handler;
  return handler;
}

}  // namespace

void Beep() {
  if (BeepHandler()) {
    BeepHandler()();
  } else {
    QApplication::beep();
  }
}

void SetBeepHandler(std::function<void()> handler) { BeepHandler() = std::move(handler); }

}  // namespace quillon
