#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <vector>

namespace tolvik {

// The capture side as the main window and the input device dialog see it:
// the devices by name, the opening and closing of capture, and the way into
// the capture ring. InputDeviceIndex 0 is the system's
// default input, k the device named DeviceNames()[k - 1].
class CaptureControl {
 public:
  virtual ~CaptureControl() = default;

  // The capture devices present when the program started, in the system's
  // order; the list is not rebuilt.
  virtual std::vector<std::string> DeviceNames() const = 0;

  // True when capture runs. A failure with the default device (index 0) is
  // reported to the user; with a listed device it is silent.
  virtual bool OpenCapture(int input_device_index) = 0;

  // Stops capture and empties the ring; always true, also when closed.
  virtual bool CloseCapture() = 0;

  virtual bool IsCaptureOpen() const = 0;

  // Audio in the fixed format (48000 Hz, 16-bit stereo), from the device or
  // from a recording played back at real time: gathered into the capture
  // ring, each full buffer one block for ProcessBlock.
  virtual void FeedCaptured(std::span<const std::byte> bytes) = 0;
};

}  // namespace tolvik
