#include "demod/AntiAliasFilter.h"

namespace tolvik {

AntiAliasFilter::AntiAliasFilter(const AntiAliasCoefficients& coefficients)
    : sections_{BiquadSection(coefficients[0]), BiquadSection(coefficients[1]),
                BiquadSection(coefficients[2]), BiquadSection(coefficients[3])} {}

}  // namespace tolvik
