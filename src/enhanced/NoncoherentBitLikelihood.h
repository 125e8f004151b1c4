#pragma once

namespace tolvik {

// The tone levels of a reception, measured on the template's known bits: the
// amplitude of the tone sent, as the tone filter's envelope shows it without
// noise, and the noise power of one tone filter (its mean squared envelope
// on the tone not sent).
struct ToneLevels {
  double Amplitude = 0.0;
  double NoisePower = 0.0;  // 2 sigma^2, sigma^2 per real component
};

// The log-likelihood ratio of one bit from the two tone envelopes of a
// non-coherent FSK receiver. The envelope of the tone sent is Rician, that of
// the other Rayleigh, so with amplitude a and noise sigma^2 per component
//   ln p(r1, r0 | 1) / p(r1, r0 | 0) = ln I0(a r1 / sigma^2) - ln I0(a r0 / sigma^2).
// For strong envelopes this is (a / sigma^2)(r1 - r0), the linear soft value
// scaled; for envelopes near the noise it is close to (a / 2 sigma^2)^2 (r1^2 -
// r0^2), much less confident than the linear value: a noise peak on the
// wrong tone does not outvote a weak right one as firmly. The codeword score
// of these values is then an exact log-likelihood, so the gate's posteriors
// need no variance measured from the soft values.
class NoncoherentBitLikelihood {
 public:
  void SetLevels(const ToneLevels& levels);

  // Half the log-likelihood ratio of bit 1 over bit 0: summed with the
  // codeword's signs (+1, -1) over a symbol's bits it gives the codeword's
  // log-likelihood up to a constant.
  double HalfRatio(double one_envelope, double zero_envelope) const;

 private:
  double scale_ = 0.0;  // a / sigma^2
};

// ln I0(x) for x >= 0, finite for every x.
double LogBesselI0(double x);

}  // namespace tolvik
