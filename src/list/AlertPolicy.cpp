#include "list/AlertPolicy.h"

namespace tolvik {

bool RaisesAlert(const ListOptions& options, DistressKind kind) {
  if (!options.AlertOnDistress()) {
    return false;
  }
  switch (kind) {
    case DistressKind::Alert:
      return true;
    case DistressKind::Acknowledgement:
      return options.AlertOnAcknowledgement();
    case DistressKind::Relay:
      return options.AlertOnRelay();
    case DistressKind::None:
      return false;
  }
  return false;
}

}  // namespace tolvik
