#pragma once

#include "dsc/CallTexts.h"
#include "dsc/DscCall.h"

namespace tolvik {

// Turns the stored characters of an accepted call into the texts of its row.
// On entry Information, Position and Ack are empty and Kind is None.
// enhancedPosition is the decoder-wide flag set by position decoding.
void InterpretCall(const DscCall& call, CallTexts& texts, bool& enhancedPosition);

// The texts of a completed call's row, from its format specifier on: false
// (texts left unfinished) when the format specifier is not one a receiver
// accepts. Ack comes from the call's end-of-sequence symbol.
bool InterpretCompletedCall(const DscCall& call, CallTexts& texts, bool& enhancedPosition);

// Reads a distress information block starting at position start of the
// primary sequence into texts, as an alert, acknowledgement or relay.
void InterpretDistressInfo(const DscCall& call, int start, DistressKind kind, CallTexts& texts,
                           bool& enhancedPosition);

}  // namespace tolvik
