#include "demod/BlockFirFilter.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "demod/FirFilter.h"
#include "demod/FirTables.h"
#include "demod/QuadratureFilter.h"

namespace tolvik {
namespace {

std::vector<double> RandomSignal(std::size_t count, unsigned seed) {
  std::mt19937 engine(seed);
  std::normal_distribution<double> normal(0.0, 3000.0);
  std::vector<double> out(count);
  for (double& x : out)
    x = normal(engine);
  return out;
}

// Block sizes that do and do not divide by four, so both the side-by-side
// sums and the leftovers are compared, and history carries across blocks.
constexpr std::size_t kBlockSizes[] = {1200, 7, 1, 1199, 64, 1200};

TEST(BlockFirFilterTest, MatchesTheSampleBySampleFilterToTheLastBit) {
  const std::vector<double> input = RandomSignal(3671, 3);
  FirFilter<kVhfBandPassTaps> reference(VhfBandPassTable());
  BlockFirFilter<kVhfBandPassTaps, 1200> block_filter(VhfBandPassTable());
  std::size_t at = 0;
  for (const std::size_t size : kBlockSizes) {
    std::vector<double> out(size);
    block_filter.Process(std::span<const double>(input).subspan(at, size), out);
    for (std::size_t i = 0; i < size; ++i) {
      ASSERT_EQ(out[i], reference.Process(input[at + i])) << "sample " << at + i;
    }
    at += size;
  }
}

TEST(BlockFirFilterTest, HilbertHalfAndItsCentreTapMatchTheQuadratureFilter) {
  const std::vector<double> input = RandomSignal(3671, 4);
  QuadratureFilter reference(kVhfQuadratureTable);
  BlockFirFilter<kQuadratureTaps, 1200, 2> block_filter(kVhfQuadratureTable);
  std::size_t at = 0;
  for (const std::size_t size : kBlockSizes) {
    std::vector<double> out(size);
    block_filter.Process(std::span<const double>(input).subspan(at, size), out);
    for (std::size_t i = 0; i < size; ++i) {
      ASSERT_EQ(out[i], reference.Process(input[at + i])) << "sample " << at + i;
      ASSERT_EQ(block_filter.Delayed(i, QuadratureFilter::kCentreTap), reference.CentreTap());
    }
    at += size;
  }
}

}  // namespace
}  // namespace tolvik
