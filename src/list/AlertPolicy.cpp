#include "list/AlertPolicy.h"

namespace tolvik {

bool RaisesAlert(const AppSettings& settings, DistressKind kind) {
  if (!settings.DistAlt) {
    return false;
  }
  switch (kind) {
    case DistressKind::Alert:
      return true;
    case DistressKind::Acknowledgement:
      return settings.DistAck;
    case DistressKind::Relay:
      return settings.DistRly;
    case DistressKind::None:
      return false;
  }
  return false;
}

}  // namespace tolvik
