#pragma once

#include <string_view>

namespace tolvik {

// The pictures of the details dialog's image list, by their index: station
// kinds white on black, and the three request/acknowledgement signs.
enum class InformationPicture {
  Ship = 0,
  Coast = 1,
  Ships = 2,            // a group call or all stations
  Request = 3,          // black arrow on a clear ground: acknowledgement requested
  Acknowledgement = 4,  // return arrow on a white square: this is an acknowledgement
  NoAcknowledgement = 5,
  Aircraft = 6,
  Area = 7,
};

inline constexpr int kInformationPictureCount = 8;

// The picture for the Ack column's text: "Req", "Ack", anything else.
InformationPicture AckPicture(std::string_view ack);

}  // namespace tolvik
