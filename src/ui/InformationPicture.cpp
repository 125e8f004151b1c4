#include "ui/InformationPicture.h"

namespace tolvik {

InformationPicture AckPicture(std::string_view ack) {
  if (ack == "Req") {
    return InformationPicture::Request;
  }
  if (ack == "Ack") {
    return InformationPicture::Acknowledgement;
  }
  return InformationPicture::NoAcknowledgement;
}

}  // namespace tolvik
