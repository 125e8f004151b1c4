#pragma once

namespace tolvik {

// The settings that count in units of their own or have a range. The
// settings store holds them to their range when it reads the file; the
// receive list's ageing and the HF tuning take them in these units.

// DelMin: how old a receive-list row may grow before ageing deletes it, in
// steps of 10 minutes, from 10 minutes up to 23 hours 50 minutes.
inline constexpr int kMinutesPerDelMinStep = 10;
inline constexpr int kLowestDelMin = 1;
inline constexpr int kHighestDelMin = 143;

// DecFc: the HF centre frequency, in steps of 10 Hz, from 500 Hz up to
// 1000 Hz.
inline constexpr double kDecFcUnitHz = 10.0;
inline constexpr int kLowestDecFc = 50;
inline constexpr int kHighestDecFc = 100;

// A network port of an output: TCP and UDP number them from 1 to 65535
// (0 would ask the system for any free one, which no plotter could find).
inline constexpr int kLowestPort = 1;
inline constexpr int kHighestPort = 65535;

}  // namespace tolvik
