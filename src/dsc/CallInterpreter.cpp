#include "dsc/CallInterpreter.h"

namespace tolvik {

// Placeholder until the interpreter lands: leaves the texts as they are.
void InterpretCall(const DscCall&, CallTexts&, bool&) {}

void InterpretDistressInfo(const DscCall&, int, DistressKind kind, CallTexts& texts, bool&) {
  texts.Kind = kind;
}

}  // namespace tolvik
