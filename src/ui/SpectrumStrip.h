#pragma once

#include <QImage>

#include "demod/DecoderMode.h"
#include "demod/DemodulatorTraces.h"
#include "demod/SpectrumTransform.h"

namespace tolvik {

// The spectrum strip of the tool bar: the band of the two DSC tones as green
// bars over two dotted grey markers where the tones belong, and a box with
// a plus or a minus for the polarity the decoder uses. The user tunes the
// receiver until the tones stand on the markers. Because the HF mixer moves
// the tracked centre to 1700 Hz, the markers stay put while the centre or
// the frequency control moves: the signal moves instead.
//
// Drawn pixel by pixel into a picture made once; nothing is allocated per
// block. Until the first block the picture is black.
class SpectrumStrip {
 public:
  static constexpr int kWidth = 85;
  static constexpr int kHeight = 24;

  SpectrumStrip();

  // Takes this block's mixer output into the transform and redraws the
  // picture; `inverted` is the decoder's polarity (DecINV).
  void DrawSpectrum(DecoderMode mode, const DemodulatorTraces::Trace& mixer_output, bool inverted);

  const QImage& Picture() const { return picture_; }
  const SpectrumTransform& Transform() const { return transform_; }

 private:
  void DrawMarkers(DecoderMode mode);
  void DrawBars(DecoderMode mode);
  void DrawPolarityBox(bool inverted);

  SpectrumTransform transform_;
  QImage picture_;
};

}  // namespace tolvik
